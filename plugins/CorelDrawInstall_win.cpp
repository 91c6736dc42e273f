#include "plugins/CorelDrawInstall_win.h"

#include <windows.h>

#include "framework/SystemLeadByte_win.h"
#include "install/FileProbes_win.h"
#include "install/FolderFiles_win.h"
#include "install/FolderPath.h"
#include "payload/SetupFile_win.h"
#include "plugins/CorelDrawVersions.h"
#include "plugins/HostSearch.h"
#include "plugins/PluginSteps_win.h"
#include "plugins/Registry_win.h"

namespace {

using Outcome = PluginInstallResult::Outcome;

// The folders of the first CorelDRAW of the version registered in either view (HostSearch.h), keys in
// the table's order within a view. A key counts when its "Destination" is a full path whose program
// folder of the version exists: an uninstalled CorelDRAW leaves its key behind, and a 32-bit one has no
// "Programs64", so the next key is tried.
bool FindRegisteredCorelDraw(const plugins::CorelDrawVersion& version, plugins::CorelDrawFolders* folders) {
    for (const plugins::RegistryView view :
         plugins::ViewsToSearch(sizeof(void*) == 8, plugins::IsSixtyFourBitVersion(version))) {
        for (const char* key : version.registryKeys) {
            std::string destination;
            if (!key || !ReadMachineText(key, plugins::kCorelDestinationValue, &destination, RegistryViewFlag(view)) ||
                !install::IsFullPath(destination, IsSystemLeadByte)) {
                continue;
            }
            const plugins::CorelDrawFolders found = plugins::CorelDrawFoldersUnder(destination + "\\", version);
            if (FolderExists(found.program.substr(0, found.program.size() - 1))) {
                *folders = found;
                return true;
            }
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

// What the installation writes below CorelDRAW's folder: besides what every plug-in writes, the modules
// copied from the payload's "QTXCorel\" into the program folder, the GMS folder and the modules it
// deletes there and in the program folder.
PathsToWrite CorelDrawPaths(const PluginInstallSettings& settings, const plugins::CorelDrawFolders& folders) {
    PathsToWrite paths = plugins::PluginPaths(settings, folders.base, folders.program);
    std::vector<std::string> names;
    ListArchiveFiles(settings.setupFile ? settings.setupFile : RunningSetupFile(), payload::Selection::Payload, &names);
    for (const std::string& name : names) {
        const std::size_t separator = payload::LastSeparator(name, IsSystemLeadByte);
        const std::string folder = separator == std::string::npos ? std::string() : name.substr(0, separator);
        if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, folder.c_str(), -1, "QTXCorel", -1) == CSTR_EQUAL) {
            paths.Add(folders.base, folders.program, name.c_str() + separator + 1);
        }
    }
    paths.Add(folders.base, folders.gms, plugins::kCorelModuleName);
    for (const char* name : plugins::kGmsFolderModules) {
        paths.Add(folders.base, folders.gms, name);
    }
    for (const char* name : plugins::kProgramFolderModules) {
        paths.Add(folders.base, folders.program, name);
    }
    return paths;
}

}  // namespace

PluginInstallResult InstallCorelDrawPlugin(const PluginInstallSettings& settings) {
    const plugins::CorelDrawVersion* version = plugins::FindCorelDrawVersion(settings.versionIndex);
    if (!version) {
        return Failed(PluginInstallResult(), Outcome::PathError);
    }

    plugins::CorelDrawFolders folders;
    if (settings.autoInstall) {
        if (!FindRegisteredCorelDraw(*version, &folders)) {
            return Failed(PluginInstallResult(), Outcome::HostNotFound);
        }
    } else {
        const std::string base = plugins::HostFolderFromTarget(settings.targetFolder);
        if (base.empty() || !FolderExists(base + version->programFolder)) {
            return Failed(PluginInstallResult(), Outcome::PathError);
        }
        folders = plugins::CorelDrawFoldersUnder(base, *version);
    }
    const PluginInstallResult noLink = plugins::RefuseLinkOnTheWay(CorelDrawPaths(settings, folders));
    if (noLink.outcome != Outcome::Installed) {
        return noLink;
    }
    if (settings.autoInstall) {
        CreateDirectoryA(folders.gms.c_str(), nullptr);
    } else {
        CreateDirectoryA((folders.base + "Draw\\").c_str(), nullptr);
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
