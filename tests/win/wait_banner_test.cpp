// The wait banner stands, caption-less and centred on the main window, while the task runs on the
// main window, and is gone when Run returns.
#include "app/WaitBannerDlg_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/SetupDlg_win.h"
#include "tools/uidriver/UiDriver_win.h"

namespace {

// A main window whose task looks at the banner while it stands.
class ProbedSetupDlg : public CSetupDlg {
public:
    void Probe() {
        ++runs;
        for (HWND window : uidriver::ProcessWindows(GetCurrentProcessId())) {
            if (GetWindow(window, GW_OWNER) == m_hWnd) {
                banner = window;
            }
        }
        if (banner) {
            GetWindowRect(banner, &bannerRect);
            caption = uidriver::Caption(banner);
            hasSystemMenu = (GetWindowLongW(banner, GWL_STYLE) & WS_SYSMENU) != 0;
        }
    }

    int runs = 0;
    HWND banner = nullptr;
    RECT bannerRect{};
    std::wstring caption = L"<none>";
    bool hasSystemMenu = true;
};

TEST(WaitBanner, StandsCentredOnTheOwnerWhileTheTaskRuns) {
    ProbedSetupDlg owner;
    ASSERT_TRUE(owner.Create());
    SetWindowPos(owner.GetSafeHwnd(), nullptr, 101, 57, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT main;
    GetWindowRect(owner.GetSafeHwnd(), &main);
    const int centerX = (main.left + main.right) / 2;
    const int centerY = (main.top + main.bottom) / 2;

    CWaitBannerDlg banner(&owner);
    banner.m_centerX = centerX;
    banner.m_centerY = centerY;
    banner.SetTask(static_cast<CWaitBannerDlg::Task>(&ProbedSetupDlg::Probe));
    EXPECT_EQ(banner.Run(), 1);

    EXPECT_EQ(owner.runs, 1);
    ASSERT_NE(owner.banner, nullptr);
    EXPECT_EQ(owner.caption, L"");
    EXPECT_FALSE(owner.hasSystemMenu);
    const int width = owner.bannerRect.right - owner.bannerRect.left;
    const int height = owner.bannerRect.bottom - owner.bannerRect.top;
    EXPECT_EQ(owner.bannerRect.left, centerX - width / 2);
    EXPECT_EQ(owner.bannerRect.top, centerY - height / 2);
    EXPECT_FALSE(IsWindow(owner.banner));
    EXPECT_EQ(banner.GetSafeHwnd(), nullptr);
}

}  // namespace
