#pragma once
// The setup run from the command line with /SILENT or /VERYSILENT: no question, no message box. It
// runs the same install command and driver command as the window, with a reporter that writes to the
// log; /SILENT still shows the wait banner and the driver progress window, /VERYSILENT nothing.

#include <string>

#include "app/commandline/ExitCode_win.h"
#include "app/commandline/SetupSwitches.h"

class CFile;
class SetupLog;

// What start-up read from "SetupCfg.ini" beside the setup.
struct StartValues {
    std::string setupFolder;       // ending in "\"; empty when no ANSI path reaches it (app/SetupFolder_win.h)
    std::wstring setupFolderName;  // the same folder as the system names it
    std::string productName = "Vectrace";
    int languageIndex = 1;  // 1..13
    // The rest the setup finds itself; tests run the command line on files and folders of their own.
    // Null: the running setup's own file.
    CFile* setupFile = nullptr;
    // Empty: the USB drivers are extracted into the system folder and installed from there; otherwise a
    // folder that holds the driver folders already, ending in "\".
    std::string driverRoot;
    // Empty: the shortcuts go where the switches and the account say; otherwise into these, each
    // ending in "\".
    std::string desktopFolder;
    std::string programsFolder;
};


// Installs what the switches ask; kExitInstalled, kExitFailed or kExitCancelled. `log` may be closed.
int RunUnattended(const switches::SetupSwitches& given, const StartValues& start, SetupLog& log);
