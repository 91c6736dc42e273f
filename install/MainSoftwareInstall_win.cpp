#include "install/MainSoftwareInstall_win.h"

#include <windows.h>

#include <cstring>

#include "framework/File_win.h"
#include "framework/SystemLeadByte_win.h"
#include "install/FolderFiles_win.h"
#include "install/FolderLevels_win.h"
#include "install/FolderProtection_win.h"
#include "install/InstallFailure_win.h"
#include "install/LinkOnTheWay_win.h"
#include "install/MainSoftwareLayout.h"
#include "install/ShortcutFolders_win.h"
#include "install/Shortcut_win.h"
#include "install/SoftConfig_win.h"
#include "payload/SetupFile_win.h"

namespace {

using Outcome = MainInstallResult::Outcome;

// The install folder is made with Program Files' permissions; the levels above it, typed in the dialog,
// as any new folder. A folder that exists keeps its permissions: they may be the user's choice.
// installFolder is the target, "\" and the folder's own name, "\" (install::InstallFolderFor).
void PrepareInstallFolder(const std::string& installFolder, MainInstallResult& result) {
    const std::string folder = installFolder.substr(0, installFolder.size() - 1);
    result.folderPath = folder;
    if (GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES) {
        result.folder = MainInstallResult::Folder::Existed;
        return;
    }
    CreateFolderLevels(installFolder.substr(0, installFolder.size() - std::strlen(install::kInstallFolderName)));
    result.folder = CreateProtectedFolder(folder, &result.folderError) ? MainInstallResult::Folder::Created
                                                                       : MainInstallResult::Folder::NotCreated;
}

void CreateShortcuts(const MainInstallSettings& settings, const std::string& installFolder) {
    const std::string program = installFolder + install::kProgramPath;
    const std::string icon = installFolder + install::kIconPath;
    // Without folders of the caller's, the current user's; an empty one means the shell has none, so no
    // shortcut lands in a root.
    ShortcutFolders own;
    if (settings.desktopFolder.empty() || settings.programsFolder.empty()) {
        own = FindShortcutFolders(false);
    }
    const std::string desktop = settings.desktopFolder.empty() ? own.desktop : settings.desktopFolder;
    const std::string programs = settings.programsFolder.empty() ? own.programs : settings.programsFolder;
    // The start-menu folder exists before any shortcut is made.
    const std::string menu = programs.empty() ? std::string() : programs + install::kMenuFolderName;
    if (!menu.empty()) {
        CreateDirectoryA(menu.c_str(), nullptr);
    }
    if (!desktop.empty()) {
        CreateShortcutWithIcon(program, install::ShortcutPath(desktop, settings.productName, IsSystemLeadByte), program,
                               icon);
    }
    if (!menu.empty()) {
        CreateShortcutWithIcon(program, install::ShortcutPath(menu, settings.productName, IsSystemLeadByte), program,
                               icon);
        CreateShortcut(installFolder + install::kUninstallerPath, menu + install::kUninstallShortcutName, program);
    }
}

// Every path the installation writes, creates, empties or deletes, below the target: the install folder
// itself may be a planted link, since any user may make one under the root of a drive.
PathsToWrite MainSoftwarePaths(const MainInstallSettings& settings, CFile* setup, const std::string& installFolder) {
    const std::string target = installFolder.substr(0, installFolder.size() - std::strlen(install::kInstallFolderName));
    PathsToWrite paths;
    paths.AddArchiveFiles(target, setup, payload::Selection::Payload, installFolder);
    for (const char* emptied : {install::kAutoCadFolder, install::kCorelDrawFolder, install::kIllustratorFolder}) {
        paths.Add(target, installFolder, emptied);
    }
    for (const char* loose : install::kLooseFolders) {
        paths.AddFolderCopy(target, settings.setupFolder, installFolder, loose);
    }
    paths.Add(target, installFolder, "QTXCfg\\Backup\\");
    paths.Add(target, installFolder, install::kSoftConfigPath);
    return paths;
}

}  // namespace

MainInstallResult InstallMainSoftware(const MainInstallSettings& settings) {
    MainInstallResult result;
    const std::string installFolder = install::InstallFolderFor(settings.targetFolder, IsSystemLeadByte);
    if (installFolder.empty()) {
        return Failed(result, Outcome::PathError);
    }
    CFile* setup = settings.setupFile ? settings.setupFile : RunningSetupFile();
    const std::string link = FindLinkOnTheWay(MainSoftwarePaths(settings, setup, installFolder));
    if (!link.empty()) {
        return Failed(result, Outcome::PathError, LinkOnTheWayFailure(link));
    }
    PrepareInstallFolder(installFolder, result);

    ExtractFailure failure;
    if (!ExtractArchiveFiles(setup, installFolder, payload::Selection::Payload, &failure)) {
        return Failed(result, failure.IsReadOrWrite() ? Outcome::FileFailed : Outcome::CopyFailed, failure);
    }

    // CorelDRAW's and AutoCAD's folders are emptied before either is removed, Illustrator's after.
    // RemoveDirectoryA only takes an empty folder: one that still holds a sub-folder stays.
    const std::string cad = installFolder + install::kAutoCadFolder;
    const std::string corel = installFolder + install::kCorelDrawFolder;
    const std::string illustrator = installFolder + install::kIllustratorFolder;
    DeleteFolderFiles(cad);
    DeleteFolderFiles(corel);
    RemoveDirectoryA(cad.c_str());
    RemoveDirectoryA(corel.c_str());
    DeleteFolderFiles(illustrator);
    RemoveDirectoryA(illustrator.c_str());

    for (const char* folder : install::kLooseFolders) {
        CreateDirectoryA((installFolder + folder).c_str(), nullptr);
    }
    // The laser's calibrated settings are the user's: a reinstall replaces them but keeps a copy.
    if (!InstallConfigFolder(settings.setupFolder + "QTXCfg\\", installFolder + "QTXCfg\\",
                             settings.languagePosition + 1, &failure)) {
        return Failed(result, Outcome::FileFailed, failure);
    }
    for (const char* folder : {"QTXDoc\\", "QTXLanguage\\", "QTXRes\\"}) {
        CopyFolderFiles(settings.setupFolder + folder, installFolder + folder);
    }

    CreateShortcuts(settings, installFolder);
    return result;
}

std::string MainInstallMessage(const MainInstallResult& result, const install::MessageTable& table) {
    switch (result.outcome) {
        case Outcome::Installed:
            return std::string();
        case Outcome::PathError:
            return table.Text(install::MsgPathError);
        case Outcome::CopyFailed:
            return table.Text(install::MsgCopyFailed);
        case Outcome::FileFailed:
            break;  // FileFailureMessage names the file
    }
    return std::string();
}
