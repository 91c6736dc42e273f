#include "plugins/CorelDrawInstall_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/win/PluginDist_win.h"
#include "tests/win/ScopedMachineKey_win.h"
#include "tests/win/WineTestSupport_win.h"

namespace {

using Outcome = PluginInstallResult::Outcome;

const std::string kSetup = "SOFTWARE\\Corel\\Setup\\";

// What CorelDRAW's program folder holds after the plug-in: the payload without its CAD and CorelDRAW
// folders, the CorelDRAW folder's files other than the modules, and the loose folders.
std::vector<std::string> ExpectedProgramFiles() {
    return wintest::InstalledPluginFiles(
        {"QTXCad", "QTXCorel"}, {"QTXCorel.ico", "QTXCorelIcons.dat", "QTXCorelReadMe.txt", "QTXCorelToolbar.bmp",
                                 "QTXCorel_CH.txt", "QTXCorel_EN.txt"});
}

std::string Module(const std::string& name) {
    return wintest::Content(wintest::PayloadFolder() + "QTXCorel\\" + name);
}

class CorelDrawInstallTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(wintest::Exists(wintest::DistSetup())) << "no dist: run scripts/make-dist.sh"; }

    PluginInstallSettings Settings(const std::string& target, int autoInstall, int version, int language = 2) {
        PluginInstallSettings settings;
        settings.targetFolder = target;
        settings.autoInstall = autoInstall;
        settings.versionIndex = version;
        settings.languagePosition = language;
        settings.setupFolder = wintest::DistFolder();
        settings.setupFile = wintest::DistSetupFile();
        return settings;
    }

    // A CorelDRAW installation folder with its program folder and "Draw\", ending in "\".
    std::string MakeCorelDraw(const std::string& name, const char* programFolder = "Programs") {
        const std::string base = temp / name + "\\";
        CreateDirectoryA(base.c_str(), nullptr);
        CreateDirectoryA((base + programFolder).c_str(), nullptr);
        CreateDirectoryA((base + "Draw").c_str(), nullptr);
        return base;
    }

    wintest::ScopedMachineKey corel{"SOFTWARE\\Corel"};
    wintest::TempFolder temp;
};

TEST_F(CorelDrawInstallTest, AutomaticVersion11TriesTheStandAloneKeyOnlyWhenTheSuiteKeyFails) {
    const std::string suite = temp / "Suite11\\";
    const std::string standAlone = temp / "SA11\\";
    const struct {
        const char* why;
        bool suiteKey;
        std::string suiteBytes;  // "Destination" of the suite's key, as stored
        std::string expectedBase;
    } cases[] = {
        {"only the stand-alone key", false, "", standAlone},
        {"suite's value fills the buffer without a terminator", true, std::string(260, 'x'), standAlone},
        {"suite's value empty", true, std::string(1, '\0'), standAlone},
        {"suite's key readable", true, (temp / "Suite11") + '\0', suite},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        wintest::RemoveTree(suite);
        wintest::RemoveTree(standAlone);
        MakeCorelDraw("Suite11");
        MakeCorelDraw("SA11");
        wintest::ScopedMachineKey keys("SOFTWARE\\Corel");
        if (c.suiteKey) {
            ASSERT_TRUE(keys.SetBytes("Setup\\Corel Graphics Suite 11", "Destination", REG_BINARY, c.suiteBytes));
        }
        ASSERT_TRUE(keys.SetText("Setup\\CorelDRAW SA 11", "Destination", temp / "SA11"));

        const PluginInstallResult result = InstallCorelDrawPlugin(Settings("", 1, 0));

        ASSERT_EQ(result.outcome, Outcome::Installed) << result.failure.path;
        EXPECT_EQ(wintest::ListFiles(c.expectedBase + "Programs\\"), ExpectedProgramFiles());
        EXPECT_EQ(wintest::ListFiles(c.expectedBase + "Draw\\GMS\\"), std::vector<std::string>{"QTXCorel.gms"});
        EXPECT_EQ(wintest::Content(c.expectedBase + "Draw\\GMS\\QTXCorel.gms"), Module("QTXCorel11.gms"));
        const std::string other = c.expectedBase == suite ? standAlone : suite;
        EXPECT_TRUE(wintest::ListFiles(other).empty());
        EXPECT_EQ(wintest::IniValue(c.expectedBase + "Programs\\QTXCfg\\SoftCfg.ini", "BaseCfg", "Language"), "3");
        EXPECT_EQ(CorelDrawInstallMessage(result, install::MessageTable(2)), "");
    }
}

TEST_F(CorelDrawInstallTest, AutomaticSixtyFourBitVersionsUsePrograms64AndTheirModule) {
    const struct {
        int version;
        const char* key;
        const char* programFolder;
        const char* module;
    } cases[] = {
        {5, "CorelDRAW Graphics Suite 16", "Programs", "QTXCorelEx.gms"},
        {6, "CorelDRAW Technical Suite 16", "Programs64", "QTXCorelEx64.gms"},
        {7, "CorelDRAW Graphics Suite 17", "Programs", "QTXCorelEx.gms"},
        {8, "CorelDRAW Graphics Suite 17", "Programs64", "QTXCorelEx64.gms"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        const std::string name = "X" + std::to_string(c.version);
        const std::string base = MakeCorelDraw(name, c.programFolder);
        wintest::ScopedMachineKey keys("SOFTWARE\\Corel");
        ASSERT_TRUE(keys.SetText(std::string("Setup\\") + c.key, "Destination", temp / name));

        ASSERT_EQ(InstallCorelDrawPlugin(Settings("", 1, c.version)).outcome, Outcome::Installed);

        EXPECT_EQ(wintest::ListFiles(base + c.programFolder + "\\"), ExpectedProgramFiles());
        EXPECT_EQ(wintest::Content(base + "Draw\\GMS\\QTXCorel.gms"), Module(c.module));
    }
}

TEST_F(CorelDrawInstallTest, DestinationEndingInBackslashIsUsedWithTheDoubledSeparator) {
    const std::string base = MakeCorelDraw("X3");
    ASSERT_TRUE(corel.SetText("Setup\\CorelDRAW Graphics Suite 13", "Destination", base));  // ends in "\"

    ASSERT_EQ(InstallCorelDrawPlugin(Settings("", 1, 2)).outcome, Outcome::Installed);

    EXPECT_EQ(wintest::ListFiles(base + "Programs\\"), ExpectedProgramFiles());
    EXPECT_EQ(wintest::Content(base + "Draw\\GMS\\QTXCorel.gms"), Module("QTXCorelX34.gms"));
}

TEST_F(CorelDrawInstallTest, AutomaticWithoutTheVersionsKeysFindsNothingAndWritesNothing) {
    MakeCorelDraw("X5");
    ASSERT_TRUE(corel.SetText("Setup\\CorelDRAW Graphics Suite 14", "Destination", temp / "X5"));  // X4's key
    ASSERT_TRUE(corel.SetText("Setup\\CorelDRAW Graphics Suite 15", "Location", temp / "X5"));     // no Destination

    const PluginInstallResult result = InstallCorelDrawPlugin(Settings("", 1, 4));

    EXPECT_EQ(result.outcome, Outcome::HostNotFound);
    EXPECT_TRUE(wintest::ListFiles(temp.Path()).empty());
    EXPECT_EQ(CorelDrawInstallMessage(result, install::MessageTable(2)), "Can't find Coreldraw!");
    EXPECT_EQ(CorelDrawInstallMessage(result, install::MessageTable(0)),
              "\xd5\xd2\xb2\xbb\xb5\xbd"
              "CorelDraw!");
}

TEST_F(CorelDrawInstallTest, ManualModeWithOrWithoutTrailingBackslash) {
    for (const char* suffix : {"", "\\"}) {
        SCOPED_TRACE(std::string("suffix '") + suffix + "'");
        const std::string base = temp / "Manual";
        wintest::RemoveTree(base);
        CreateDirectoryA(base.c_str(), nullptr);
        CreateDirectoryA((base + "\\Programs").c_str(), nullptr);

        ASSERT_EQ(InstallCorelDrawPlugin(Settings(base + suffix, 0, 4, 0)).outcome, Outcome::Installed);

        EXPECT_EQ(wintest::ListFiles(base + "\\Programs\\"), ExpectedProgramFiles());
        EXPECT_EQ(wintest::ListFiles(base + "\\Draw\\"), std::vector<std::string>{"GMS\\QTXCorel.gms"});
        EXPECT_EQ(wintest::Content(base + "\\Draw\\GMS\\QTXCorel.gms"), Module("QTXCorelX5.gms"));
        EXPECT_EQ(wintest::IniValue(base + "\\Programs\\QTXCfg\\SoftCfg.ini", "BaseCfg", "Language"), "1");
    }
}

TEST_F(CorelDrawInstallTest, ManualModeWithoutTheVersionsProgramFolderIsAPathError) {
    ASSERT_FALSE(wintest::Exists("C:\\Programs"));
    const std::string thirtyTwo = MakeCorelDraw("ThirtyTwo", "Programs");
    const struct {
        const char* why;
        std::string target;
        int version;
    } cases[] = {
        {"64-bit version, only Programs", thirtyTwo, 8},
        {"32-bit version, Programs missing", temp / "Absent", 1},
        {"the dialog's initial C:\\", "C:\\", 1},
        {"no folder named", "", 1},
        // The current folder holds "Corel\Programs"; an elevated setup's is often System32.
        {"relative to the current folder", "Corel", 1},
        {"relative to the current folder of drive C:", "C:Corel", 1},
    };
    MakeCorelDraw("Current");
    MakeCorelDraw("Current\\Corel");
    wintest::CurrentFolder current(temp / "Current");
    ASSERT_TRUE(current.Entered());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const PluginInstallResult result = InstallCorelDrawPlugin(Settings(c.target, 0, c.version));
        EXPECT_EQ(result.outcome, Outcome::PathError);
        EXPECT_EQ(CorelDrawInstallMessage(result, install::MessageTable(1)), "The path is error!");
    }
    current.Leave();
    EXPECT_FALSE(wintest::Exists(temp / "Current\\Corel\\Draw\\GMS"));
    EXPECT_EQ(wintest::ListFiles(temp.Path()), std::vector<std::string>{});
    EXPECT_FALSE(wintest::Exists(thirtyTwo + "Draw\\GMS"));
    EXPECT_FALSE(wintest::Exists("C:\\Draw"));
}

TEST_F(CorelDrawInstallTest, ReinstallOfAnotherVersionLeavesOnlyItsModule) {
    const std::string base = MakeCorelDraw("Again");
    ASSERT_EQ(InstallCorelDrawPlugin(Settings(base, 0, 4)).outcome, Outcome::Installed);
    // Leftovers of older setups that copied modules under their own names.
    CreateDirectoryA((base + "Draw\\GMS").c_str(), nullptr);
    wintest::WriteWholeFile(base + "Draw\\GMS\\QTXCorelEx64.gms", "old");
    wintest::WriteWholeFile(base + "Programs\\QTXCorel11.gms", "old");

    ASSERT_EQ(InstallCorelDrawPlugin(Settings(base, 0, 1)).outcome, Outcome::Installed);

    EXPECT_EQ(wintest::ListFiles(base + "Draw\\GMS\\"), std::vector<std::string>{"QTXCorel.gms"});
    EXPECT_EQ(wintest::Content(base + "Draw\\GMS\\QTXCorel.gms"), Module("QTXCorel12.gms"));
    // The first run's "SoftCfg.ini", in the same language, is what this run writes too: no copy of it.
    std::vector<std::string> backups;
    EXPECT_EQ(wintest::WithoutBackups(wintest::ListFiles(base + "Programs\\"), &backups), ExpectedProgramFiles());
    EXPECT_EQ(backups, std::vector<std::string>{});
    // In another language it differs from what the run writes: the user's copy is kept before it is replaced.
    ASSERT_EQ(InstallCorelDrawPlugin(Settings(base, 0, 1, 0)).outcome, Outcome::Installed);
    EXPECT_EQ(wintest::WithoutBackups(wintest::ListFiles(base + "Programs\\"), &backups), ExpectedProgramFiles());
    EXPECT_EQ(backups, std::vector<std::string>{"QTXCfg\\Backup\\<stamp>\\SoftCfg.ini"});
}

// A running CorelDRAW holds its files open: the branch names them before it writes anything.
TEST_F(CorelDrawInstallTest, HeldFileIsNamedAndNothingIsWritten) {
    const std::string base = MakeCorelDraw("Held");
    ASSERT_EQ(InstallCorelDrawPlugin(Settings(base, 0, 3)).outcome, Outcome::Installed);

    const struct {
        const char* why;
        std::string held;  // empty: nothing held
        PluginInstallSettings settings;
    } cases[] = {
        {"a payload file in the program folder", base + "Programs\\QTXPrograms\\Vectrace.exe", Settings(base, 0, 3)},
        {"the installed module", base + "Draw\\GMS\\QTXCorel.gms", Settings(base, 0, 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        std::unique_ptr<wintest::FileHolder> holder;
        if (!c.held.empty()) {
            holder = std::make_unique<wintest::FileHolder>(c.held);
            ASSERT_TRUE(holder->Holding());
        }
        const auto before = wintest::Snapshot(base);
        const PluginInstallResult result = InstallCorelDrawPlugin(c.settings);
        EXPECT_EQ(result.outcome, Outcome::FilesInUse) << result.failure.path;
        ASSERT_EQ(result.found.inUse.size(), 1u);
        EXPECT_EQ(result.found.inUse[0].path, c.held);
        EXPECT_EQ(CorelDrawInstallMessage(result, install::MessageTable(2)),
                  "These files are in use. Close the program that uses them, then click Retry:");
        EXPECT_TRUE(wintest::Snapshot(base) == before) << "written with a file in use";
    }
    // The held module is still the one installed before.
    EXPECT_EQ(wintest::Content(base + "Draw\\GMS\\QTXCorel.gms"), Module("QTXCorelX34.gms"));
}

// An uninstalled CorelDRAW leaves its key behind, and a 32-bit one has no "Programs64": a registered
// folder without the version's program folder is not CorelDRAW, and the next key is tried.
TEST_F(CorelDrawInstallTest, RegisteredFolderWithoutTheVersionsProgramFolderIsPassedOver) {
    const std::string thirtyTwo = MakeCorelDraw("ThirtyTwoBit", "Programs");
    const std::string technical = MakeCorelDraw("Technical", "Programs64");
    const struct {
        const char* why;
        std::string suiteDestination;
        bool technicalKey;
    } cases[] = {
        {"a 32-bit CorelDRAW under the suite's key, nothing else", temp / "ThirtyTwoBit", false},
        {"the suite's folder is gone", temp / "Gone", false},
        {"the suite's folder is relative", "ThirtyTwoBit", false},
        {"a 32-bit CorelDRAW under the suite's key, the Technical Suite's after it", temp / "ThirtyTwoBit", true},
        {"the suite's folder is gone, the Technical Suite's after it", temp / "Gone", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        wintest::ScopedMachineKey keys("SOFTWARE\\Corel");
        ASSERT_TRUE(keys.SetText("Setup\\CorelDRAW Graphics Suite 17", "Destination", c.suiteDestination));
        if (c.technicalKey) {
            ASSERT_TRUE(keys.SetText("Setup\\CorelDRAW Technical Suite 17", "Destination", temp / "Technical"));
        }

        const PluginInstallResult result = InstallCorelDrawPlugin(Settings("", 1, 8));

        if (c.technicalKey) {
            ASSERT_EQ(result.outcome, Outcome::Installed) << result.failure.path;
            EXPECT_EQ(wintest::ListFiles(technical + "Programs64\\"), ExpectedProgramFiles());
            EXPECT_EQ(wintest::Content(technical + "Draw\\GMS\\QTXCorel.gms"), Module("QTXCorelEx64.gms"));
            wintest::RemoveTree(technical + "Programs64\\");
            wintest::RemoveTree(technical + "Draw\\GMS\\");
            wintest::MakeFolder(technical + "Programs64\\");
        } else {
            EXPECT_EQ(result.outcome, Outcome::HostNotFound);
            EXPECT_EQ(CorelDrawInstallMessage(result, install::MessageTable(2)), "Can't find Coreldraw!");
        }
        EXPECT_TRUE(wintest::ListFiles(temp.Path()).empty());
        EXPECT_FALSE(wintest::Exists(thirtyTwo + "Draw\\GMS"));
        EXPECT_FALSE(wintest::Exists(temp / "Gone"));
    }
}

// On 64-bit Windows a CorelDRAW registers in the view of its own bitness; the setup reads both, its own
// first, and the 64-bit one first for the "(64bit)" versions.
TEST_F(CorelDrawInstallTest, BothRegistryViewsAreSearchedOnSixtyFourBitWindows) {
    if (!wintest::HasOtherRegistryView()) {
        GTEST_SKIP() << "one registry view on 32-bit Windows";
    }
    const bool setupIs64Bit = sizeof(void*) == 8;
    const REGSAM otherView = wintest::OtherRegistryView();
    const std::string inOwn = MakeCorelDraw("InOwnView", "Programs64");
    CreateDirectoryA((inOwn + "Programs").c_str(), nullptr);
    const std::string inOther = MakeCorelDraw("InOtherView", "Programs64");
    CreateDirectoryA((inOther + "Programs").c_str(), nullptr);
    const struct {
        const char* why;
        int version;
        bool ownKey;
        bool otherKey;
        std::string expected;
        const char* programFolder;
    } cases[] = {
        {"X5 in the other view only", 4, false, true, inOther, "Programs"},
        {"X7/X8 (64bit) in the other view only", 8, false, true, inOther, "Programs64"},
        {"X7/X8 (32bit) in both: the setup's own view", 7, true, true, inOwn, "Programs"},
        {"X7/X8 (64bit) in both: the 64-bit view", 8, true, true, setupIs64Bit ? inOwn : inOther, "Programs64"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        wintest::ScopedMachineKey own("SOFTWARE\\Corel");
        wintest::ScopedMachineKey other("SOFTWARE\\Corel", otherView);
        if (c.ownKey) {
            ASSERT_TRUE(own.SetText("Setup\\CorelDRAW Graphics Suite 17", "Destination", temp / "InOwnView"));
        }
        ASSERT_TRUE(
            other.SetText(c.version == 4 ? "Setup\\CorelDRAW Graphics Suite 15" : "Setup\\CorelDRAW Graphics Suite 17",
                          "Destination", temp / "InOtherView"));

        ASSERT_EQ(InstallCorelDrawPlugin(Settings("", 1, c.version)).outcome, Outcome::Installed);

        EXPECT_EQ(wintest::ListFiles(c.expected + c.programFolder + "\\"), ExpectedProgramFiles());
        const std::string notExpected = c.expected == inOwn ? inOther : inOwn;
        EXPECT_TRUE(wintest::ListFiles(notExpected).empty());
        for (const std::string& base : {inOwn, inOther}) {
            wintest::RemoveTree(base);
            MakeCorelDraw(base == inOwn ? "InOwnView" : "InOtherView", "Programs64");
            CreateDirectoryA((base + "Programs").c_str(), nullptr);
        }
    }
}

}  // namespace
