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

// A volume too small: the folder, then the megabytes it lacks.
std::wstring NoSpaceMessage(const install::MessageTable& table, const CheckFindings& found) {
    std::wstring needed = GbkToWide(table.Text(install::MsgSpaceNeeded));
    const std::size_t mark = needed.find(L'%');
    if (mark != std::wstring::npos) {
        needed.replace(mark, 1, FormatDecimalWide(static_cast<long long>(found.missingMegabytes)));
    }
    return GbkToWide(table.Text(install::MsgNoSpace)) + L"\r\n" + AnsiToWide(found.spaceFolder.c_str()) + L"\r\n" +
           needed;
}

// What a branch's result says. A file that could not be put in place is named with the system's reason
// after the branch's own words; files in use were named in the box already when the user was asked.
InstallCommandResult Report(bool installed,
                            const ExtractFailure& failure,
                            bool fileFailed,
                            const std::string& message,
                            const install::MessageTable& table,
                            const CheckFindings& found,
                            bool asked) {
    InstallCommandResult report;
    report.installed = installed;
    if (!found.inUse.empty()) {
        report.message = asked ? std::wstring() : FilesInUseMessage(table, found.inUse);
    } else if (found.missingMegabytes != 0) {
        report.message = NoSpaceMessage(table, found);
    } else if (failure.kind == ExtractFailure::Kind::BadArchive) {
        // Damaged after the check at the start (the file changed meanwhile): no program to close.
        report.message = GbkToWide(table.Text(install::MsgSetupDamaged));
    } else if (fileFailed) {
        report.message = FileFailureMessage(table, failure);
    } else if (!message.empty()) {
        report.message = GbkToWide(message.c_str());
        if (failure.kind == ExtractFailure::Kind::CreateFile && !failure.path.empty()) {
            report.message +=
                L"\r\n" + AnsiToWide(failure.path.c_str()) + L"\r\n" + SystemErrorTextWide(failure.systemError);
        }
    }
    if (!report.installed) {
        report.failedFile = failure.path;
        report.systemError = failure.systemError;
        report.linkOnTheWay = failure.kind == ExtractFailure::Kind::Link;
    }
    return report;
}

std::wstring Ansi(const std::string& text) {
    return AnsiToWide(text.c_str());
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
            reporter.Step(L"Installing " + Ansi(settings.productName) + L" into " +
                          Ansi(install::InstallFolderFor(settings.targetFolder, IsSystemLeadByte)));
            reporter.Step(L"Shortcuts: desktop " + Ansi(settings.desktopFolder) + L", start menu " +
                          Ansi(settings.programsFolder + install::kMenuFolderName));
            break;
        case 1:
            reporter.Step(L"Installing the CorelDRAW plug-in for " +
                          ListEntry(installpath::kCorelVersions, settings.versionIndex));
            reporter.Step(settings.autoInstall ? L"CorelDRAW: looked for in the registry"
                                               : L"CorelDRAW folder: " + Ansi(settings.targetFolder));
            break;
        case 2:
            reporter.Step(L"Installing the AutoCAD plug-in");
            reporter.Step(settings.autoInstall ? L"AutoCAD: every installation registered in the registry"
                                               : L"AutoCAD folder: " + Ansi(settings.targetFolder));
            break;
        case 3:
            reporter.Step(L"Installing the Illustrator plug-in for " +
                          ListEntry(installpath::kIllustratorVersions, settings.versionIndex));
            reporter.Step(L"Illustrator folder: " + Ansi(settings.targetFolder));
            break;
        default:
            break;
    }
}

std::wstring FolderNote(const MainInstallResult& result) {
    const std::wstring folder = Ansi(result.folderPath);
    switch (result.folder) {
        case MainInstallResult::Folder::Created:
            return L"Created " + folder +
                   L" with the permissions of Program Files: full control for Administrators and SYSTEM, read and "
                   L"execute for Users, inherited below";
        case MainInstallResult::Folder::Existed:
            return ExistingFolderNote(folder, result.protection);
        case MainInstallResult::Folder::NotCreated:
            return L"Could not create " + folder + L": " + SystemErrorTextWide(result.folderError);
        case MainInstallResult::Folder::NotReached:
            break;
    }
    return std::wstring();
}

}  // namespace

InstallCommandResult RunInstallCommand(const InstallCommandSettings& settings) {
    const install::MessageTable table(settings.languagePosition);
    CFile* setupFile = settings.setupFile ? settings.setupFile : RunningSetupFile();
    // Every branch extracts: a damaged setup is refused before any of them writes a thing.
    if (settings.observer && setupFile) {
        settings.observer->Checking(setupFile->Length());
    }
    if (!IsSetupArchiveIntact(setupFile)) {
        InstallCommandResult damaged;
        if (settings.observer && !settings.observer->KeepGoing(0, 0)) {
            damaged.cancelled = true;  // stopped while it checked: nothing was written
            return damaged;
        }
        damaged.message = GbkToWide(table.Text(install::MsgSetupDamaged));
        return damaged;
    }
    // Every branch copies what ships beside the setup; a relative path would read the current folder's.
    if (settings.setupFolder.empty()) {
        InstallCommandResult unreadable;
        unreadable.message = GbkToWide(table.Text(install::MsgSetupFolderUnreadable));
        return unreadable;
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
        InstallCommandResult report =
            Report(result.outcome == MainInstallResult::Outcome::Installed, result.failure,
                   result.outcome == MainInstallResult::Outcome::FileFailed, MainInstallMessage(result, table), table,
                   result.found, settings.observer != nullptr);
        report.folderNote = FolderNote(result);
        report.cancelled = result.outcome == MainInstallResult::Outcome::Cancelled;
        return report;
    }

    PluginInstallSettings plugin;
    plugin.targetFolder = settings.targetFolder;
    plugin.autoInstall = settings.autoInstall;
    plugin.versionIndex = settings.versionIndex;
    plugin.languagePosition = settings.languagePosition;
    plugin.setupFolder = settings.setupFolder;
    plugin.setupFile = setupFile;
    plugin.observer = settings.observer;
    PluginInstallResult result;
    std::string message;
    switch (settings.installType) {
        case 1:
            result = InstallCorelDrawPlugin(plugin);
            message = CorelDrawInstallMessage(result, table);
            break;
        case 2:
            result = InstallAutoCadPlugin(plugin);
            message = AutoCadInstallMessage(result, table);
            break;
        case 3:
            result = InstallIllustratorPlugin(plugin);
            message = IllustratorInstallMessage(result, table);
            break;
        default:
            return {};  // the Type list has no other entry
    }
    InstallCommandResult report = Report(result.outcome == PluginInstallResult::Outcome::Installed, result.failure,
                                         result.outcome == PluginInstallResult::Outcome::FileFailed, message, table,
                                         result.found, settings.observer != nullptr);
    report.cancelled = result.outcome == PluginInstallResult::Outcome::Cancelled;
    return report;
}

InstallEnd RunReportedInstallCommand(const InstallCommandSettings& settings,
                                     Reporter& reporter,
                                     HWND window,
                                     CInstallProgressDlg* progress) {
    ReportPlan(settings, reporter);
    const install::MessageTable table(settings.languagePosition);
    ReportingObserver observer(reporter, table, window, progress);
    InstallCommandSettings asking = settings;
    asking.observer = &observer;
    const InstallCommandResult result = RunInstallCommand(asking);
    if (!result.folderNote.empty()) {
        reporter.Step(result.folderNote);
    }
    if (result.linkOnTheWay) {
        reporter.Step(L"A link (reparse point) lies on the way: " + Ansi(result.failedFile) +
                      L". It is not followed, and nothing was written");
    } else if (!result.failedFile.empty()) {
        reporter.Step(L"Failed on " + Ansi(result.failedFile) +
                      (result.systemError != ERROR_SUCCESS ? L": " + SystemErrorTextWide(result.systemError) : L""));
    }
    if (result.cancelled) {
        reporter.Step(L"The installation was cancelled by the user; everything it did was undone");
        return InstallEnd::Cancelled;
    }
    if (!result.message.empty()) {
        reporter.Message(result.installed ? Reporter::Kind::Done : Reporter::Kind::Failure, result.message, window);
    } else if (!result.installed) {
        reporter.Step(L"The installation did not complete.");
    }
    return result.installed ? InstallEnd::Installed : InstallEnd::Failed;
}
