// Test helper: loads each DLL named on the command line by name alone, with the system's default
// search and nothing restricted, the way the setup's system DLLs would without its own restriction.
// Usage: vt_load_by_name NAME.dll...   Exit code: the number of names that could not be loaded.
#include <windows.h>

int main(int argc, char** argv) {
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        if (!LoadLibraryA(argv[i])) {
            ++failed;
        }
    }
    return failed;
}
