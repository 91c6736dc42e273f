// Test helper: holds a file open without sharing, as a running program holds its own files, until it
// is ended or a minute has passed. Usage: vt_hold_file FILE READY_FLAG
// The ready flag is created once the file is held, so the test knows when to go on.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vt_hold_file FILE READY_FLAG\n");
        return 2;
    }
    HANDLE held = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "vt_hold_file: cannot open %s (%lu)\n", argv[1], GetLastError());
        return 1;
    }
    HANDLE ready = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(ready);
    Sleep(60000);
    CloseHandle(held);
    return 0;
}
