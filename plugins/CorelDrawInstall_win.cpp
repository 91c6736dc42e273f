#include "plugins/CorelDrawInstall_win.h"

#include <windows.h>

#include "framework/SystemLeadByte_win.h"
#include "install/FileProbes_win.h"
#include "install/FolderPath.h"
#include "install/InstallFailure_win.h"
#include "install/PlanSteps_win.h"
#include "install/SameFileOnWindows_win.h"
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

// Everything the installation leaves below CorelDRAW's folder.
PluginInstallResult PlanCorelDraw(const PluginInstallSettings& settings,
                                  const plugins::CorelDrawFolders& folders,
                                  const plugins::CorelDrawVersion& version,
                                  install::InstallPlan& plan) {
    ExtractFailure failure;
    std::vector<ArchiveFile> entries;
    if (!ListArchiveFiles(plugins::SetupFileOf(settings), payload::Selection::Payload, &entries, &failure) ||
        !PlanArchiveFiles(plan, entries, folders.program, {"QTXCad", "QTXCorel"}, &failure)) {
        return Failed(PluginInstallResult(), Outcome::CloseHost, failure);
    }
    PlanEmptiedFolder(plan, folders.program + "QTXCad\\");
    PlanEmptiedFolder(plan, folders.program + "QTXCorel\\");

    // No other version's module may stay where CorelDRAW loads modules from.
    plan.MakeFolder(folders.gms);
    for (const char* name : plugins::kGmsFolderModules) {
        plan.Delete(folders.gms + name);
    }
    if (!PlanArchiveFile(plan, entries, ("QTXCorel\\" + std::string(version.module)).c_str(),
                         folders.gms + plugins::kCorelModuleName)) {
        return plugins::MissingFromPayload(folders.gms + plugins::kCorelModuleName);
    }
    // The plug-in's other files go to the top of the program folder; of the modules only
    // "QTXCorel.gms" is to be loaded, so none stays there.
    for (const ArchiveFile& entry : entries) {
        // Directly in "QTXCorel", named as Windows would find it there.
        const std::size_t separator = payload::LastSeparator(entry.name, IsSystemLeadByte);
        if (separator != std::string::npos &&
            SameFileOnWindows(std::string_view(entry.name).substr(0, separator), "QTXCorel")) {
            PlanArchiveFile(plan, entries, entry.name.c_str(), folders.program + entry.name.substr(separator + 1));
        }
    }
    for (const char* name : plugins::kProgramFolderModules) {
        plan.Delete(folders.program + name);
    }
    plugins::PlanPluginProgramFolders(plan, settings, folders.program);
    return PluginInstallResult();
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
    std::vector<install::InstallPlan> plans;
    plans.emplace_back(folders.base, folders.base, IsSystemLeadByte, WindowsNameKey);
    const PluginInstallResult planned = PlanCorelDraw(settings, folders, *version, plans[0]);
    return planned.outcome != Outcome::Installed ? planned : plugins::RunPlans(plans, settings);
}
