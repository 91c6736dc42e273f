#include "drivers/DriverPlacement_win.h"

#include <new>

#include "framework/File_win.h"
#include "drivers/DriverPlacementPlan.h"
#include "drivers/DriverStoreLogScan.h"
#include "drivers/SystemInfo_win.h"

namespace {

// A log too large to hold in this 32-bit process counts as unreadable.
constexpr std::uint64_t kMaxLogBytes = 0x40000000;

bool ReadWholeFile(const std::string& path, std::string& contents) {
    CFile file;
    if (!file.Open(path, CFile::Mode::Read)) {
        return false;
    }
    const std::uint64_t length = file.Length();
    if (length == UINT64_MAX || length > kMaxLogBytes) {
        return false;
    }
    try {
        contents.resize(static_cast<std::size_t>(length));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return length == 0 || file.Read(contents.data(), static_cast<std::uint32_t>(length));
}

}  // namespace

BOOL FindModemDriverStoreFolder(const std::string& logPath, std::string& name) {
    std::string log;
    if (!ReadWholeFile(logPath, log)) {
        return FALSE;
    }
    return drivers::ScanForModemDriverStoreFolder(log, name) ? TRUE : FALSE;
}

void PlaceDriverFiles(const std::string& sourceFolder) {
    char systemFolder[261];
    const UINT length = GetSystemDirectoryA(systemFolder, sizeof systemFolder);
    // A length beyond the buffer means the folder did not fit and nothing usable was written.
    if (length == 0 || length >= sizeof systemFolder) {
        return;
    }
    PlaceDriverFilesBelow(sourceFolder, std::string(systemFolder, length));
}

void PlaceDriverFilesBelow(const std::string& sourceFolder, const std::string& systemFolder) {
    const std::string windowsFolder = drivers::WindowsFolderOf(systemFolder);
    if (windowsFolder.empty()) {
        return;
    }
    const bool is64BitWindows = Is64BitWindows() != FALSE;
    const std::optional<drivers::WindowsVersion> version = QueryWindowsVersion();

    std::string driverStoreFolder;
    if (drivers::NeedsDriverStoreFolder(version)) {
        FindModemDriverStoreFolder(windowsFolder + "inf\\setupapi.dev.log", driverStoreFolder);
    }

    // Results are ignored on purpose: a keep copy onto an existing file fails by design, and the
    // installers that follow report what is really missing.
    for (const drivers::PlacementStep& step :
         drivers::PlanDriverPlacement(version, is64BitWindows, driverStoreFolder)) {
        const std::string destination = windowsFolder + step.destination;
        if (step.action == drivers::PlacementStep::Action::CreateFolder) {
            CreateDirectoryA(destination.c_str(), nullptr);
        } else {
            const BOOL failIfExists = step.existing == drivers::ExistingFile::Keep ? TRUE : FALSE;
            CopyFileA((sourceFolder + step.source).c_str(), destination.c_str(), failIfExists);
        }
    }
}
