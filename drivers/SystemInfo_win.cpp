#include "drivers/SystemInfo_win.h"

BOOL IsWow64() {
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    // Looked up by name: Windows XP before SP2 does not have it.
    // Through void* since FARPROC's signature says nothing about the real one.
    const auto isWow64Process = reinterpret_cast<IsWow64ProcessFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "IsWow64Process")));
    if (isWow64Process == nullptr) {
        return FALSE;
    }
    BOOL isWow64 = FALSE;
    isWow64Process(GetCurrentProcess(), &isWow64);
    return isWow64;
}

BOOL Is64BitWindows() {
    return sizeof(void*) == 8 || IsWow64() ? TRUE : FALSE;
}

std::optional<drivers::WindowsVersion> QueryWindowsVersion() {
    OSVERSIONINFOEXA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
        return std::nullopt;
    }
    return drivers::WindowsVersion{info.dwMajorVersion, info.dwMinorVersion};
}
