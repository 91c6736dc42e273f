// The install progress window in process: where it stands, its texts in both languages, the bar by
// the bytes the work tells it, and Cancel asked and answered.
#include "app/commands/InstallProgressDlg_win.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "res/resource.h"
#include "tools/uidriver/UiDriver_win.h"

namespace {

// Lets the window's pacing pass, by the clock it paces by (which a loaded machine may advance late),
// then tells it the bytes as the work does; whether the work may go on.
bool FollowAfterAPause(CInstallProgressDlg& progress, std::uint64_t bytes) {
    const DWORD start = GetTickCount();
    do {
        Sleep(20);
    } while (GetTickCount() - start < 60);
    progress.Follow(bytes);
    return !progress.Cancelled();
}

TEST(InstallProgress, StandsCentredAndFollowsTheBytesOfBothPhases) {
    CInstallProgressDlg progress(nullptr, 2);
    ASSERT_TRUE(progress.Open(400, 300));
    const HWND window = progress.GetSafeHwnd();
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 400 - (rect.right - rect.left) / 2);
    EXPECT_EQ(rect.top, 300 - (rect.bottom - rect.top) / 2);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(uidriver::Caption(window), L"");
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU);  // its close box is Cancel
    EXPECT_EQ(uidriver::ControlText(window, IDCANCEL), L"Cancel");
    EXPECT_EQ(SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_GETRANGE, FALSE, 0), 1000);

    progress.Checking(1000000);
    FollowAfterAPause(progress, 500000);
    EXPECT_EQ(uidriver::ProgressPosition(window, IDC_PROGRESS_BAR), 250);
    EXPECT_EQ(uidriver::ControlText(window, IDC_PROGRESS_STATUS), L"Checking the setup file\u2026");

    progress.Installing(1000);
    progress.NameFile("QTXPrograms\\Vectrace.exe", 400);
    FollowAfterAPause(progress, 200);
    EXPECT_EQ(uidriver::ProgressPosition(window, IDC_PROGRESS_BAR), 250 + 750 * 200 / 1000);
    EXPECT_EQ(uidriver::ControlText(window, IDC_PROGRESS_STATUS), L"Installing: QTXPrograms\\Vectrace.exe");

    // A file whose bytes did not come through the pump counts once the next one starts.
    progress.NameFile("QTXData\\" + std::string(300, 'n') + "\\last.dat", 600);
    FollowAfterAPause(progress, 0);
    EXPECT_EQ(uidriver::ProgressPosition(window, IDC_PROGRESS_BAR), 250 + 750 * 400 / 1000);
    const std::wstring status = uidriver::ControlText(window, IDC_PROGRESS_STATUS);
    EXPECT_EQ(status.rfind(L"Installing: QTXData\\nnn", 0), 0u) << uidriver::WideToUtf8(status);
    EXPECT_NE(status.find(L'\u2026'), std::wstring::npos);
    EXPECT_EQ(status.substr(status.size() - 9), L"\\last.dat");

    FollowAfterAPause(progress, 600);
    EXPECT_EQ(uidriver::ProgressPosition(window, IDC_PROGRESS_BAR), 999);  // full only when done
    progress.Finish();
    EXPECT_EQ(uidriver::ProgressPosition(window, IDC_PROGRESS_BAR), 1000);
}

TEST(InstallProgress, CancelAsksAndStopsTheWorkOnlyOnYes) {
    CInstallProgressDlg progress(nullptr, 0);
    ASSERT_TRUE(progress.Open(400, 300));
    const HWND window = progress.GetSafeHwnd();
    EXPECT_EQ(uidriver::ControlText(window, IDCANCEL), L"\u53D6\u6D88");
    progress.Checking(1000);
    FollowAfterAPause(progress, 0);
    EXPECT_EQ(uidriver::ControlText(window, IDC_PROGRESS_STATUS),
              L"\u6B63\u5728\u68C0\u67E5\u5B89\u88C5\u6587\u4EF6\u2026");

    // The Cancel button, then the close box: each asks, and only Yes stops the work.
    struct Case {
        UINT message;
        WPARAM wParam;
        int answer;
    };
    const Case cases[] = {{WM_COMMAND, IDCANCEL, IDNO}, {WM_SYSCOMMAND, SC_CLOSE, IDYES}};
    for (const Case& c : cases) {
        std::wstring asked;
        std::thread answering([&] {
            const HWND box = uidriver::WaitForMessageBox(GetCurrentProcessId(), {}, 10000);
            if (box) {
                asked = uidriver::MessageBoxText(box);
                uidriver::PressButton(box, c.answer);
            }
        });
        PostMessageW(window, c.message, c.wParam, 0);
        const bool keepGoing = FollowAfterAPause(progress, 0);
        answering.join();
        EXPECT_EQ(asked, L"\u786E\u5B9A\u8981\u53D6\u6D88\u5B89\u88C5\u5417?");
        EXPECT_EQ(keepGoing, c.answer == IDNO);
        EXPECT_EQ(progress.Cancelled(), c.answer == IDYES);
    }
    EXPECT_FALSE(uidriver::ControlEnabled(window, IDCANCEL));
}

}  // namespace
