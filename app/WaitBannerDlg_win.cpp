#include "app/WaitBannerDlg_win.h"

#include "app/SetupDlg_win.h"
#include "framework/BusyWindow_win.h"
#include "res/resource.h"

CWaitBannerDlg::CWaitBannerDlg(CSetupDlg* owner)
    : CDialog(IDD_WAIT_BANNER, owner ? owner->GetSafeHwnd() : nullptr), m_pOwner(owner) {}

int CWaitBannerDlg::Run() {
    Create();
    SetWindowTextA(m_hWnd, m_title.c_str());
    Sleep(10);
    if (m_centerX != 0 || m_centerY != 0) {
        RECT rect;
        GetWindowRect(m_hWnd, &rect);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        MoveWindow(m_hWnd, m_centerX - width / 2, m_centerY - height / 2, width, height, TRUE);
    }
    // Drawn before the task starts; the task itself keeps drawing with PumpPaintMessages.
    PumpPaintMessages();
    {
        const CBusyWindow busy(m_pOwner ? m_pOwner->GetSafeHwnd() : nullptr);
        if (m_task) {
            m_task();
        } else if (m_pfnTask && m_pOwner) {
            (m_pOwner->*m_pfnTask)();
        }
    }
    DestroyWindow();
    return 1;
}
