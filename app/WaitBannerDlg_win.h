#pragma once
// The caption-only banner that stands, centred on the main window, while the install command runs.
// The main window takes no input meanwhile. Without a main window (a /SILENT run) it stands alone.

#include <functional>
#include <string>

#include "framework/Dialog_win.h"

class CSetupDlg;

class CWaitBannerDlg : public CDialog {
public:
    using Task = void (CSetupDlg::*)();

    explicit CWaitBannerDlg(CSetupDlg* owner);

    void SetTask(Task task) { m_pfnTask = task; }
    // A task of its own, run instead of a member of the owner.
    void SetTask(std::function<void()> task) { m_task = std::move(task); }
    // Shows the banner, runs the task on the owner, closes the banner; returns 1 when the task has
    // returned.
    int Run();

    std::string m_title;
    int m_centerX = 0;  // with m_centerY both 0 the banner keeps the template's position
    int m_centerY = 0;
    Task m_pfnTask = nullptr;
    std::function<void()> m_task;
    CSetupDlg* m_pOwner;
};
