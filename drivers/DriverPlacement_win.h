#pragma once
// Placing the driver files into the Windows folder tree before the driver installers run. Every copy is
// best effort: a failure is not reported and the next copy follows.

#include <windows.h>

#include <string>
#include <vector>

// Reads the device-installation log at `logPath` (opened without sharing) and looks for the driver-store
// folder of the modem INF. TRUE and `name` set when found; FALSE, `name` untouched, when the log cannot be
// read or names no such folder.
BOOL FindModemDriverStoreFolder(const std::string& logPath, std::string& name);

// Copies the driver files from `sourceFolder` (ending in "\") into the Windows folder, as the Windows
// version and bitness require. Each lands in the folder its table row names as a 64-bit program sees
// it: on 64-bit Windows WOW64's redirection of "system32" is off while the destinations are made.
void PlaceDriverFiles(const std::string& sourceFolder);

// The same below the Windows folder of `systemFolder` instead of the system's own.
void PlaceDriverFilesBelow(const std::string& sourceFolder, const std::string& systemFolder);

// Every folder and file PlaceDriverFilesBelow would create for `systemFolder`, as a 64-bit program sees
// it, and the Windows folder they lie below (ending in "\"; empty, and no paths, when there is none).
std::vector<std::string> DriverPlacementDestinations(const std::string& systemFolder, std::string* windowsFolder);
