#include "plugins/IllustratorInstall_win.h"

#include <windows.h>

#include "framework/SystemLeadByte_win.h"
#include "install/FileProbes_win.h"
#include "install/InstallFailure_win.h"
#include "install/PlanSteps_win.h"
#include "install/SameFileOnWindows_win.h"
#include "plugins/IllustratorVersions.h"
#include "plugins/PluginSteps_win.h"

using Outcome = PluginInstallResult::Outcome;

PluginInstallResult InstallIllustratorPlugin(const PluginInstallSettings& settings) {
    const char* pluginFile = plugins::FindIllustratorPluginFile(settings.versionIndex);
    const std::string base = plugins::HostFolderFromTarget(settings.targetFolder);
    if (!pluginFile || base.empty() || !FolderExists(base + plugins::kIllustratorProgramFolder) ||
        !FolderExists(base + plugins::kIllustratorPluginFolder)) {
        return Failed(PluginInstallResult(), Outcome::PathError);
    }
    const std::string programFolder = base + plugins::kIllustratorProgramFolder + "\\";
    const std::string pluginFolder = base + plugins::kIllustratorPluginFolder + "\\";

    std::vector<install::InstallPlan> plans;
    plans.emplace_back(base, base, IsSystemLeadByte, WindowsNameKey);
    install::InstallPlan& plan = plans[0];
    ExtractFailure failure;
    std::vector<ArchiveFile> entries;
    if (!ListArchiveFiles(plugins::SetupFileOf(settings), payload::Selection::Payload, &entries, &failure) ||
        !PlanArchiveFiles(plan, entries, programFolder, {"QTXCad", "QTXCorel", "QtxAi"}, &failure)) {
        return Failed(PluginInstallResult(), Outcome::CloseHost, failure);
    }
    for (const char* emptied : {"QTXCad\\", "QTXCorel\\", "QTXAi\\"}) {
        PlanEmptiedFolder(plan, programFolder + emptied);
    }
    // The chosen plug-in is the only one of ours left in the plug-in folder.
    for (const char* older : plugins::kOlderIllustratorPlugins) {
        plan.Delete(pluginFolder + older);
    }
    // The payload's folder is "QtxAi" and spells some plug-ins in another case: names match whatever the case.
    if (!PlanArchiveFile(plan, entries, ("QtxAi\\" + std::string(pluginFile)).c_str(), pluginFolder + pluginFile)) {
        return plugins::MissingFromPayload(pluginFolder + pluginFile);
    }
    for (const char* module : plugins::kCorelModulesInIllustrator) {
        plan.Delete(programFolder + module);
    }
    plugins::PlanPluginProgramFolders(plan, settings, programFolder);
    return plugins::RunPlans(plans, settings);
}
