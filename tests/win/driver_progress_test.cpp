// The driver installation below a folder of our own, with the stand-in installers copied in or left
// out: which installers start, which message boxes come, which files are removed. The placement it
// makes into the prefix's Windows folder is removed again.
#include "app/commands/DriverProgressDlg_win.h"

#include <windows.h>

#include <cstdlib>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/SetupRun_win.h"
#include "app/services/FatalErrorReport_win.h"
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

// The driver folders below root as the extraction leaves them, without either installer.
void LayOutDriverFolders(const TempFolder& root) {
    CreateDirectoryA((root / "MxDriver").c_str(), nullptr);
    CreateDirectoryA((root / "QTXDriver").c_str(), nullptr);
    for (const char* name : kRemoved) {
        ASSERT_TRUE(WriteWholeFile(root / "MxDriver\\" + name, name));
    }
    for (const char* name : kKept) {
        ASSERT_TRUE(WriteWholeFile(root / "MxDriver\\" + name, name));
    }
    DeleteFileA((root / "MxDriver\\UsbDriver.exe").c_str());
}

// The same with both stand-in installers in place, each told how to run and end (BehaveFile.h).
void LayOutWithInstallers(const TempFolder& root, const char* serialBehaviour, const char* packageBehaviour) {
    LayOutDriverFolders(root);
    const std::string serial = root / "MxDriver\\UsbDriver.exe";
    const std::string package = root / "QTXDriver\\InstallDriver.exe";
    ASSERT_TRUE(CopyFileA(VT_BIN_DIR "/UsbDriver.exe", serial.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(VT_BIN_DIR "/InstallDriver.exe", package.c_str(), FALSE));
    ASSERT_TRUE(WriteWholeFile(serial + ".behave", serialBehaviour));
    ASSERT_TRUE(WriteWholeFile(package + ".behave", packageBehaviour));
}

// What the placement adds to the Windows folder goes again when this ends.
class WindowsFolderAdditions {
public:
    WindowsFolderAdditions() : m_before(ListFiles(m_windows)) {}
    ~WindowsFolderAdditions() {
        for (const std::string& file : ListFiles(m_windows)) {
            if (!std::binary_search(m_before.begin(), m_before.end(), file)) {
                DeleteFileA((m_windows + file).c_str());
            }
        }
    }

private:
    const std::string m_windows = WindowsFolder();
    const std::vector<std::string> m_before;
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
    LayOutDriverFolders(root);
    const std::string serial = root / "MxDriver\\UsbDriver.exe";
    const std::string package = root / "QTXDriver\\InstallDriver.exe";
    if (c.serialInstaller) {
        ASSERT_TRUE(CopyFileA(VT_BIN_DIR "/UsbDriver.exe", serial.c_str(), FALSE));
    }
    if (c.packageInstaller) {
        ASSERT_TRUE(CopyFileA(VT_BIN_DIR "/InstallDriver.exe", package.c_str(), FALSE));
    }
    int ticks = 0;
    {
        const WindowsFolderAdditions placed;
        MessageBoxWatcher watcher;
        CDriverProgressDlg progress(nullptr);
        progress.m_title = "Installing the driver...";
        const auto stepTotal = [] { return 22; };
        const auto tick = [&ticks] { ++ticks; };
        progress.SetCallbacks(stepTotal, tick);
        EXPECT_EQ(progress.InstallDriversBelow(root.Path(), false), 1);
        EXPECT_EQ(progress.GetSafeHwnd() == nullptr || !IsWindow(progress.GetSafeHwnd()), true);
        const std::vector<std::wstring> texts = watcher.Stop();
        EXPECT_EQ(static_cast<int>(texts.size()), c.errors);
        for (const std::wstring& text : texts) {
            EXPECT_EQ(text, L"error!");
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

// Steps of a run, kept.
class StepRecorder : public Reporter {
public:
    void Step(const std::wstring& text) override { steps.push_back(text); }
    void Message(Kind, const std::wstring& text, HWND) override { steps.push_back(L"Message: " + text); }
    bool AskRetry(const std::wstring& text, HWND) override {
        steps.push_back(L"Asked: " + text);
        return false;
    }
    bool Has(const std::wstring& text) const { return std::find(steps.begin(), steps.end(), text) != steps.end(); }
    std::vector<std::wstring> steps;
};

std::wstring Steps(const std::vector<std::wstring>& steps) {
    std::wstring all;
    for (const std::wstring& step : steps) {
        all += step + L"\n";
    }
    return all;
}

// Unattended, the run ends after the package installer and tells both installers' exit codes, non-zero
// ones as the installers' own word, not as a failure; the window leaves the package installer running.
TEST(DriverInstallers, UnattendedWaitsForThePackageInstallerAndTellsBothExitCodes) {
    for (const bool unattended : {true, false}) {
        TempFolder root;
        ASSERT_NO_FATAL_FAILURE(
            LayOutWithInstallers(root, "exit-code=7\r\n", "run-ms=2000\r\nexit-code=3221225477\r\n"));
        const std::string serial = root / "MxDriver\\UsbDriver.exe";
        const std::string package = root / "QTXDriver\\InstallDriver.exe";

        StepRecorder reporter;
        {
            const WindowsFolderAdditions placed;
            CDriverProgressDlg progress(nullptr);
            progress.m_title = "Installing the driver...";
            progress.m_showWindow = !unattended;
            progress.m_waitForPackageInstaller = unattended;
            progress.m_reporter = &reporter;
            const auto stepTotal = [] { return 1; };
            progress.SetCallbacks(stepTotal, nullptr);
            progress.InstallDriversBelow(root.Path(), false);
            EXPECT_FALSE(progress.Failed());
        }
        const std::wstring widePackage(package.begin(), package.end());
        const std::wstring wideSerial(serial.begin(), serial.end());
        EXPECT_TRUE(reporter.Has(wideSerial + L" ended with exit code 7")) << Steps(reporter.steps);
        if (unattended) {
            // Its end is told, so it had ended when the run did; the code too large for a word is in hex too.
            EXPECT_TRUE(reporter.Has(L"Started and waiting for " + widePackage)) << Steps(reporter.steps);
            EXPECT_TRUE(reporter.Has(widePackage + L" ended with exit code 3221225477 (0xC0000005)"))
                << Steps(reporter.steps);
        } else {
            EXPECT_TRUE(reporter.Has(L"Started " + widePackage)) << Steps(reporter.steps);
            for (const std::wstring& step : reporter.steps) {
                EXPECT_EQ(step.find(L"InstallDriver.exe ended"), std::wstring::npos) << Steps(reporter.steps);
            }
            Sleep(2500);  // the stand-in lets go of its folder before the folder goes
        }
    }
}

// Whether the stand-in installer whose run record is `record` had ended: its process is gone, or it
// is there and has ended. False when it never wrote its record.
bool StandInEnded(const std::string& record) {
    std::string line;
    const std::size_t at = ReadWholeFile(record, line) ? line.find("\tpid=") : std::string::npos;
    if (at == std::string::npos) {
        return false;
    }
    const DWORD pid = std::strtoul(line.c_str() + at + 5, nullptr, 10);
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) {
        return true;
    }
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    if (!ended) {
        WaitForSingleObject(process, 30000);  // it lets go of its folder before the folder goes
    }
    CloseHandle(process);
    return ended;
}

// The command line's unattended run, /SILENT as /VERYSILENT, ends only after the package installer
// has: a deployment tool that reboots next must not cut the driver package short. Its exit code is the
// run's, 0, whatever the installer's own was, which the log tells.
TEST(DriverInstallers, UnattendedCommandLineEndsAfterThePackageInstaller) {
    for (const std::wstring mode : {L"/SILENT", L"/VERYSILENT"}) {
        SCOPED_TRACE(std::string(mode.begin(), mode.end()));
        TempFolder root;
        // Long enough that a run which does not wait is over well before it.
        ASSERT_NO_FATAL_FAILURE(LayOutWithInstallers(root, "", "run-ms=3000\r\nexit-code=3\r\n"));
        const std::string package = root / "QTXDriver\\InstallDriver.exe";
        const std::string log = root / "setup.log";
        StartValues start;
        start.languageIndex = 3;
        start.driverRoot = root.Path();

        int exitCode = -1;
        bool ended = false;
        {
            const WindowsFolderAdditions placed;
            exitCode = RunSetup(
                L"VtSetup.exe " + mode + L" /TYPE=usbdriver /LOG=" + std::wstring(log.begin(), log.end()), start);
            ended = StandInEnded(package + ".log");
        }
        ReportFatalErrorsTo(nullptr, false, 0);  // the run's log is closed

        EXPECT_EQ(exitCode, 0);
        EXPECT_TRUE(ended) << "the run ended while InstallDriver.exe still ran";
        const std::string logged = Content(log);
        EXPECT_NE(logged.find(package + " ended with exit code 3\r\n"), std::string::npos) << logged;
        EXPECT_NE(logged.find("Exit code 0\r\n"), std::string::npos) << logged;
    }
}

}  // namespace
