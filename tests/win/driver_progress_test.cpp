// The driver installation below a folder of our own, with the stand-in installers copied in or left
// out: which installers start, which message boxes come, which files are removed. The placement it
// makes into the prefix's Windows folder is removed again.
#include "app/DriverProgressDlg_win.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/win/WineTestSupport_win.h"
#include "tools/uidriver/UiDriver_win.h"

namespace {

using namespace wintest;

const char* const kRemoved[] = {"ftd2xx.dll",  "Usbvcommtp.inf", "Usbvcommtp.cat", "qtx512m.005",  "qtx512u.005",
                                "qtx512m.006", "qtx512u.006",    "qtx512m2.006",   "qtx512u2.006", "UsbDriver.exe"};
const char* const kKept[] = {"QtxWdf0.d", "QtxWdf1.d", "QtxWin0.d", "QtxWin1.d"};

std::string WindowsFolder() {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\";
}

// Answers every message box of this process while it lives, keeping their texts.
class MessageBoxWatcher {
public:
    MessageBoxWatcher()
        : m_thread([this] {
              while (!m_stop) {
                  if (HWND box = uidriver::WaitForMessageBox(GetCurrentProcessId(), {}, 100)) {
                      m_texts.push_back(uidriver::MessageBoxText(box));
                      uidriver::DismissMessageBox(box);
                      uidriver::WaitUntilClosed(box, 5000);
                  }
              }
          }) {}
    ~MessageBoxWatcher() { Stop(); }
    std::vector<std::wstring> Stop() {
        m_stop = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
        return m_texts;
    }

private:
    std::atomic<bool> m_stop{false};
    std::vector<std::wstring> m_texts;
    std::thread m_thread;
};

struct Case {
    const char* name;
    bool serialInstaller;   // "MxDriver\UsbDriver.exe" there
    bool packageInstaller;  // "QTXDriver\InstallDriver.exe" there
    int errors;             // "error!" boxes expected
    bool packageStarted;
};

class DriverInstall : public ::testing::TestWithParam<Case> {};

TEST_P(DriverInstall, StartsWhatIsThereAndRemovesTheSerialDriverFiles) {
    const Case& c = GetParam();
    TempFolder root;
    CreateDirectoryA((root / "MxDriver").c_str(), nullptr);
    CreateDirectoryA((root / "QTXDriver").c_str(), nullptr);
    for (const char* name : kRemoved) {
        ASSERT_TRUE(WriteWholeFile(root / "MxDriver\\" + name, name));
    }
    for (const char* name : kKept) {
        ASSERT_TRUE(WriteWholeFile(root / "MxDriver\\" + name, name));
    }
    const std::string serial = root / "MxDriver\\UsbDriver.exe";
    const std::string package = root / "QTXDriver\\InstallDriver.exe";
    DeleteFileA(serial.c_str());
    if (c.serialInstaller) {
        ASSERT_TRUE(CopyFileA(VT_BIN_DIR "/UsbDriver.exe", serial.c_str(), FALSE));
    }
    if (c.packageInstaller) {
        ASSERT_TRUE(CopyFileA(VT_BIN_DIR "/InstallDriver.exe", package.c_str(), FALSE));
    }
    const std::string windows = WindowsFolder();
    const std::vector<std::string> windowsBefore = ListFiles(windows);

    int ticks = 0;
    {
        MessageBoxWatcher watcher;
        CDriverProgressDlg progress(nullptr);
        progress.m_title = "Installing the driver...";
        progress.SetCallbacks([] { return 22; }, [&ticks] { ++ticks; });
        EXPECT_EQ(progress.InstallDriversBelow(root.Path(), false), 1);
        EXPECT_EQ(progress.GetSafeHwnd() == nullptr || !IsWindow(progress.GetSafeHwnd()), true);
        const std::vector<std::wstring> texts = watcher.Stop();
        EXPECT_EQ(static_cast<int>(texts.size()), c.errors);
        for (const std::wstring& text : texts) {
            EXPECT_EQ(text, L"error!");
        }
    }

    // What the placement added to the Windows folder goes again.
    for (const std::string& file : ListFiles(windows)) {
        if (!std::binary_search(windowsBefore.begin(), windowsBefore.end(), file)) {
            DeleteFileA((windows + file).c_str());
        }
    }

    if (c.serialInstaller) {
        std::string log;
        EXPECT_TRUE(ReadWholeFile(serial + ".log", log));
    }
    Sleep(1000);  // the package installer is not waited for
    EXPECT_EQ(Exists(package + ".log"), c.packageStarted);
    for (const char* name : kRemoved) {
        EXPECT_FALSE(Exists(root / "MxDriver\\" + name)) << name;
    }
    for (const char* name : kKept) {
        EXPECT_TRUE(Exists(root / "MxDriver\\" + name)) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Installers,
                         DriverInstall,
                         ::testing::Values(Case{"both", true, true, 0, true},
                                           Case{"no_serial_installer", false, true, 1, false},
                                           Case{"no_package_installer", true, false, 1, false}),
                         [](const ::testing::TestParamInfo<Case>& caseInfo) { return caseInfo.param.name; });

}  // namespace
