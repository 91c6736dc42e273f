// Test helper: writes one shortcut so it can be read from Linux with lnkinfo.
// Usage: write_shortcut SHORTCUT TARGET DESCRIPTION [ICON]; the exit code is 0 when it was saved.
#include <cstdio>

#include "install/Shortcut_win.h"

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        return 2;
    }
    const HRESULT result = argc == 5 ? CreateShortcutWithIcon(argv[2], argv[1], argv[3], argv[4])
                                     : CreateShortcut(argv[2], argv[1], argv[3]);
    std::printf("0x%08lx\n", static_cast<unsigned long>(result));
    return SUCCEEDED(result) ? 0 : 1;
}
