// The main window's own window parts, looked at in-process: the About entry of the system menu, the
// icons, and the lists filled from the start-up values.
#include "app/windows/SetupDlg_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "res/resource.h"

namespace {

TEST(SetupDialog, SystemMenuEndsWithSeparatorAndAboutEntry) {
    CSetupDlg dialog;
    ASSERT_TRUE(dialog.Create());
    HMENU menu = GetSystemMenu(dialog.GetSafeHwnd(), FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(count - 1), text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"About Setup(&A)...");
    MENUITEMINFOW separator{};
    separator.cbSize = sizeof separator;
    separator.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, static_cast<UINT>(count - 2), TRUE, &separator);
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
}

TEST(SetupDialog, IconServesAsWindowAndDragIcon) {
    CSetupDlg dialog;
    ASSERT_NE(dialog.m_hIcon, nullptr);
    ASSERT_TRUE(dialog.Create());
    HWND window = dialog.GetSafeHwnd();
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)), dialog.m_hIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0)), dialog.m_hIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_QUERYDRAGICON, 0, 0)), dialog.m_hIcon);
}

TEST(SetupDialog, MinimisedWindowPaintsWithoutFailing) {
    CSetupDlg dialog;
    ASSERT_TRUE(dialog.Create());
    HWND window = dialog.GetSafeHwnd();
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(window));
    InvalidateRect(window, nullptr, TRUE);
    EXPECT_TRUE(UpdateWindow(window));
    ShowWindow(window, SW_RESTORE);
    EXPECT_FALSE(IsIconic(window));
}

TEST(SetupDialog, LanguageIndexPicksTheFirstSelectionAndCaptions) {
    struct Case {
        int index;
        const wchar_t* caption;
    };
    const Case cases[] = {{1, L"\x6b22\x8fce\x4f7f\x7528"}, {2, L"Welcome to use"}, {13, L"Welcome to use"}};
    for (const Case& c : cases) {
        CSetupDlg dialog;
        dialog.m_languageIndex = c.index;
        ASSERT_TRUE(dialog.Create());
        HWND window = dialog.GetSafeHwnd();
        wchar_t caption[64] = {};
        GetWindowTextW(window, caption, 64);
        EXPECT_STREQ(caption, c.caption) << c.index;
        EXPECT_EQ(SendDlgItemMessageW(window, IDC_LANGUAGE_LIST, CB_GETCURSEL, 0, 0), c.index - 1);
        EXPECT_EQ(SendDlgItemMessageW(window, IDC_LANGUAGE_LIST, CB_GETCOUNT, 0, 0), 14);
        EXPECT_EQ(SendDlgItemMessageW(window, IDC_TYPE_LIST, CB_GETCURSEL, 0, 0), 0);
    }
}

}  // namespace
