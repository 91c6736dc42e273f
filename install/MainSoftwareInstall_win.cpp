#include "install/MainSoftwareInstall_win.h"

#include <windows.h>

#include <cstring>

#include "framework/SystemLeadByte_win.h"
#include "install/InstallFailure_win.h"
#include "install/LinkOnTheWay_win.h"
#include "install/MainSoftwareLayout.h"
#include "install/PlanSteps_win.h"
#include "install/ShortcutFolders_win.h"
#include "install/SameFileOnWindows_win.h"
#include "payload/SetupFile_win.h"

namespace {

using Outcome = MainInstallResult::Outcome;

// The desktop shortcut and the start-menu folder with its two, each staged and moved into place with
// the rest. Without folders of the caller's, the current user's; an empty one means the shell has none,
// so no shortcut lands in a root.
void PlanShortcuts(const MainInstallSettings& settings, const std::string& installFolder, install::InstallPlan& plan) {
    const std::string program = installFolder + install::kProgramPath;
    const std::string icon = installFolder + install::kIconPath;
    ShortcutFolders own;
    if (settings.desktopFolder.empty() || settings.programsFolder.empty()) {
        own = FindShortcutFolders(false);
    }
    const std::string desktop = settings.desktopFolder.empty() ? own.desktop : settings.desktopFolder;
    const std::string programs = settings.programsFolder.empty() ? own.programs : settings.programsFolder;
    const auto shortcut = [&](const std::string& file, unsigned char root, const std::string& target, bool withIcon) {
        install::PlannedFile& link = plan.Write(file, install::Source::Shortcut, root);
        link.source = target;
        link.description = program;
        link.icon = withIcon ? icon : std::string();
    };
    // Links are refused from the shell folder down: above it they are the system's (a profile moved to
    // another drive), inside it the branch's.
    if (!desktop.empty()) {
        shortcut(install::ShortcutPath(desktop, settings.productName, IsSystemLeadByte), plan.AddRoot(desktop, desktop),
                 program, true);
    }
    if (!programs.empty()) {
        const std::string menu = programs + install::kMenuFolderName;
        plan.MakeFolder(menu);
        const unsigned char root = plan.AddRoot(menu, programs);
        shortcut(install::ShortcutPath(menu, settings.productName, IsSystemLeadByte), root, program, true);
        shortcut(menu + install::kUninstallShortcutName, root, installFolder + install::kUninstallerPath, false);
    }
}

// Everything the installation leaves in "<target>\Vectrace\" and on the shortcuts' folders. The plug-in
// folders the payload brings along are not written; what an earlier installation left in them goes.
bool PlanMainSoftware(const MainInstallSettings& settings,
                      CFile* setup,
                      const std::string& installFolder,
                      install::InstallPlan& plan,
                      ExtractFailure* failure) {
    plan.SetProtectedFolder(installFolder);
    plan.MakeFolder(installFolder);
    std::vector<ArchiveFile> entries;
    if (!ListArchiveFiles(setup, payload::Selection::Payload, &entries, failure) ||
        !PlanArchiveFiles(plan, entries, installFolder, {"QTXCad", "QTXCorel", "QtxAi"}, failure)) {
        return false;
    }
    for (const char* emptied : {install::kAutoCadFolder, install::kCorelDrawFolder, install::kIllustratorFolder}) {
        PlanEmptiedFolder(plan, installFolder + emptied);
    }
    PlanProgramFolders(
        plan, settings.setupFolder, installFolder,
        {install::kLooseFolders[0], install::kLooseFolders[1], install::kLooseFolders[2], install::kLooseFolders[3]},
        settings.languagePosition + 1);
    PlanShortcuts(settings, installFolder, plan);
    return true;
}

}  // namespace

MainInstallResult InstallMainSoftware(const MainInstallSettings& settings) {
    MainInstallResult result;
    const std::string installFolder = install::InstallFolderFor(settings.targetFolder, IsSystemLeadByte);
    if (installFolder.empty()) {
        return Failed(result, Outcome::PathError);
    }
    // The install folder itself may be a planted link, since any user may make one under the root of a
    // drive: links are refused below the target.
    const std::string target = installFolder.substr(0, installFolder.size() - std::strlen(install::kInstallFolderName));
    // What lies beside the setup may be anyone's (a downloads folder, a share): read without following
    // a link, or not at all.
    const std::string looseLink = FirstLinkInLooseFolders(
        settings.setupFolder,
        {install::kLooseFolders[0], install::kLooseFolders[1], install::kLooseFolders[2], install::kLooseFolders[3]});
    if (!looseLink.empty()) {
        return Failed(result, Outcome::PathError, LinkOnTheWayFailure(looseLink));
    }
    const std::string folder = installFolder.substr(0, installFolder.size() - 1);
    result.folderPath = folder;
    const bool existed = GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES;
    // An existing folder may have been made by anyone (under a drive's root it lets every user change
    // it): before anything inside it is read or checked, it becomes what a new one is, so no other user
    // can swap what lies in it from here on.
    if (existed) {
        result.folder = MainInstallResult::Folder::Existed;
        result.protection = ProtectExistingFolder(folder);
    }
    CFile* setup = settings.setupFile ? settings.setupFile : RunningSetupFile();
    std::vector<install::InstallPlan> plans;
    plans.emplace_back(target, installFolder, IsSystemLeadByte, WindowsNameKey);
    if (!PlanMainSoftware(settings, setup, installFolder, plans[0], &result.failure)) {
        return Failed(result, Outcome::CopyFailed, result.failure);
    }

    const InstallRun run = RunInstallPlans(plans, *setup, settings.observer);
    result.found = run.found;
    result.failure = run.failure;
    result.notRestored = run.notRestored;
    if (existed) {
        result.folder = MainInstallResult::Folder::Existed;
    } else if (GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES) {
        result.folder = MainInstallResult::Folder::Created;
    } else if (run.failure.path == folder) {
        result.folder = MainInstallResult::Folder::NotCreated;
        result.folderError = run.failure.systemError;
    }
    switch (run.stop) {
        case InstallRun::Stop::None:
            return result;
        case InstallRun::Stop::Link:
            return Failed(result, Outcome::PathError, run.failure);
        case InstallRun::Stop::FilesInUse:
            return Failed(result, Outcome::FilesInUse);
        case InstallRun::Stop::NoSpace:
            return Failed(result, Outcome::NoSpace);
        case InstallRun::Stop::Cancelled:
            return Failed(result, Outcome::Cancelled);
        case InstallRun::Stop::Failed:
            break;
    }
    return Failed(result, run.failure.IsReadOrWrite() ? Outcome::FileFailed : Outcome::CopyFailed, run.failure);
}

std::string MainInstallMessage(const MainInstallResult& result, const install::MessageTable& table) {
    switch (result.outcome) {
        case Outcome::Installed:
            return std::string();
        case Outcome::PathError:
            return table.Text(install::MsgPathError);
        case Outcome::CopyFailed:
            return table.Text(install::MsgCopyFailed);
        case Outcome::FilesInUse:
            return table.Text(install::MsgFilesInUse);
        case Outcome::NoSpace:
            return table.Text(install::MsgNoSpace);
        case Outcome::Cancelled:
            return std::string();
        case Outcome::FileFailed:
            break;  // FileFailureMessage names the file
    }
    return std::string();
}
