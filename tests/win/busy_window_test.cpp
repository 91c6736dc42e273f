// A window busy with a command: disabled meanwhile, and what was clicked, typed or posted to it
// during the command is gone when it is enabled again; what comes after is acted on as usual.
#include "framework/BusyWindow_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Dialog_win.h"
#include "res/resource.h"

namespace {

constexpr int kCommandId = 4242;

class CountingDialog : public CDialog {
public:
    CountingDialog() : CDialog(IDD_ABOUTBOX, nullptr) {}
    int commands = 0;

protected:
    bool OnCommand(int id, int code) override {
        if (id == kCommandId) {
            ++commands;
            return true;
        }
        return CDialog::OnCommand(id, code);
    }
};

void DispatchWaiting() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void PostCommand(HWND window) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(kCommandId, BN_CLICKED), 0);
}

TEST(BusyWindow, WhatCameDuringTheCommandIsDroppedWhatComesAfterCounts) {
    CountingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HWND window = dialog.GetSafeHwnd();
    DispatchWaiting();
    {
        const CBusyWindow busy(window);
        EXPECT_FALSE(IsWindowEnabled(window));
        // A click posted the way tools click, the button's own click message, and a key and a mouse
        // press that land in the queue while the command does not read it.
        PostCommand(window);
        PostMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageW(GetDlgItem(window, IDOK), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageW(GetDlgItem(window, IDOK), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    EXPECT_TRUE(IsWindowEnabled(window));
    DispatchWaiting();
    EXPECT_EQ(dialog.commands, 0);

    PostCommand(window);
    DispatchWaiting();
    EXPECT_EQ(dialog.commands, 1);
}

TEST(BusyWindow, AWindowAlreadyDisabledStaysDisabled) {
    CountingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HWND window = dialog.GetSafeHwnd();
    EnableWindow(window, FALSE);
    { const CBusyWindow busy(window); }
    EXPECT_FALSE(IsWindowEnabled(window));
    const CBusyWindow none(nullptr);  // no window: nothing to do
}

}  // namespace
