#pragma once
// The check programs run each case in a child of their own, which ends the process as the case wants.

#include <windows.h>

#include <string>

// Starts `command`, waits up to a minute and answers its exit code (0xFFFFFFFF when it did not start).
inline DWORD RunChildAndWait(std::string command) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    DWORD exitCode = 0xFFFFFFFF;
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return exitCode;
}
