// Test helper: a DLL that proves it was loaded. Planted beside a program under a system DLL's name, it
// writes "<its own path>.loaded" when a process loads it, and does nothing else.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            const std::string marker = std::string(path, length) + ".loaded";
            const HANDLE file =
                CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                CloseHandle(file);
            }
        }
    }
    return TRUE;
}
