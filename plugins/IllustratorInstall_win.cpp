#include "plugins/IllustratorInstall_win.h"

#include <windows.h>

#include "install/FileProbes_win.h"
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

    PathsToWrite paths = plugins::PluginPaths(settings, base, programFolder);
    paths.Add(base, pluginFolder, pluginFile);
    for (const char* older : plugins::kOlderIllustratorPlugins) {
        paths.Add(base, pluginFolder, older);
    }
    for (const char* module : plugins::kCorelModulesInIllustrator) {
        paths.Add(base, programFolder, module);
    }
    const PluginInstallResult noLink = plugins::RefuseLinkOnTheWay(paths);
    if (noLink.outcome != Outcome::Installed) {
        return noLink;
    }

    const PluginInstallResult extracted = plugins::ExtractPayloadInto(settings, programFolder);
    if (extracted.outcome != Outcome::Installed) {
        return extracted;
    }
    plugins::RemovePayloadFolder(programFolder + "QTXCad\\");
    plugins::RemovePayloadFolder(programFolder + "QTXCorel\\");

    for (const char* older : plugins::kOlderIllustratorPlugins) {
        DeleteFileA((pluginFolder + older).c_str());
    }
    // The payload's folder is "QtxAi"; the file system finds it, and the file, whatever the case.
    const PluginInstallResult placed =
        plugins::PlacePluginFile(programFolder + "QTXAi\\" + pluginFile, pluginFolder + pluginFile);
    if (placed.outcome != Outcome::Installed) {
        return placed;
    }
    plugins::RemovePayloadFolder(programFolder + "QTXAi\\");
    for (const char* module : plugins::kCorelModulesInIllustrator) {
        DeleteFileA((programFolder + module).c_str());
    }

    return plugins::SetUpProgramFolders(settings, programFolder);
}
