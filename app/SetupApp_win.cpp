// Start-up: find the setup folder, read "SetupCfg.ini" beside the executable, then the window or the
// unattended run that the command line asks for.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/CommandLine_win.h"
#include "app/DllSearch_win.h"
#include "app/SetupConfig.h"
#include "app/SetupConfigFile_win.h"
#include "app/SetupFolder_win.h"
#include "app/SetupRun_win.h"

namespace {

std::string SetupFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return SetupFolderOf(path);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearchToSystemFolder();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    const std::string setupFolder = SetupFolder();
    std::string productName = "Vectrace";
    int rawLanguage = 0;
    ReadSetupConfig(setupFolder + "SetupCfg.ini", productName, rawLanguage);

    StartValues start;
    start.setupFolder = setupFolder;
    start.productName = productName;
    start.languageIndex = setupcfg::ClampLanguageIndex(rawLanguage);
    return RunSetup(RunningCommandLine(), start);
}
