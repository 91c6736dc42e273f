// The install command's words for a branch that stopped, and what an unattended run's log says of it:
// the real dist's setup installing into a folder of the test, a program opening a file after the check.
#include "app/commands/InstallCommand_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/commands/ReportingObserver_win.h"
#include "app/services/Reporter_win.h"
#include "app/services/SetupLog_win.h"
#include "tests/win/PluginDist_win.h"
#include "tests/win/WineTestSupport_win.h"

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
    bool KeepGoing(std::uint64_t, std::uint64_t) override {
        if (++m_written == 3) {
            opened = std::make_unique<wintest::FileHolder>(m_file);
        }
        return true;
    }
    std::unique_ptr<wintest::FileHolder> opened;

private:
    std::string m_file;
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
