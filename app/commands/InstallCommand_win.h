#pragma once
// The install command behind the main window's install button: the message table for the chosen
// language, the setup folder, one branch by installation type, and the one message the branch's
// result calls for. The main window shows the success message itself when `installed` is set.

#include <windows.h>

#include <string>

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

struct InstallCommandResult {
    bool installed = false;
    std::wstring message;  // empty when nothing is to be said
    // The file that a failure concerns and the system's reason, for the log; empty when none.
    std::string failedFile;
    DWORD systemError = ERROR_SUCCESS;
    bool linkOnTheWay = false;  // failedFile is a link the installation would have written through
    // What became of the folder the main installation installs into, for the log; empty when none.
    std::wstring folderNote;
    bool cancelled = false;  // the user stopped it: everything it did was undone, and nothing is to be said
};

InstallCommandResult RunInstallCommand(const InstallCommandSettings& settings);

enum class InstallEnd { Installed, Failed, Cancelled };

// The install command as the window and the command line run it: what is installed where goes to the
// reporter as steps, then the command runs, followed by `progress` (may be null) whose Cancel stops it,
// and its message, if any, goes to the reporter over `window`. The caller tells the closing word of a
// completed installation.
InstallEnd RunReportedInstallCommand(const InstallCommandSettings& settings,
                                     Reporter& reporter,
                                     HWND window = nullptr,
                                     CInstallProgressDlg* progress = nullptr);
