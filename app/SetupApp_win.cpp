// Start-up: find the setup folder, read "SetupCfg.ini" beside the executable, run the main window.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/DllSearch_win.h"
#include "app/SetupConfig.h"
#include "app/SetupConfigFile_win.h"
#include "app/SetupDlg_win.h"
#include "app/SetupFolder_win.h"

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

    CSetupDlg dialog(nullptr);
    dialog.m_setupFolder = setupFolder;
    dialog.m_productName = productName;
    dialog.m_languageIndex = setupcfg::ClampLanguageIndex(rawLanguage);
    CDialog::SetMainDialog(&dialog);
    dialog.DoModal();
    return 0;
}
