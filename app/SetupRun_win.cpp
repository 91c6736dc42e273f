#include "app/SetupRun_win.h"

#include <windows.h>

#include "VtVersion.h"
#include "app/SingleSetup_win.h"
#include "app/commandline/CommandLine_win.h"
#include "app/services/FatalErrorReport_win.h"
#include "app/services/Reporter_win.h"
#include "app/services/SetupLog_win.h"
#include "app/windows/SetupDlg_win.h"
#include "framework/File_win.h"
#include "framework/GbkText_win.h"
#include "framework/MessageBox_win.h"
#include "framework/ModulePath_win.h"
#include "install/ShortcutFolders_win.h"
#include "payload/SetupFile_win.h"

namespace {

using switches::Mode;

// What start-up could not read, said as it is: the installation refuses later with its own message.
void LogStartUpProblems(const StartValues& start, SetupLog& log) {
    switch (RunningSetupFileState()) {
        case SetupFileState::CannotOpen:
            log.Line(L"The setup cannot open its own file: " + SystemErrorTextWide(RunningSetupFileError()));
            break;
        case SetupFileState::NotTheRunningImage:
            log.Line("The file under the setup's name is not the program that runs: another file was put there");
            break;
        default:
            break;
    }
    if (start.setupFolder.empty()) {
        log.Line(L"No path in the system code page reaches the setup's folder " + start.setupFolderName +
                 L" (not even its short name): SetupCfg.ini and the folders beside the setup are not read");
    }
}

int RunWindow(const switches::SetupSwitches& given, const StartValues& start, SetupLog& log) {
    CSetupDlg dialog(nullptr);
    dialog.m_setupFolder = start.setupFolder;
    dialog.m_productName = start.productName;
    dialog.m_languageIndex = given.languageIndex > 0 ? given.languageIndex : start.languageIndex;
    if (given.hasKind) {
        if (given.kind == switches::Kind::UsbDriver) {
            dialog.m_presetUsbDriver = true;
        } else {
            dialog.m_presetType = switches::TypeListPosition(given.kind);
        }
    }
    dialog.m_presetPath = given.folder;
    dialog.m_presetVersion = given.versionText;
    dialog.m_allUsersShortcuts = switches::ShortcutsForAllUsers(given.shortcuts, RunsAsSystemAccount());
    MessageBoxReporter reporter(&log);
    dialog.SetReporter(&reporter);
    CDialog::SetMainDialog(&dialog);
    dialog.DoModal();
    return kExitInstalled;
}

// The first lines of every log: which setup started, and how.
void LogStart(const std::wstring& commandLine, SetupLog& log) {
    log.Line(L"Vectrace Setup " VT_VERSION_WIDE L" started: " + RunningModulePath());
    log.Line(L"Command line: " + commandLine);
}

// A second setup while one runs: the box in the window, the log's line unattended, and nothing else. A
// log it cannot open (the first run's own, held open by it) is left as it is.
int RefuseSecondSetup(const std::wstring& commandLine,
                      const switches::SetupSwitches& given,
                      const StartValues& start,
                      const std::string& error) {
    if (error.empty() && !given.logFile.empty()) {
        SetupLog log;
        DWORD openError = ERROR_SUCCESS;
        if (log.Open(given.logFile, &openError)) {
            LogStart(commandLine, log);
            log.Line("Another setup is running: this one ends and changes nothing");
            log.Line("Exit code 1618");
        }
    }
    if (given.mode == Mode::Window) {
        const int languageIndex = given.languageIndex > 0 ? given.languageIndex : start.languageIndex;
        ShowMessage(SetupRunningText(languageIndex - 1));
    }
    return kExitAnotherSetupRunning;
}

}  // namespace

int RunSetup(const std::wstring& commandLine, const StartValues& start) {
    const switches::ParseResult parsed = ParseCommandLine(commandLine);
    const switches::SetupSwitches& given = parsed.switches;
    std::string error = parsed.error;
    const SetupClaim claim;
    if (!claim.Held()) {
        return RefuseSecondSetup(commandLine, given, start, error);
    }

    SetupLog log;
    if (!given.logFile.empty()) {
        DWORD openError = ERROR_SUCCESS;
        if (!log.Open(given.logFile, &openError) && error.empty()) {
            error = "Cannot write the log file " + given.logFile + ": " + SystemErrorText(openError);
        }
    }
    LogStart(commandLine, log);
    LogStartUpProblems(start, log);

    const bool boxes = given.mode != Mode::VerySilent;
    if (!error.empty()) {
        const std::wstring reason = AnsiToWide(error.c_str());
        log.Line(L"Wrong command line: " + reason);
        log.Line("Exit code 1");
        if (boxes) {
            ShowMessage(reason + L"\r\n\r\n" + AnsiToWide(switches::kUsageText));
        }
        return kExitWrongCommandLine;
    }
    if (given.help) {
        if (boxes) {
            ShowMessage(AnsiToWide(switches::kUsageText));
        }
        return kExitInstalled;
    }
    const int languageIndex = given.languageIndex > 0 ? given.languageIndex : start.languageIndex;
    ReportFatalErrorsTo(&log, given.mode == Mode::Window, languageIndex - 1);
    if (given.mode == Mode::Window) {
        return RunWindow(given, start, log);
    }
    const int exitCode = RunUnattended(given, start, log);
    wchar_t line[32];
    wsprintfW(line, L"Exit code %d", exitCode);
    log.Line(line);
    return exitCode;
}
