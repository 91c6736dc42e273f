#pragma once
// Steps the three plug-in installations share: each takes or returns what PluginInstall_win.h defines.

#include <string>

#include "install/FileBackup_win.h"
#include "install/InstallFailure_win.h"
#include "install/LinkOnTheWay_win.h"
#include "plugins/PluginInstall_win.h"

namespace plugins {

// The named folder with one "\" at its end; empty when none was named or it is not a full path
// (install::IsFullPath), since a relative one would lean on the elevated setup's current folder.
std::string HostFolderFromTarget(const std::string& targetFolder);

// The payload into destination (which ends in "\"): Installed, or CloseHost or FileFailed with the cause.
PluginInstallResult ExtractPayloadInto(const PluginInstallSettings& settings, const std::string& destination);

// Empties a folder the extraction brought along and removes it; one that still holds a sub-folder stays.
void RemovePayloadFolder(const std::string& folder);

// Copies the file that makes the plug-in work, overwriting: Installed, or CloseHost naming the destination.
// With a backup, a destination that is the user's own and differs is kept first; when it can't be
// kept, it is not replaced either (CloseHost).
PluginInstallResult PlacePluginFile(const std::string& source,
                                    const std::string& destination,
                                    FileBackup* backup = nullptr);

// The paths every plug-in installation writes, creates, empties or deletes below `root`, the host's folder
// (which may itself be a link): the payload as it lands in programFolder, the payload folders it empties
// there, and the program folders it sets up. Each branch adds the files it places and deletes.
PathsToWrite PluginPaths(const PluginInstallSettings& settings,
                         const std::string& root,
                         const std::string& programFolder);

// Installed when no link lies on the way to any of the paths; otherwise PathError naming the first link
// (failure kind Link), before anything is written.
PluginInstallResult RefuseLinkOnTheWay(const PathsToWrite& paths);

// "QTXLanguage\", "QTXRes\" and "QTXCfg\" in folder, filled from beside the setup, then "SoftCfg.ini".
// Installed, or FileFailed when a read or write of the configuration copy failed.
PluginInstallResult SetUpProgramFolders(const PluginInstallSettings& settings, const std::string& folder);

}  // namespace plugins
