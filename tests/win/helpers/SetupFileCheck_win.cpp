// Test helper: opens its own file as the setup does at start-up, once GO_FLAG exists, then creates
// READY_FLAG. Usage: vt_setup_file_check GO_FLAG READY_FLAG
// With its file open it keeps running (holding it) for up to a minute, until it is ended; otherwise it
// ends at once. The exit code is the state of its own file (SetupFileState).
#include <windows.h>

#include "payload/SetupFile_win.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        return 100;
    }
    for (int waited = 0; GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES; waited += 50) {
        if (waited > 60000) {
            return 101;
        }
        Sleep(50);
    }
    const SetupFileState state = OpenRunningSetupFile();
    CloseHandle(CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (state == SetupFileState::Open) {
        Sleep(60000);
    }
    return static_cast<int>(state);
}
