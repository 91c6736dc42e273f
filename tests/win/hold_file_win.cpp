// Test helper: holds one file open without sharing until it is ended, the way a running program
// holds its own files. Usage: hold_file PATH
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    Sleep(INFINITE);
    return 0;
}
