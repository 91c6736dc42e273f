#pragma once
// The main window: the Type and Language lists, the install and USB-driver buttons, captions that
// follow the Language list, and the install settings that the install command reads.

#include <windows.h>

#include <string>

#include "app/services/Reporter_win.h"
#include "framework/Dialog_win.h"

class CInstallProgressDlg;

class CSetupDlg : public CDialog {
public:
    explicit CSetupDlg(HWND parent = nullptr);
    ~CSetupDlg() override;

    // Start-up values.
    std::string m_setupFolder;               // ends in "\"
    std::string m_productName = "Vectrace";  // first Type entry, base name of the shortcuts
    int m_languageIndex = 1;                 // 1..13, or 14 from the command line; read only when the window opens

    // First choices from the command line, made before the window opens.
    int m_presetType = -1;             // Type list position to select; -1 keeps the first
    bool m_presetUsbDriver = false;    // the focus starts on the USB-driver button
    std::string m_presetPath;          // the install-path dialog's path field; empty keeps "C:\"
    std::string m_presetVersion;       // the version-list entry to select when the dialog's list has it
    bool m_allUsersShortcuts = false;  // the main software's shortcuts go to the all-users folders

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

    // The install command with the settings above, followed by `progress` (may be null).
    void RunInstallCommand(CInstallProgressDlg* progress);

    // Where the commands' messages go; message boxes unless set otherwise. Not owned.
    void SetReporter(Reporter* reporter) { m_reporter = reporter ? reporter : &m_boxReporter; }
    Reporter& CommandReporter() { return *m_reporter; }

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
    // The driver command, with the settings above.
    void RunDriverInstallCommand();
    void SetLanguageCaptions(bool chinese);

    MessageBoxReporter m_boxReporter;
    Reporter* m_reporter = &m_boxReporter;
};
