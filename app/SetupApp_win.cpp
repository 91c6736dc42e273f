// Start-up: open the setup's own file before anything reads it, find the setup folder, read
// "SetupCfg.ini" beside the executable, then the window or the unattended run that the command line
// asks for.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/SetupConfig.h"
#include "app/SetupConfigFile_win.h"
#include "app/SetupFolder_win.h"
#include "app/SetupRun_win.h"
#include "app/commandline/CommandLine_win.h"
#include "app/services/DllSearch_win.h"
#include "payload/SetupFile_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // First of all: from here on nobody can rename, replace or change the file while the setup runs.
    OpenRunningSetupFile();
    RestrictDllSearchToSystemFolder();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    const SetupFolder folder = RunningSetupFolder();
    std::string productName = "Vectrace";
    int rawLanguage = 0;
    if (!folder.path.empty()) {
        ReadSetupConfig(folder.path + "SetupCfg.ini", productName, rawLanguage);
    }

    StartValues start;
    start.setupFolder = folder.path;
    start.setupFolderName = folder.name;
    start.productName = productName;
    start.languageIndex = setupcfg::ClampLanguageIndex(rawLanguage);
    return RunSetup(RunningCommandLine(), start);
}
