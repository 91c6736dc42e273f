#include "plugins/PluginSteps_win.h"

#include <windows.h>

#include "framework/SystemLeadByte_win.h"
#include "install/FolderFiles_win.h"
#include "install/FolderPath.h"
#include "install/MainSoftwareLayout.h"
#include "install/SoftConfig_win.h"
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

PluginInstallResult ExtractPayloadInto(const PluginInstallSettings& settings, const std::string& destination) {
    ExtractFailure failure;
    CFile* setup = settings.setupFile ? settings.setupFile : RunningSetupFile();
    if (!ExtractArchiveFiles(setup, destination, payload::Selection::Payload, &failure)) {
        return Failed(PluginInstallResult(), failure.IsReadOrWrite() ? Outcome::FileFailed : Outcome::CloseHost, failure);
    }
    return PluginInstallResult();
}

void RemovePayloadFolder(const std::string& folder) {
    DeleteFolderFiles(folder);
    RemoveDirectoryA(folder.c_str());
}

PluginInstallResult PlacePluginFile(const std::string& source, const std::string& destination, FileBackup* backup) {
    if ((backup && !backup->KeepBeforeReplacing(source, destination)) ||
        !CopyFileA(source.c_str(), destination.c_str(), FALSE)) {
        ExtractFailure failure;
        failure.kind = ExtractFailure::Kind::CreateFile;
        failure.path = destination;
        failure.systemError = GetLastError();
        return Failed(PluginInstallResult(), Outcome::CloseHost, failure);
    }
    return PluginInstallResult();
}

PathsToWrite PluginPaths(const PluginInstallSettings& settings,
                         const std::string& root,
                         const std::string& programFolder) {
    PathsToWrite paths;
    CFile* setup = settings.setupFile ? settings.setupFile : RunningSetupFile();
    paths.AddArchiveFiles(root, setup, payload::Selection::Payload, programFolder);
    for (const char* emptied : {install::kAutoCadFolder, install::kCorelDrawFolder, install::kIllustratorFolder}) {
        paths.Add(root, programFolder, emptied);
    }
    for (const char* name : {"QTXLanguage\\", "QTXRes\\", "QTXCfg\\"}) {
        paths.AddFolderCopy(root, settings.setupFolder, programFolder, name);
    }
    paths.Add(root, programFolder, "QTXCfg\\Backup\\");
    paths.Add(root, programFolder, install::kSoftConfigPath);
    return paths;
}

PluginInstallResult RefuseLinkOnTheWay(const PathsToWrite& paths) {
    const std::string link = FindLinkOnTheWay(paths);
    return link.empty() ? PluginInstallResult()
                        : Failed(PluginInstallResult(), Outcome::PathError, LinkOnTheWayFailure(link));
}

PluginInstallResult SetUpProgramFolders(const PluginInstallSettings& settings, const std::string& folder) {
    for (const char* name : {"QTXLanguage\\", "QTXRes\\", "QTXCfg\\"}) {
        CreateDirectoryA((folder + name).c_str(), nullptr);
    }
    ExtractFailure failure;
    if (!InstallConfigFolder(settings.setupFolder + "QTXCfg\\", folder + "QTXCfg\\", settings.languagePosition + 1,
                             &failure)) {
        return Failed(PluginInstallResult(), Outcome::FileFailed, failure);
    }
    CopyFolderFiles(settings.setupFolder + "QTXLanguage\\", folder + "QTXLanguage\\");
    CopyFolderFiles(settings.setupFolder + "QTXRes\\", folder + "QTXRes\\");
    return PluginInstallResult();
}

}  // namespace plugins
