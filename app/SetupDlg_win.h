#pragma once
// The main window: the Type and Language lists, the install and USB-driver buttons, captions that
// follow the Language list, and the install settings that the install command reads.

#include <windows.h>

#include <string>

#include "framework/Dialog_win.h"

class CSetupDlg : public CDialog {
public:
    explicit CSetupDlg(HWND parent = nullptr);
    ~CSetupDlg() override;

    // Start-up values.
    std::string m_setupFolder;               // ends in "\"
    std::string m_productName = "Vectrace";  // first Type entry, base name of the shortcuts
    int m_languageIndex = 1;                 // 1..13; read only when the window opens

    // Install settings of the running installation, written by OnInstall.
    std::string m_targetFolder;  // path text confirmed in the install-path dialog
    int m_autoInstall = 0;       // 1 = locate the host application automatically
    int m_versionIndex = 0;      // position in the install-path dialog's version list
    int m_languagePos = 0;       // Language list position when the install button was pressed
    int m_installType = 0;       // Type list position then: 0 main software, 1 CorelDRAW, 2 AutoCAD, 3 Illustrator

    // Driver progress pacing, read by the driver command.
    int m_pauseMaxMs = 350;
    int m_pauseMinMs = 250;
    int m_progressSteps = 22;

    HICON m_hIcon = nullptr;
    int m_installed = 0;  // set to 1 by a branch of the install command that completed

    // The install command: runs inside the wait banner with the settings above.
    void RunInstallCommand();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnSysCommand(UINT id);
    bool OnPaint();
    void OnInstall();
    void OnLanguageChanged();
    void OnInstallUsbDriver();
    void OnDriverInstallHidden();
    void SetLanguageCaptions(bool chinese);
};
