// The dialog framework under Wine: message boxes and command routing. Windows are driven from a
// second thread as a user would.
#include "framework/Dialog_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "framework/MessageBox_win.h"
#include "res/resource.h"
#include "tools/uidriver/UiDriver_win.h"

namespace {

const wchar_t kAboutCaption[] = L"\x5173\x4e8e VtSetup";  // 关于 VtSetup, the About template's caption

TEST(DialogFramework, MessageBoxShowsGbkTextTitledWithTheExecutableName) {
    std::wstring text;
    std::wstring title;
    std::thread user([&] {
        HWND box = uidriver::WaitForMessageBox(GetCurrentProcessId(), {}, 10000);
        if (box) {
            text = uidriver::MessageBoxText(box);
            title = uidriver::Caption(box);
            uidriver::DismissMessageBox(box);
        }
    });
    ShowMessage("\xB0\xB2\xD7\xB0\xB3\xC9\xB9\xA6!");  // 安装成功!
    user.join();
    EXPECT_EQ(text, L"\x5b89\x88c5\x6210\x529f!");
    EXPECT_EQ(title, L"dialog_framework_test");
    EXPECT_EQ(ExecutableBaseName(), L"dialog_framework_test");
}

TEST(DialogFramework, ADialogWithoutParentIsOwnedByTheMainDialogAndCancelReturnsTwo) {
    CDialog mainDialog(IDD_ABOUTBOX, nullptr);
    ASSERT_TRUE(mainDialog.Create());
    CDialog::SetMainDialog(&mainDialog);

    CDialog child(IDD_INSTALL_PATH, nullptr);
    HWND owner = nullptr;
    BOOL mainEnabled = TRUE;
    std::thread user([&] {
        HWND window = uidriver::WaitForWindow(GetCurrentProcessId(), L"Select install path", 10000);
        if (!window) {
            return;
        }
        owner = GetWindow(window, GW_OWNER);
        mainEnabled = IsWindowEnabled(mainDialog.GetSafeHwnd());
        uidriver::ClickButton(window, IDCANCEL);
    });
    EXPECT_EQ(child.DoModal(), IDCANCEL);
    user.join();
    EXPECT_EQ(owner, mainDialog.GetSafeHwnd());
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(IsWindowEnabled(mainDialog.GetSafeHwnd()));
    CDialog::SetMainDialog(nullptr);
    mainDialog.DestroyWindow();
    EXPECT_EQ(mainDialog.GetSafeHwnd(), nullptr);
}

// A dialog that counts the clicks it handled.
class CountingDialog : public CDialog {
public:
    CountingDialog() : CDialog(IDD_ABOUTBOX, nullptr) {}
    int clicks = 0;

protected:
    bool OnCommand(int id, int code) override {
        if (id == 4243) {
            ++clicks;
            return true;
        }
        return CDialog::OnCommand(id, code);
    }
};

TEST(DialogFramework, PaintPumpDrawsButHandlesNoInput) {
    CountingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HWND window = dialog.GetSafeHwnd();
    ShowWindow(window, SW_SHOW);
    InvalidateRect(window, nullptr, TRUE);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(4243, BN_CLICKED), 0);
    ASSERT_TRUE(GetUpdateRect(window, nullptr, FALSE));

    PumpPaintMessages();

    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
    EXPECT_EQ(dialog.clicks, 0);
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, window, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    DispatchMessageW(&message);
    EXPECT_EQ(dialog.clicks, 1);
}

}  // namespace
