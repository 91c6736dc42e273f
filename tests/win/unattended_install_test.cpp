// The unattended run's word for a read-only file of an earlier installation, through the command line
// as a deployment tool gives it: exit code 0 only when that file holds the new content, the log naming
// it; a file the run could not replace keeps its bytes and ends the run with exit code 2.
#include "app/SetupRun_win.h"

#include <windows.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/services/FatalErrorReport_win.h"
#include "tests/win/PluginDist_win.h"
#include "tests/win/WineTestSupport_win.h"

namespace {

using wintest::Content;

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

// The whole command line of the setup, on the build's dist, with the shortcuts into the test's folders.
int RunCommandLine(const wintest::TempFolder& temp, const std::string& arguments) {
    StartValues start;
    start.setupFolder = wintest::DistFolder();
    start.setupFile = wintest::DistSetupFile();
    start.languageIndex = 3;
    start.desktopFolder = wintest::MakeFolder(temp / "Desktop\\");
    start.programsFolder = wintest::MakeFolder(temp / "Programs\\");
    const int exitCode = RunSetup(L"VtSetup.exe " + Wide(arguments), start);
    ReportFatalErrorsTo(nullptr, false, 0);  // the run's log is closed
    return exitCode;
}

struct Case {
    const char* name;
    bool held;  // a program holds the read-only file open
    int exitCode;
};

class UnattendedReadOnly : public ::testing::TestWithParam<Case> {};

TEST_P(UnattendedReadOnly, ExitCodeZeroOnlyWhenTheReadOnlyFileHoldsTheNewContent) {
    const Case& c = GetParam();
    wintest::TempFolder temp;
    const std::string target = temp / "Target";
    const std::string log = temp / "setup.log";
    const std::string arguments = "/VERYSILENT /DIR=" + target + " /LOG=" + log;
    ASSERT_EQ(RunCommandLine(temp, arguments), 0) << Content(log);
    const std::string program = target + "\\Vectrace\\QTXPrograms\\Vectrace.exe";
    const std::string settings = target + "\\Vectrace\\QTXCfg\\Laser.ini";
    const std::string newProgram = Content(wintest::PayloadFolder() + "QTXPrograms\\Vectrace.exe");
    const std::string newSettings = Content(wintest::DistFolder() + "QTXCfg\\Laser.ini");
    ASSERT_FALSE(newProgram.empty());
    ASSERT_TRUE(wintest::WriteWholeFile(program, "an earlier version"));
    ASSERT_TRUE(wintest::WriteWholeFile(settings, "MaxPower=91\r\n"));
    for (const std::string& file : {program, settings}) {
        ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    }

    int exitCode = -1;
    {
        std::unique_ptr<wintest::FileHolder> holder;
        if (c.held) {
            holder = std::make_unique<wintest::FileHolder>(program);
            ASSERT_TRUE(holder->Holding());
        }
        exitCode = RunCommandLine(temp, arguments);
    }

    const std::string logged = Content(log);
    EXPECT_EQ(exitCode, c.exitCode) << logged;
    EXPECT_EQ(exitCode == 0, Content(program) == newProgram) << "exit code " << exitCode << ", " << program << "\n"
                                                             << logged;
    EXPECT_EQ(exitCode == 0, Content(settings) == newSettings) << "exit code " << exitCode << ", " << settings << "\n"
                                                               << logged;
    if (exitCode == 0) {
        EXPECT_NE(logged.find("Read-only, replaced all the same: " + program), std::string::npos) << logged;
        EXPECT_NE(logged.find("Read-only, replaced all the same: " + settings), std::string::npos) << logged;
    } else {
        EXPECT_EQ(Content(program), "an earlier version");
        EXPECT_EQ(Content(settings), "MaxPower=91\r\n");
        EXPECT_EQ(logged.find("Read-only, replaced all the same"), std::string::npos) << logged;
    }
    // The folder goes at the end, read-only files and their backups too.
    for (const std::string& file : wintest::ListFiles(temp.Path())) {
        SetFileAttributesA((temp / file).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

INSTANTIATE_TEST_SUITE_P(Runs,
                         UnattendedReadOnly,
                         ::testing::Values(Case{"replaced", false, 0}, Case{"held_open", true, 2}),
                         [](const ::testing::TestParamInfo<Case>& caseInfo) { return caseInfo.param.name; });

}  // namespace
