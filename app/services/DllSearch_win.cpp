#include "app/services/DllSearch_win.h"

#include <windows.h>

#include <string>

#include "drivers/SystemInfo_win.h"

namespace {

// Not in the headers for the Windows XP target: looked up at run time.
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryAFn = BOOL(WINAPI*)(LPCSTR);

// Through void*, since FARPROC's signature says nothing about the real one.
template <typename Function>
Function LookUp(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Loaded by name after start-up by the common controls, the shell and COM: theming (uxtheme and what
// it imports), the desktop composition, the COM catalogue, property handlers, the crypto base of
// advapi32, the compatibility shims, and what shell dialogs pull in. Missing ones (XP has no dwmapi)
// are skipped.
constexpr const char* kLateSystemDlls[] = {
    "uxtheme.dll", "msimg32.dll", "dwmapi.dll",  "clbcatq.dll", "propsys.dll",  "cryptbase.dll",
    "apphelp.dll", "userenv.dll", "version.dll", "oleacc.dll",  "setupapi.dll",
};

// Windows Vista (6.0) has SetDefaultDllDirectories once KB2533623 is installed, but others found that
// shell links can no longer be made after it there (CoCreateInstance(CLSID_ShellLink) fails), and the
// setup's shortcuts depend on them.
bool IsWindowsVista() {
    const auto version = QueryWindowsVersion();
    return version && version->major == 6 && version->minor == 0;
}

void PreloadFromSystemFolder() {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    for (const char* name : kLateSystemDlls) {
        const std::string path = std::string(folder) + "\\" + name;
        // The DLL's own imports are then looked for beside it, in the system folder, first.
        LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
}

}  // namespace

void RestrictDllSearchToSystemFolder() {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto setDefaultDirectories = LookUp<SetDefaultDllDirectoriesFn>(kernel, "SetDefaultDllDirectories");
    if (!setDefaultDirectories || IsWindowsVista() || !setDefaultDirectories(kSearchSystem32)) {
        // Windows XP SP1 and later: the current folder leaves the search; the setup's own folder stays.
        const auto setDllDirectory = LookUp<SetDllDirectoryAFn>(kernel, "SetDllDirectoryA");
        if (setDllDirectory) {
            setDllDirectory("");
        }
    }
    PreloadFromSystemFolder();
}
