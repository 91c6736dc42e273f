#pragma once
// Asks, before every installation, for the target folder, the host application's version and whether
// the host is to be located automatically; what it asks depends on the installation type.

#include <string>

#include "framework/Dialog_win.h"

class CInstallPathDlg : public CDialog {
public:
    explicit CInstallPathDlg(HWND parent = nullptr);

    // Set by the caller before DoModal.
    int m_languagePos = 0;  // 0 Chinese captions, anything else English
    int m_installType = 0;  // 0 main software, 1 CorelDRAW, 2 AutoCAD, 3 Illustrator
    // First answers from the command line: a path (for CorelDRAW and AutoCAD it means the host's
    // folder by hand, so the dialog opens unchecked), and a version-list entry, selected when the list
    // holds it. Empty keeps the dialog's own.
    std::string m_presetPath;
    std::string m_presetVersion;

    // Valid after OK.
    std::string m_path;     // the path field as typed or browsed, unchecked
    int m_autoInstall = 0;  // 1 when "Auto to Install" was checked
    int m_versionIndex = 0;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    void OnOK() override;

private:
    void OnAutoInstallClicked();
    void OnBrowseClicked();
};
