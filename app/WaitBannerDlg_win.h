#pragma once
// The caption-only banner that stands, centred on the main window, while the install command runs.

#include <string>

#include "framework/Dialog_win.h"

class CSetupDlg;

class CWaitBannerDlg : public CDialog {
public:
    using Task = void (CSetupDlg::*)();

    explicit CWaitBannerDlg(CSetupDlg* owner);

    void SetTask(Task task) { m_pfnTask = task; }
    // Shows the banner, runs the task on the owner, closes the banner; returns 1 when the task has
    // returned.
    int Run();

    std::string m_title;
    int m_centerX = 0;  // with m_centerY both 0 the banner keeps the template's position
    int m_centerY = 0;
    Task m_pfnTask = nullptr;
    CSetupDlg* m_pOwner;
};
