#include "plugins/CorelDrawInstall_win.h"

#include <windows.h>

#include "install/FileProbes_win.h"
#include "install/FolderFiles_win.h"
#include "plugins/CorelDrawVersions.h"
#include "plugins/PluginSteps_win.h"
#include "plugins/Registry_win.h"

namespace {

using Outcome = PluginInstallResult::Outcome;

// The first of the version's keys whose "Destination" can be read; the second only when the first fails.
// An empty one counts as unreadable: it would put the plug-in below the root of the current drive.
bool ReadCorelDrawDestination(const plugins::CorelDrawVersion& version, std::string* destination) {
    for (const char* key : version.registryKeys) {
        if (key && ReadMachineText(key, plugins::kCorelDestinationValue, destination) && !destination->empty()) {
            return true;
        }
    }
    return false;
}

void DeleteFiles(const std::string& folder, const std::array<const char*, 6>& names) {
    for (const char* name : names) {
        DeleteFileA((folder + name).c_str());
    }
}

// Everything after the extraction into the program folder, which has succeeded.
PluginInstallResult PlaceModuleAndFolders(const PluginInstallSettings& settings,
                                          const plugins::CorelDrawFolders& folders,
                                          const plugins::CorelDrawVersion& version) {
    plugins::RemovePayloadFolder(folders.program + "QTXCad\\");

    // No other version's module may stay where CorelDRAW loads modules from.
    DeleteFiles(folders.gms, plugins::kGmsFolderModules);
    DeleteFileA((folders.gms + plugins::kCorelModuleName).c_str());
    DeleteFiles(folders.program, plugins::kProgramFolderModules);

    const std::string pluginFolder = folders.program + "QTXCorel\\";
    CopyFolderFiles(pluginFolder, folders.program);
    const PluginInstallResult placed =
        plugins::PlacePluginFile(pluginFolder + version.module, folders.gms + plugins::kCorelModuleName);
    if (placed.outcome != Outcome::Installed) {
        return placed;
    }
    plugins::RemovePayloadFolder(pluginFolder);
    // The folder copy above brought the modules along; only "QTXCorel.gms" is to be loaded.
    DeleteFiles(folders.program, plugins::kProgramFolderModules);

    return plugins::SetUpProgramFolders(settings, folders.program);
}

}  // namespace

PluginInstallResult InstallCorelDrawPlugin(const PluginInstallSettings& settings) {
    const plugins::CorelDrawVersion* version = plugins::FindCorelDrawVersion(settings.versionIndex);
    if (!version) {
        return plugins::Failed(Outcome::PathError);
    }

    plugins::CorelDrawFolders folders;
    if (settings.autoInstall) {
        std::string destination;
        if (!ReadCorelDrawDestination(*version, &destination)) {
            return plugins::Failed(Outcome::HostNotFound);
        }
        folders = plugins::CorelDrawFoldersUnder(destination + "\\", *version);
        CreateDirectoryA(folders.gms.c_str(), nullptr);
    } else {
        const std::string base = plugins::HostFolderFromTarget(settings.targetFolder);
        if (base.empty() || !FolderExists(base + version->programFolder)) {
            return plugins::Failed(Outcome::PathError);
        }
        CreateDirectoryA((base + "Draw\\").c_str(), nullptr);
        folders = plugins::CorelDrawFoldersUnder(base, *version);
    }

    const PluginInstallResult extracted = plugins::ExtractPayloadInto(settings, folders.program);
    if (extracted.outcome != Outcome::Installed) {
        return extracted;
    }
    if (!settings.autoInstall) {
        CreateDirectoryA(folders.gms.c_str(), nullptr);
    }
    return PlaceModuleAndFolders(settings, folders, *version);
}
