// Places the driver files as the setup does, in a process of its own, so that the test can give it the
// Windows version Wine reports (read by Wine when a process starts).
//   place_driver_files_runner REPORT SOURCE_FOLDER [SYSTEM_FOLDER]
// Writes "major minor 64-bit-windows" (as this process sees them) to REPORT, then places the files from
// SOURCE_FOLDER below SYSTEM_FOLDER's Windows folder, or below the system's own without it.

#include <windows.h>

#include <cstdio>
#include <string>

#include "drivers/DriverPlacement_win.h"
#include "drivers/SystemInfo_win.h"

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: place_driver_files_runner REPORT SOURCE_FOLDER [SYSTEM_FOLDER]\n");
        return 2;
    }
    const std::optional<drivers::WindowsVersion> version = QueryWindowsVersion();
    FILE* report = std::fopen(argv[1], "w");
    if (report == nullptr) {
        return 3;
    }
    std::fprintf(report, "%ld %ld %d\n", version ? static_cast<long>(version->major) : -1L,
                 version ? static_cast<long>(version->minor) : -1L, Is64BitWindows() ? 1 : 0);
    std::fclose(report);

    if (argc == 4) {
        PlaceDriverFilesBelow(argv[2], argv[3]);
    } else {
        PlaceDriverFiles(argv[2]);
    }
    return 0;
}
