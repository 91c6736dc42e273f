#include "install/SameFileOnWindows_win.h"

#include <windows.h>

namespace {

void DropTrailingDotsAndSpaces(std::wstring& path, std::size_t partStart) {
    while (path.size() > partStart && (path.back() == L'.' || path.back() == L' ')) {
        path.pop_back();
    }
}

}  // namespace

std::string WindowsNameKey(std::string_view path) {
    if (path.empty()) {
        return std::string();
    }
    const int length = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
    std::wstring folded;
    folded.reserve(wide.size());
    std::size_t partStart = 0;
    for (const wchar_t c : wide) {
        if (c == L'\\' || c == L'/') {
            DropTrailingDotsAndSpaces(folded, partStart);
            folded += L'\\';
            partStart = folded.size();
        } else {
            folded += c;
        }
    }
    DropTrailingDotsAndSpaces(folded, partStart);
    // The invariant upper case is the one table NTFS and FAT keep for names, whatever the user's locale:
    // a Turkish dotless i does not make two names one.
    if (!folded.empty()) {
        LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, folded.data(), static_cast<int>(folded.size()),
                     folded.data(), static_cast<int>(folded.size()));
    }
    return std::string(reinterpret_cast<const char*>(folded.data()), folded.size() * sizeof(wchar_t));
}

bool SameFileOnWindows(std::string_view a, std::string_view b) {
    return WindowsNameKey(a) == WindowsNameKey(b);
}
