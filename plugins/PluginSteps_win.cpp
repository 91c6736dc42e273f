#include "plugins/PluginSteps_win.h"

#include <windows.h>

#include "framework/SystemLeadByte_win.h"
#include "install/FolderPath.h"
#include "install/InstallFailure_win.h"
#include "install/PlanSteps_win.h"
#include "payload/SetupFile_win.h"

namespace {

using Outcome = PluginInstallResult::Outcome;

}  // namespace

namespace plugins {

std::string HostFolderFromTarget(const std::string& targetFolder) {
    if (!install::IsFullPath(targetFolder, IsSystemLeadByte)) {
        return std::string();
    }
    return install::WithTrailingBackslash(targetFolder, IsSystemLeadByte);
}

PluginInstallResult MissingFromPayload(const std::string& destination) {
    ExtractFailure failure;
    failure.kind = ExtractFailure::Kind::CreateFile;
    failure.path = destination;
    failure.systemError = ERROR_FILE_NOT_FOUND;
    return Failed(PluginInstallResult(), Outcome::CloseHost, failure);
}

void PlanPluginProgramFolders(install::InstallPlan& plan,
                              const PluginInstallSettings& settings,
                              const std::string& folder) {
    PlanProgramFolders(plan, settings.setupFolder, folder, {"QTXLanguage\\", "QTXRes\\", "QTXCfg\\"},
                       settings.languagePosition + 1);
}

PluginInstallResult RunPlans(const std::vector<install::InstallPlan>& plans, const PluginInstallSettings& settings) {
    const InstallRun run = RunInstallPlans(plans, *SetupFileOf(settings), settings.observer);
    PluginInstallResult result = Failed(PluginInstallResult(), Outcome::Installed, run.failure);
    result.found = run.found;
    result.notRestored = run.notRestored;
    switch (run.stop) {
        case InstallRun::Stop::None:
            break;
        case InstallRun::Stop::Link:
            result.outcome = Outcome::PathError;
            break;
        case InstallRun::Stop::FilesInUse:
            result.outcome = Outcome::FilesInUse;
            break;
        case InstallRun::Stop::NoSpace:
            result.outcome = Outcome::NoSpace;
            break;
        case InstallRun::Stop::Cancelled:
            result.outcome = Outcome::Cancelled;
            break;
        case InstallRun::Stop::Failed:
            result.outcome = run.failure.IsReadOrWrite() ? Outcome::FileFailed : Outcome::CloseHost;
            break;
    }
    return result;
}

CFile* SetupFileOf(const PluginInstallSettings& settings) {
    return settings.setupFile ? settings.setupFile : RunningSetupFile();
}

}  // namespace plugins
