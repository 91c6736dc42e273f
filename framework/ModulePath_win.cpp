#include "framework/ModulePath_win.h"

#include <windows.h>

std::wstring RunningModulePath() {
    // The system fills the whole buffer (without a terminator on older Windows) when the path does not fit.
    for (DWORD size = MAX_PATH; size <= 65536; size *= 2) {
        std::wstring path(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0) {
            return std::wstring();
        }
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    return std::wstring();
}
