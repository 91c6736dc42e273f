#include "app/commands/InstallCommand_win.h"

#include <windows.h>

#include "app/commands/ReportingObserver_win.h"
#include "app/commands/ShellTexts.h"
#include "app/services/Reporter_win.h"
#include "framework/File_win.h"
#include "framework/FormatNumber.h"
#include "framework/GbkText_win.h"
#include "framework/SystemLeadByte_win.h"
#include "install/InstallFailure_win.h"
#include "install/MainSoftwareInstall_win.h"
#include "install/MainSoftwareLayout.h"
#include "install/MessageTable.h"
#include "payload/PayloadExtractor_win.h"
#include "payload/SetupFile_win.h"
#include "payload/SetupIntegrity_win.h"
#include "plugins/AutoCadInstall_win.h"
#include "plugins/CorelDrawInstall_win.h"
#include "plugins/IllustratorInstall_win.h"
#include "plugins/InstallPathTexts.h"

namespace {

using Ending = InstallOutcome::Ending;

// The main installation's result as the one outcome.
InstallOutcome OutcomeOf(const MainInstallResult& result) {
    InstallOutcome outcome;
    outcome.failure = result.failure;
    outcome.found = result.found;
    switch (result.outcome) {
        case MainInstallResult::Outcome::Installed:
            outcome.ending = Ending::Installed;
            break;
        case MainInstallResult::Outcome::PathError:
            outcome.ending = result.failure.kind == ExtractFailure::Kind::Link ? Ending::Link : Ending::PathError;
            break;
        case MainInstallResult::Outcome::CopyFailed:
            // Damaged after the check at the start (the file changed meanwhile): no program to close.
            outcome.ending =
                result.failure.kind == ExtractFailure::Kind::BadArchive ? Ending::SetupDamaged : Ending::CouldNotPlace;
            break;
        case MainInstallResult::Outcome::FileFailed:
            outcome.ending = Ending::ReadOrWriteFailed;
            break;
        case MainInstallResult::Outcome::FilesInUse:
            outcome.ending = Ending::FilesInUse;
            break;
        case MainInstallResult::Outcome::NoSpace:
            outcome.ending = Ending::NoSpace;
            break;
        case MainInstallResult::Outcome::Cancelled:
            outcome.ending = Ending::Cancelled;
            break;
    }
    return outcome;
}

// A plug-in's result as the one outcome, with the host's own words.
InstallOutcome OutcomeOf(const PluginInstallResult& result, install::MessageId notFound, install::MessageId closeHost) {
    InstallOutcome outcome;
    outcome.failure = result.failure;
    outcome.found = result.found;
    outcome.notFoundText = notFound;
    outcome.notPlacedText = closeHost;
    switch (result.outcome) {
        case PluginInstallResult::Outcome::Installed:
            outcome.ending = Ending::Installed;
            break;
        case PluginInstallResult::Outcome::PathError:
            outcome.ending = result.failure.kind == ExtractFailure::Kind::Link ? Ending::Link : Ending::PathError;
            break;
        case PluginInstallResult::Outcome::HostNotFound:
            outcome.ending = Ending::HostNotFound;
            break;
        case PluginInstallResult::Outcome::CloseHost:
            outcome.ending =
                result.failure.kind == ExtractFailure::Kind::BadArchive ? Ending::SetupDamaged : Ending::CouldNotPlace;
            break;
        case PluginInstallResult::Outcome::FileFailed:
            outcome.ending = Ending::ReadOrWriteFailed;
            break;
        case PluginInstallResult::Outcome::FilesInUse:
            outcome.ending = Ending::FilesInUse;
            break;
        case PluginInstallResult::Outcome::NoSpace:
            outcome.ending = Ending::NoSpace;
            break;
        case PluginInstallResult::Outcome::Cancelled:
            outcome.ending = Ending::Cancelled;
            break;
    }
    return outcome;
}

template <size_t N>
std::wstring ListEntry(const char* const (&list)[N], int index) {
    return index >= 0 && static_cast<size_t>(index) < N ? GbkToWide(list[index]) : L"(none)";
}

// What the command is about to do, as the log tells it.
void ReportPlan(const InstallCommandSettings& settings, Reporter& reporter) {
    wchar_t language[16];
    wsprintfW(language, L"%d", settings.languagePosition + 1);
    reporter.Step(std::wstring(L"Language: ") + language + L" (" +
                  ListEntry(shelltexts::kLanguages, settings.languagePosition) + L")");
    switch (settings.installType) {
        case 0:
            reporter.Step("Installing " + settings.productName + " into " +
                          install::InstallFolderFor(settings.targetFolder, IsSystemLeadByte));
            reporter.Step("Shortcuts: desktop " + settings.desktopFolder + ", start menu " + settings.programsFolder +
                          install::kMenuFolderName);
            break;
        case 1:
            reporter.Step(L"Installing the CorelDRAW plug-in for " +
                          ListEntry(installpath::kCorelVersions, settings.versionIndex));
            reporter.Step(settings.autoInstall ? "CorelDRAW: looked for in the registry"
                                               : "CorelDRAW folder: " + settings.targetFolder);
            break;
        case 2:
            reporter.Step("Installing the AutoCAD plug-in");
            reporter.Step(settings.autoInstall ? "AutoCAD: every installation registered in the registry"
                                               : "AutoCAD folder: " + settings.targetFolder);
            break;
        case 3:
            reporter.Step(L"Installing the Illustrator plug-in for " +
                          ListEntry(installpath::kIllustratorVersions, settings.versionIndex));
            reporter.Step("Illustrator folder: " + settings.targetFolder);
            break;
        default:
            break;
    }
}

std::wstring FolderNote(const MainInstallResult& result) {
    const std::string& folder = result.folderPath;
    switch (result.folder) {
        case MainInstallResult::Folder::Created:
            return AnsiToWide(
                "Created " + folder +
                " with the permissions of Program Files: full control for Administrators and SYSTEM, read and "
                "execute for Users, inherited below");
        case MainInstallResult::Folder::Existed:
            return ExistingFolderNote(folder, result.protection);
        case MainInstallResult::Folder::NotCreated:
            return AnsiToWide("Could not create " + folder + ": ") + SystemErrorTextWide(result.folderError);
        case MainInstallResult::Folder::NotReached:
            break;
    }
    return std::wstring();
}

}  // namespace

InstallOutcome RunInstallCommand(const InstallCommandSettings& settings) {
    CFile* setupFile = settings.setupFile ? settings.setupFile : RunningSetupFile();
    InstallOutcome outcome;
    // Every branch extracts: a damaged setup is refused before any of them writes a thing. The user's
    // stop reaches the command by one path, the observer's KeepGoing: here after each chunk the check
    // reads, and in the branch between two files.
    install::InstallObserver* const observer = settings.observer;
    const std::uint64_t length = setupFile ? setupFile->Length() : 0;
    if (observer) {
        observer->Checking(length);
    }
    std::uint64_t checked = 0;
    const payload::IntegrityCheck check = CheckSetupArchive(setupFile, [&](std::uint64_t bytes) {
        checked += bytes;
        if (!observer) {
            return true;
        }
        observer->Moved(bytes);
        return observer->KeepGoing(checked, length);
    });
    if (check.state == payload::Integrity::Stopped) {
        outcome.ending = Ending::Cancelled;  // nothing was written
        return outcome;
    }
    if (!check.Intact()) {
        outcome.ending = Ending::SetupDamaged;
        return outcome;
    }
    // Every branch copies what ships beside the setup; a relative path would read the current folder's.
    if (settings.setupFolder.empty()) {
        outcome.ending = Ending::SetupFolderUnreadable;
        return outcome;
    }

    if (settings.installType == 0) {
        MainInstallSettings main;
        main.targetFolder = settings.targetFolder;
        main.productName = settings.productName;
        main.languagePosition = settings.languagePosition;
        main.setupFolder = settings.setupFolder;
        main.setupFile = setupFile;
        main.desktopFolder = settings.desktopFolder;
        main.programsFolder = settings.programsFolder;
        main.observer = settings.observer;
        const MainInstallResult result = InstallMainSoftware(main);
        outcome = OutcomeOf(result);
        outcome.folderNote = FolderNote(result);
        outcome.notRestored = result.notRestored;
    } else {
        PluginInstallSettings plugin;
        plugin.targetFolder = settings.targetFolder;
        plugin.autoInstall = settings.autoInstall;
        plugin.versionIndex = settings.versionIndex;
        plugin.languagePosition = settings.languagePosition;
        plugin.setupFolder = settings.setupFolder;
        plugin.setupFile = setupFile;
        plugin.observer = settings.observer;
        switch (settings.installType) {
            case 1:
                outcome = OutcomeOf(InstallCorelDrawPlugin(plugin), install::MsgCorelNotFound, install::MsgCloseCorel);
                break;
            case 2:
                outcome =
                    OutcomeOf(InstallAutoCadPlugin(plugin), install::MsgAutoCadNotFound, install::MsgCloseAutoCad);
                break;
            case 3:
                // Illustrator is never looked for in the registry, so it has no not-found message of its own.
                outcome =
                    OutcomeOf(InstallIllustratorPlugin(plugin), install::MsgPathError, install::MsgCloseIllustrator);
                break;
            default:
                return outcome;  // the Type list has no other entry
        }
    }
    // Files in use were named in the question box already when there was someone to ask.
    outcome.askedAboutFilesInUse = settings.observer != nullptr;
    return outcome;
}

InstallOutcome RunReportedInstallCommand(const InstallCommandSettings& settings,
                                         Reporter& reporter,
                                         HWND window,
                                         CInstallProgressDlg* progress) {
    ReportPlan(settings, reporter);
    const install::MessageTable table(settings.languagePosition);
    ReportingObserver observer(reporter, table, window, progress);
    InstallCommandSettings asking = settings;
    asking.observer = &observer;
    const InstallOutcome outcome = RunInstallCommand(asking);
    if (!outcome.folderNote.empty()) {
        reporter.Step(outcome.folderNote);
    }
    const std::wstring line = OutcomeLogLine(outcome);
    if (!line.empty()) {
        reporter.Step(line);
    }
    const std::wstring box = OutcomeBox(outcome, table);
    if (!box.empty()) {
        reporter.Message(outcome.Installed() ? Reporter::Kind::Done : Reporter::Kind::Failure, box, window);
    }
    return outcome;
}
