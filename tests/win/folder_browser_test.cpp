// The folder browser around the shell's browse dialog: titles from string resources, the initial
// selection made through the browse notifications, the chosen path, and a cancelled browse.
#include "plugins/FolderBrowser_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "res/resource.h"
#include "tools/uidriver/UiDriver_win.h"

namespace {

// Waits for the browse window of this process and leaves it with closeId.
std::thread CloseBrowseWindow(int closeId) {
    return std::thread([closeId] {
        for (int i = 0; i < 400; ++i) {
            for (HWND window : uidriver::ProcessWindows(GetCurrentProcessId())) {
                wchar_t name[16] = {};
                GetClassNameW(window, name, 16);
                if (lstrcmpW(name, L"#32770") == 0) {
                    Sleep(300);  // lets the initial selection settle
                    uidriver::ClickButton(window, closeId);
                    return;
                }
            }
            Sleep(25);
        }
    });
}

TEST(FolderBrowser, TitleFromAStringResource) {
    CFolderPicker picker(nullptr, nullptr, 0);
    EXPECT_FALSE(picker.SetTitle(0));
    EXPECT_FALSE(picker.SetTitle(-5));
    EXPECT_FALSE(picker.SetTitle(9999));
    EXPECT_TRUE(picker.SetTitle(IDS_SELECT_INSTALL_PATH));
}

TEST(FolderBrowser, InitialFolderIsSelectedAndReturnedOnOk) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    CFolderPicker picker(nullptr, nullptr, IDS_SELECT_INSTALL_PATH);
    picker.SetFlags(BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
    picker.SetInitialFolder(windows);
    std::thread user = CloseBrowseWindow(IDOK);
    const bool chosen = picker.Browse();
    user.join();
    EXPECT_TRUE(chosen);
    EXPECT_EQ(lstrcmpiA(picker.GetFolderPath(), windows), 0) << picker.GetFolderPath();
}

TEST(FolderBrowser, CancelChoosesNothing) {
    CFolderPicker picker(nullptr, nullptr, IDS_SELECT_INSTALL_PATH);
    picker.SetFlags(BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
    picker.SetInitialFolder("C:\\");
    std::thread user = CloseBrowseWindow(IDCANCEL);
    EXPECT_FALSE(picker.Browse());
    user.join();
}

}  // namespace
