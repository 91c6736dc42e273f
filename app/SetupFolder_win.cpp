#include "app/SetupFolder_win.h"

#include <windows.h>

#include "framework/GbkText_win.h"
#include "framework/ModulePath_win.h"

namespace {

// Room below the folder for the longest names read there ("QTXLanguage\" and a file name).
constexpr std::size_t kRoomBelow = 64;

bool UsableByAnsiFunctions(const std::wstring& folder, std::string& ansi) {
    return WideToAnsiExactly(folder, ansi) && ansi.size() + kRoomBelow < MAX_PATH;
}

// The short name of a folder of any length: a path of MAX_PATH or more is only taken with the "\\?\"
// prefix, which the answer then carries too.
std::wstring ShortNameOf(const std::wstring& folder) {
    const bool prefixedAlready = folder.compare(0, 4, L"\\\\?\\") == 0;
    const bool unc = !prefixedAlready && folder.compare(0, 2, L"\\\\") == 0;
    const std::wstring prefixed = prefixedAlready ? folder
                                  : unc           ? L"\\\\?\\UNC" + folder.substr(1)
                                                  : L"\\\\?\\" + folder;
    const DWORD size = GetShortPathNameW(prefixed.c_str(), nullptr, 0);
    if (size == 0) {
        return std::wstring();
    }
    std::wstring shortName(size, L'\0');
    const DWORD length = GetShortPathNameW(prefixed.c_str(), shortName.data(), size);
    if (length == 0 || length >= size) {
        return std::wstring();
    }
    shortName.resize(length);
    if (shortName.compare(0, 8, L"\\\\?\\UNC\\") == 0) {
        return L"\\" + shortName.substr(7);
    }
    return shortName.compare(0, 4, L"\\\\?\\") == 0 ? shortName.substr(4) : shortName;
}

}  // namespace

SetupFolder RunningSetupFolder() {
    SetupFolder folder;
    const std::wstring program = RunningModulePath();
    const std::size_t last = program.rfind(L'\\');
    if (last == std::wstring::npos) {
        return folder;
    }
    folder.name = program.substr(0, last + 1);
    if (!UsableByAnsiFunctions(folder.name, folder.path) &&
        !UsableByAnsiFunctions(ShortNameOf(folder.name), folder.path)) {
        folder.path.clear();
    }
    return folder;
}
