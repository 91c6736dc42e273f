#pragma once
// The install command behind the main window's install button and the unattended run: the setup
// folder, one branch by installation type, and its result as one InstallOutcome.

#include <windows.h>

#include <string>

#include "app/commands/InstallOutcome_win.h"
#include "framework/File_win.h"
#include "install/InstallObserver.h"

class CInstallProgressDlg;
class Reporter;

struct InstallCommandSettings {
    int installType = 0;  // 0 main software, 1 CorelDRAW, 2 AutoCAD, 3 Illustrator
    std::string targetFolder;
    int autoInstall = 0;
    int versionIndex = 0;
    int languagePosition = 0;
    std::string productName;
    // Null means the running setup's own file; tests give their own.
    CFile* setupFile = nullptr;
    std::string setupFolder;  // beside the setup, ending in "\"; empty when no path reaches it
    // Where the main software's shortcuts go, each ending in "\"; empty means the current user's.
    std::string desktopFolder;
    std::string programsFolder;
    // Asked about files in use and whether to go on; null: files in use end the branch at once.
    install::InstallObserver* observer = nullptr;
};

// Runs the branch of settings.installType. The outcome's box is for the window to show.
InstallOutcome RunInstallCommand(const InstallCommandSettings& settings);

// The install command as the window and the command line run it: what is installed where goes to the
// reporter as steps, then the command runs, followed by `progress` (may be null) whose Cancel stops it;
// the outcome's log line goes to the log and its box, if any, to the reporter over `window`. The caller
// tells the closing word of a completed installation.
InstallOutcome RunReportedInstallCommand(const InstallCommandSettings& settings,
                                         Reporter& reporter,
                                         HWND window = nullptr,
                                         CInstallProgressDlg* progress = nullptr);
