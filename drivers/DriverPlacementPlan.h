#pragma once
// Which driver files go where in the Windows folder tree, decided from the Windows version and bitness
// alone. The table is the decision; PlanDriverPlacement only reads it, so the Win32 side carries out a
// list of steps without making any choice of its own.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/CharacterWalk.h"

namespace drivers {

struct WindowsVersion {
    unsigned long major = 0;
    unsigned long minor = 0;
};

enum class ExistingFile {
    Replace,  // an existing destination is overwritten
    Keep,     // an existing destination is left as it is and the copy does nothing
};

enum class PlacementCondition {
    AnyVersion,
    Windows7,             // 6.1
    Windows7DriverStore,  // 6.1, and the device-installation log named the modem INF's store folder
    WindowsXp,            // 5.1
};

struct PlacementTableRow {
    PlacementCondition when;
    const char* source32;  // file name in the source folder on 32-bit Windows
    const char* source64;  // ... and on 64-bit Windows
    // Below the Windows folder; for the driver-store rows, below the modem INF's store folder.
    const char* destination;
    ExistingFile existing;
};

// In the order the copies are made.
inline constexpr PlacementTableRow kPlacementTable[] = {
    {PlacementCondition::AnyVersion, "QtxWdf0.d", "QtxWdf1.d", "system32\\WdfCoInstaller01011.dll",
     ExistingFile::Replace},
    {PlacementCondition::AnyVersion, "QtxWin0.d", "QtxWin1.d", "system32\\winusbcoinstaller2.dll",
     ExistingFile::Replace},
    {PlacementCondition::AnyVersion, "Usbvcommtp.inf", "Usbvcommtp.inf", "inf\\Usbvcommtp.inf", ExistingFile::Replace},
    {PlacementCondition::AnyVersion, "Usbvcommtp.cat", "Usbvcommtp.cat", "inf\\Usbvcommtp.cat", ExistingFile::Replace},
    {PlacementCondition::Windows7, "qtx512m.006", "qtx512m2.006", "inf\\mdmcpq.inf", ExistingFile::Keep},
    {PlacementCondition::Windows7, "qtx512u.006", "qtx512u2.006", "inf\\usbser.sys", ExistingFile::Keep},
    {PlacementCondition::Windows7, "qtx512u.006", "qtx512u2.006", "system32\\drivers\\usbser.sys", ExistingFile::Keep},
    {PlacementCondition::Windows7DriverStore, "qtx512m.006", "qtx512m2.006", "mdmcpq.inf", ExistingFile::Keep},
    {PlacementCondition::Windows7DriverStore, "qtx512u.006", "qtx512u2.006", "usbser.sys", ExistingFile::Keep},
    // Windows XP has no 64-bit variant of its own.
    {PlacementCondition::WindowsXp, "qtx512m.005", "qtx512m.005", "inf\\mdmcpq.inf", ExistingFile::Keep},
    {PlacementCondition::WindowsXp, "qtx512u.005", "qtx512u.005", "inf\\usbser.sys", ExistingFile::Keep},
    {PlacementCondition::WindowsXp, "qtx512u.005", "qtx512u.005", "system32\\drivers\\usbser.sys", ExistingFile::Keep},
};

// The store folders of driver packages, below the Windows folder ("System32" in this letter case).
inline constexpr std::string_view kDriverStoreRepository = "System32\\DriverStore\\FileRepository\\";

struct PlacementStep {
    enum class Action {
        CreateFolder,  // the last level of `destination` only; failure is not an error
        Copy,
    };
    Action action = Action::Copy;
    std::string source;       // file name in the source folder; empty for CreateFolder
    std::string destination;  // below the Windows folder; a folder ends in "\"
    ExistingFile existing = ExistingFile::Replace;

    bool operator==(const PlacementStep&) const = default;
};

// Only Windows 7 looks for the modem INF's store folder in the device-installation log.
bool NeedsDriverStoreFolder(std::optional<WindowsVersion> version);

// The steps in order. An unknown version (the query failed) still gets the copies every version gets;
// `driverStoreFolder` is the folder name found in the log, or empty; a name that is not a plain folder
// name counts as none.
std::vector<PlacementStep> PlanDriverPlacement(std::optional<WindowsVersion> version,
                                               bool is64BitWindows,
                                               std::string_view driverStoreFolder);

}  // namespace drivers
