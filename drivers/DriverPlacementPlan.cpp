#include "drivers/DriverPlacementPlan.h"

#include "drivers/DriverStoreLogScan.h"

namespace drivers {

namespace {

bool Is(std::optional<WindowsVersion> version, unsigned long major, unsigned long minor) {
    return version && version->major == major && version->minor == minor;
}

bool Applies(PlacementCondition when, std::optional<WindowsVersion> version, bool haveDriverStoreFolder) {
    switch (when) {
        case PlacementCondition::AnyVersion:
            return true;
        case PlacementCondition::Windows7:
            return Is(version, 6, 1);
        case PlacementCondition::Windows7DriverStore:
            return Is(version, 6, 1) && haveDriverStoreFolder;
        case PlacementCondition::WindowsXp:
            return Is(version, 5, 1);
    }
    return false;
}

}  // namespace

bool NeedsDriverStoreFolder(std::optional<WindowsVersion> version) {
    return Is(version, 6, 1);
}

std::vector<PlacementStep> PlanDriverPlacement(std::optional<WindowsVersion> version,
                                               bool is64BitWindows,
                                               std::string_view driverStoreFolder) {
    // The name comes from a log file: one that could lead out of the repository is not used.
    const bool haveDriverStoreFolder = IsPlainFolderName(driverStoreFolder);
    std::string storeFolder;
    if (haveDriverStoreFolder) {
        storeFolder.append(kDriverStoreRepository).append(driverStoreFolder).append("\\");
    }

    std::vector<PlacementStep> steps;
    bool storeFolderCreated = false;
    for (const PlacementTableRow& row : kPlacementTable) {
        if (!Applies(row.when, version, haveDriverStoreFolder)) {
            continue;
        }
        std::string destination = row.destination;
        if (row.when == PlacementCondition::Windows7DriverStore) {
            // The repository itself belongs to Windows; only the package's own folder is made.
            if (!storeFolderCreated) {
                steps.push_back({PlacementStep::Action::CreateFolder, {}, storeFolder, ExistingFile::Keep});
                storeFolderCreated = true;
            }
            destination = storeFolder + destination;
        }
        steps.push_back(
            {PlacementStep::Action::Copy, is64BitWindows ? row.source64 : row.source32, destination, row.existing});
    }
    return steps;
}

}  // namespace drivers
