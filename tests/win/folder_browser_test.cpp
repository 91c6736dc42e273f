// The folder browser around the shell's browse dialog: titles from string resources, the initial
// selection made through the browse notifications, the chosen path, and a cancelled browse.
#include "plugins/FolderBrowser_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "res/resource.h"
#include "tools/uidriver/UiDriver_win.h"

namespace {

// Plays the user who leaves the browse window of this process with closeId. It keeps pressing until
// the browse returns: on a busy machine a press that comes before the window is ready is lost, and
// the shell may take many seconds to fill the tree before it shows the window at all. It gives up
// only well after anything reasonable, still inside the test's own time limit.
class BrowseCloser {
public:
    explicit BrowseCloser(int closeId)
        : m_thread([this, closeId] {
              const DWORD start = GetTickCount();
              while (!m_done && GetTickCount() - start < 240000) {
                  for (HWND window : uidriver::ProcessWindows(GetCurrentProcessId())) {
                      wchar_t name[16] = {};
                      GetClassNameW(window, name, 16);
                      if (lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(window)) {
                          Sleep(300);  // lets the initial selection settle
                          if (!m_done) {
                              uidriver::ClickButton(window, closeId);
                          }
                          break;
                      }
                  }
                  Sleep(50);
              }
          }) {}
    ~BrowseCloser() {
        m_done = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

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
    bool chosen = false;
    {
        BrowseCloser user(IDOK);
        chosen = picker.Browse();
    }
    EXPECT_TRUE(chosen);
    EXPECT_EQ(lstrcmpiA(picker.GetFolderPath(), windows), 0) << picker.GetFolderPath();
}

TEST(FolderBrowser, CancelChoosesNothing) {
    CFolderPicker picker(nullptr, nullptr, IDS_SELECT_INSTALL_PATH);
    picker.SetFlags(BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
    picker.SetInitialFolder("C:\\");
    BrowseCloser user(IDCANCEL);
    EXPECT_FALSE(picker.Browse());
}

}  // namespace
