// The install command's words for a branch that stopped, and what an unattended run's log says of it:
// the real dist's setup installing into a folder of the test, a program opening a file after the check.
#include "app/commands/InstallCommand_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "app/commands/InstallProgressDlg_win.h"
#include "app/commands/ReportingObserver_win.h"
#include "app/services/Reporter_win.h"
#include "app/services/SetupLog_win.h"
#include "install/CommitGate_win.h"
#include "install/LinkOnTheWay_win.h"
#include "res/resource.h"
#include "tests/win/PluginDist_win.h"
#include "tests/win/WineTestSupport_win.h"
#include "tools/uidriver/UiDriver_win.h"

namespace {

InstallCommandSettings Settings(const wintest::TempFolder& temp, int language) {
    InstallCommandSettings settings;
    settings.targetFolder = temp / "Target";
    settings.languagePosition = language;
    settings.productName = "Vectrace";
    settings.setupFile = wintest::DistSetupFile();
    settings.setupFolder = wintest::DistFolder();
    settings.desktopFolder = wintest::MakeFolder(temp / "Desktop\\");
    settings.programsFolder = wintest::MakeFolder(temp / "Programs\\");
    return settings;
}

// The unattended run's observer, with a program that opens a file once the first few are written.
class LateOpener : public ReportingObserver {
public:
    LateOpener(Reporter& reporter, const install::MessageTable& table, std::string file)
        : ReportingObserver(reporter, table, nullptr, nullptr), m_file(std::move(file)) {}
    // Asked during the check as well: only the questions between two files count.
    void Writing(std::uint64_t) override { m_writing = true; }
    bool KeepGoing(std::uint64_t, std::uint64_t) override {
        if (m_writing && ++m_written == 3) {
            opened = std::make_unique<wintest::FileHolder>(m_file);
        }
        return true;
    }
    std::unique_ptr<wintest::FileHolder> opened;

private:
    std::string m_file;
    bool m_writing = false;
    int m_written = 0;
};

// A rename refused late: the branch is undone, the message names the file and the system's reason
// after the branch's own words, and the log tells the rollback.
TEST(InstallCommand, LateFailureIsUndoneNamedAndLogged) {
    wintest::TempFolder temp;
    InstallCommandSettings settings = Settings(temp, 2);
    ASSERT_TRUE(RunInstallCommand(settings).Installed());
    const std::string exe = temp / "Target\\Vectrace\\QTXPrograms\\Vectrace.exe";
    ASSERT_TRUE(wintest::WriteWholeFile(exe, "first version"));
    const auto before = wintest::Snapshot(temp / "Target\\", false);

    InstallOutcome result;
    {
        SetupLog log;
        DWORD error = 0;
        ASSERT_TRUE(log.Open(temp / "setup.log", &error));
        LogReporter reporter(&log);
        const install::MessageTable table(2);
        LateOpener observer(reporter, table, exe);
        settings.observer = &observer;
        result = RunInstallCommand(settings);
        ASSERT_TRUE(observer.opened && observer.opened->Holding());
    }

    EXPECT_FALSE(result.Installed());
    EXPECT_EQ(result.failure.path, exe);
    const std::wstring leadIn = L"Can't copy files, error!\r\n" + std::wstring(exe.begin(), exe.end()) + L"\r\n";
    const std::wstring box = OutcomeBox(result, install::MessageTable(2));
    EXPECT_EQ(box.rfind(leadIn, 0), 0u);
    EXPECT_GT(box.size(), leadIn.size()) << "no reason given";
    EXPECT_TRUE(wintest::Snapshot(temp / "Target\\", false) == before) << "the first version changed";
    const std::string logged = wintest::Content(temp / "setup.log");
    EXPECT_NE(logged.find("Rolled back: everything written into " + temp / "Target\\Vectrace\\" + " was undone"),
              std::string::npos)
        << logged;
}

// A user who stops while the setup file is checked: the stop comes back as Cancelled, never as a damaged
// setup, with nothing written and no box; the check told the bytes it read on the way.
class StopsDuringTheCheck : public ReportingObserver {
public:
    StopsDuringTheCheck(Reporter& reporter, const install::MessageTable& table)
        : ReportingObserver(reporter, table, nullptr, nullptr) {}
    bool KeepGoing(std::uint64_t done, std::uint64_t total) override {
        lastDone = done;
        lastTotal = total;
        return ++asked < 2;
    }
    void Moved(std::uint64_t bytes) override { moved += bytes; }
    void Writing(std::uint64_t) override { wrote = true; }
    int asked = 0;
    std::uint64_t moved = 0, lastDone = 0, lastTotal = 0;
    bool wrote = false;
};

TEST(InstallCommand, AStopDuringTheCheckIsCancelledNotDamaged) {
    wintest::TempFolder temp;
    InstallCommandSettings settings = Settings(temp, 2);
    SetupLog log;
    DWORD error = 0;
    ASSERT_TRUE(log.Open(temp / "setup.log", &error));
    LogReporter reporter(&log);
    const install::MessageTable table(2);
    StopsDuringTheCheck observer(reporter, table);
    settings.observer = &observer;
    const InstallOutcome result = RunInstallCommand(settings);
    EXPECT_EQ(result.ending, InstallOutcome::Ending::Cancelled);
    EXPECT_EQ(OutcomeBox(result, table), L"");
    EXPECT_EQ(observer.asked, 2);
    EXPECT_FALSE(observer.wrote);
    EXPECT_GT(observer.moved, 0u);
    EXPECT_EQ(observer.lastDone, observer.moved);
    EXPECT_EQ(observer.lastTotal, settings.setupFile->Length());
    EXPECT_EQ(GetFileAttributesA((temp / "Target").c_str()), INVALID_FILE_ATTRIBUTES) << "something was written";
}

// The hook stands where the branch passes from writing beside the old files to moving the new ones in.
class CommitHook {
public:
    explicit CommitHook(std::function<void()> act) : m_act(std::move(act)) {
        SetCommitHookForTests([](const install::InstallPlan&, void* self) { static_cast<CommitHook*>(self)->Run(); },
                              this);
    }
    ~CommitHook() { SetCommitHookForTests(nullptr, nullptr); }
    int calls = 0;

private:
    void Run() {
        ++calls;
        m_act();
    }
    std::function<void()> m_act;
};

// From the first move to the end of the branch the window holds a logoff or shutdown off (it answers
// WM_QUERYENDSESSION with FALSE), Cancel is disabled and the status says the installation is being
// finished; a click on Cancel then asks nothing, not even after the branch. Once the command is done,
// the session may end again.
TEST(InstallCommand, TheCommitHoldsOffTheSessionsEndAndCancel) {
    wintest::TempFolder temp;
    const InstallCommandSettings settings = Settings(temp, 2);
    CInstallProgressDlg progress(nullptr, 2);
    ASSERT_TRUE(progress.Open(400, 300));
    const HWND window = progress.GetSafeHwnd();
    EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);

    LRESULT answered = -1;
    bool cancelEnabled = true;
    std::wstring status;
    CommitHook hook([&] {
        answered = SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
        cancelEnabled = uidriver::ControlEnabled(window, IDCANCEL);
        status = uidriver::ControlText(window, IDC_PROGRESS_STATUS);
        // Clicks a user makes while the files move: taken when the window next looks at its input.
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    SetupLog log;
    LogReporter reporter(&log);
    std::wstring asked;
    std::thread watching([&] {
        const HWND box = uidriver::WaitForMessageBox(GetCurrentProcessId(), {}, 3000);
        if (box) {
            asked = uidriver::MessageBoxText(box);
            uidriver::PressButton(box, IDNO);
        }
    });
    const InstallOutcome end = RunReportedInstallCommand(settings, reporter, nullptr, &progress);
    progress.Finish();
    watching.join();

    EXPECT_TRUE(end.Installed());
    EXPECT_EQ(hook.calls, 1);
    EXPECT_EQ(answered, FALSE);
    EXPECT_FALSE(cancelEnabled);
    EXPECT_EQ(status, L"Finishing the installation\u2026");
    EXPECT_EQ(asked, L"") << "a Cancel question after the commit";
    EXPECT_FALSE(progress.Cancelled());
    EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
}

// A user who may write inside the install folder swaps a subfolder for a link while the files are staged
// (the hook does it right before the first move: "QTXDoc" becomes a Unix link to another program's
// folder). The link rule, asked again then, stops the branch, which is rolled back: nothing in the other
// folder is written, moved or deleted, and the earlier installation is as it was.
TEST(InstallCommand, ALinkPlantedBeforeTheFirstMoveRollsBackAndItsTargetIsUntouched) {
    wintest::TempFolder temp;
    // On the build's drive, beside the link: Wine moves a folder only within one drive.
    const std::string base = wintest::ProgramFolder() + "commit_link\\";
    const std::string target = base + "run\\";
    wintest::RemoveTree(target);
    InstallCommandSettings settings = Settings(temp, 2);
    settings.targetFolder = target;
    ASSERT_TRUE(RunInstallCommand(settings).Installed());
    const std::string installed = target + "Vectrace";
    const std::string aside = target + "Vectrace.aside";
    const std::string planted = base + "planted";
    const std::string other = base + "other\\";
    ASSERT_TRUE(IsReparsePointOnDisk(planted + "\\QTXDoc")) << "Wine should show the Unix link as a reparse point";
    for (const std::string& file : wintest::ListFiles(installed + "\\QTXDoc\\")) {
        ASSERT_TRUE(wintest::WriteWholeFile(other + file, "the other program's " + file));
    }
    ASSERT_FALSE(wintest::ListFiles(other).empty());
    const auto otherBefore = wintest::Snapshot(other);
    const auto installedBefore = wintest::Snapshot(installed + "\\", false);

    CommitHook hook([&] {
        ASSERT_TRUE(MoveFileA(installed.c_str(), aside.c_str()));
        ASSERT_TRUE(MoveFileA(planted.c_str(), installed.c_str()));
    });
    SetupLog log;
    DWORD error = 0;
    ASSERT_TRUE(log.Open(temp / "setup.log", &error));
    LogReporter reporter(&log);
    const install::MessageTable table(2);
    ReportingObserver observer(reporter, table, nullptr, nullptr);
    settings.observer = &observer;
    const InstallOutcome result = RunInstallCommand(settings);
    EXPECT_TRUE(wintest::Snapshot(other) == otherBefore) << "the link's target changed";
    // The link goes back where the build keeps it before anything else.
    ASSERT_TRUE(MoveFileA(installed.c_str(), planted.c_str()));
    ASSERT_TRUE(MoveFileA(aside.c_str(), installed.c_str()));

    EXPECT_EQ(hook.calls, 1);
    EXPECT_EQ(result.ending, InstallOutcome::Ending::Link);
    EXPECT_EQ(result.failure.path, installed + "\\QTXDoc");
    // What the user moved away while the files were staged keeps them: the rollback could not reach them
    // through the link, and the next run removes them as a killed run's leftovers.
    auto installedAfter = wintest::Snapshot(installed + "\\", false);
    installedAfter.erase(
        std::remove_if(installedAfter.begin(), installedAfter.end(),
                       [](const auto& file) { return file.first.find("~vtsetup") != std::string::npos; }),
        installedAfter.end());
    EXPECT_TRUE(installedAfter == installedBefore) << "the earlier installation changed";
    const std::string logged = wintest::Content(temp / "setup.log");
    EXPECT_NE(logged.find("Rolled back: everything written into " + target + "Vectrace\\ was undone"),
              std::string::npos)
        << logged;
    for (const std::string& file : wintest::ListFiles(other)) {
        DeleteFileA((other + file).c_str());
    }
    wintest::RemoveTree(target);
}

// Files in use with nobody asked (no observer): the message names them itself, ten at the most.
TEST(InstallCommand, FilesInUseAreNamedInTheMessage) {
    wintest::TempFolder temp;
    InstallCommandSettings settings = Settings(temp, 2);
    ASSERT_TRUE(RunInstallCommand(settings).Installed());
    const std::string exe = temp / "Target\\Vectrace\\QTXPrograms\\Vectrace.exe";
    wintest::FileHolder running(exe);
    ASSERT_TRUE(running.Holding());

    const InstallOutcome result = RunInstallCommand(settings);

    EXPECT_FALSE(result.Installed());
    EXPECT_TRUE(OutcomeBox(result, install::MessageTable(2)) == L"These files are in use. Close the program that uses them, then click Retry:\r\n" +
                                      std::wstring(exe.begin(), exe.end()));
}

TEST(InstallCommand, FilesInUseMessageNamesTenAndCountsTheRest) {
    std::vector<install::FileInUse> files;
    for (char c = 'a'; c <= 'l'; ++c) {
        files.push_back({std::string("C:\\V\\") + c, 32});
    }
    const std::wstring text = FilesInUseMessage(install::MessageTable(0), files);
    EXPECT_TRUE(text.rfind(L"以下文件正在使用,请关闭相关程序后点击“重试”:\r\nC:\\V\\a\r\n", 0) == 0);
    const std::wstring end = L"C:\\V\\j\r\n以及另外 2 个文件";
    EXPECT_TRUE(text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0);
    EXPECT_EQ(text.find(L"C:\\V\\k"), std::wstring::npos);
}

}  // namespace
