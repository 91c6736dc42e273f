#include "plugins/IllustratorInstall_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/PluginDist_win.h"
#include "tests/win/WineTestSupport_win.h"

namespace {

using Outcome = PluginInstallResult::Outcome;

// The payload's names, some in another case than the version table's.
const char* const kPayloadPlugins[] = {
    "QTXPlugin_C5OnlyWin32.aip", "QTXPlugin_C6Win32.aip",     "QTXPlugin_C6X64.aip",     "QTXPlugin_CCWin32.aip",
    "QTXPlugin_CCx64.aip",       "QTXPlugin_CC2014Win32.aip", "QTXPlugin_CC2014x64.aip", "QTXPlugin_CC2015WIN32.aip",
    "QTXPlugin_CC2015X64.aip",   "QTXPlugin_CC2017Win32.aip", "QTXPlugin_CC2017x64.aip",
};

class IllustratorInstallTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(wintest::Exists(wintest::DistSetup())) << "no dist: run scripts/make-dist.sh"; }

    PluginInstallSettings Settings(const std::string& target, int version, int language = 2) {
        PluginInstallSettings settings;
        settings.targetFolder = target;
        settings.versionIndex = version;
        settings.languagePosition = language;
        settings.setupFolder = wintest::DistFolder();
        settings.setupFile = wintest::DistSetupFile();
        return settings;
    }

    // An Illustrator folder with the asked-for parts of "Support Files"; its path without "\".
    std::string MakeIllustrator(const std::string& name, bool programFolder = true, bool pluginFolder = true) {
        const std::string base = temp / name;
        for (const std::string& folder :
             {base, base + "\\Support Files", base + "\\Support Files\\Contents", base + "\\Support Files\\Required"}) {
            CreateDirectoryA(folder.c_str(), nullptr);
        }
        if (programFolder) {
            CreateDirectoryA((base + "\\Support Files\\Contents\\Windows").c_str(), nullptr);
        }
        if (pluginFolder) {
            CreateDirectoryA((base + "\\Support Files\\Required\\Plug-ins").c_str(), nullptr);
        }
        return base;
    }

    wintest::TempFolder temp;
};

TEST_F(IllustratorInstallTest, CcSixtyFourBitPluginIsTheOnlyOneOfOursLeft) {
    const std::string base = MakeIllustrator("CC");
    const std::string plugins = base + "\\Support Files\\Required\\Plug-ins\\";
    for (const char* old : {"QtxPluginEn.aip", "QTXPlugin_C5OnlyWin32.aip", "qtxplugin_ccx64.aip", "Other.aip"}) {
        wintest::WriteWholeFile(plugins + old, "old");
    }

    const PluginInstallResult result = InstallIllustratorPlugin(Settings(base, 4));

    ASSERT_EQ(result.outcome, Outcome::Installed) << result.failure.path;
    EXPECT_EQ(wintest::ListFiles(plugins), (std::vector<std::string>{"Other.aip", "QTXPlugin_CCX64.aip"}));
    EXPECT_EQ(wintest::Content(plugins + "QTXPlugin_CCX64.aip"),
              wintest::Content(wintest::PayloadFolder() + "QtxAi\\QTXPlugin_CCx64.aip"));
    const std::string program = base + "\\Support Files\\Contents\\Windows\\";
    EXPECT_EQ(wintest::ListFiles(program), wintest::InstalledPluginFiles({"QTXCad", "QTXCorel", "QtxAi"}));
    EXPECT_EQ(wintest::IniValue(program + "QTXCfg\\SoftCfg.ini", "BaseCfg", "Language"), "3");
    EXPECT_EQ(IllustratorInstallMessage(result, install::MessageTable(2)), "");
}

TEST_F(IllustratorInstallTest, EachVersionReplacesThePreviousPlugin) {
    const std::string base = MakeIllustrator("Every") + "\\";  // with the trailing backslash this time
    const std::string plugins = base + "Support Files\\Required\\Plug-ins\\";
    for (int version = 0; version < 11; ++version) {
        SCOPED_TRACE(version);
        ASSERT_EQ(InstallIllustratorPlugin(Settings(base, version, 0)).outcome, Outcome::Installed);
        const std::vector<std::string> files = wintest::ListFiles(plugins);
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(_stricmp(files[0].c_str(), kPayloadPlugins[version]), 0) << files[0];
        EXPECT_EQ(wintest::Content(plugins + files[0]),
                  wintest::Content(wintest::PayloadFolder() + "QtxAi\\" + kPayloadPlugins[version]));
    }
}

TEST_F(IllustratorInstallTest, FolderWithoutEitherSupportFolderIsAPathErrorAndWritesNothing) {
    const struct {
        const char* why;
        std::string target;
        int version;
    } cases[] = {
        {"no Required\\Plug-ins", MakeIllustrator("NoPlugins", true, false), 2},
        {"no Contents\\Windows", MakeIllustrator("NoProgram", false, true), 2},
        {"no folder named", "", 2},
        {"a version the list does not have", MakeIllustrator("Complete"), 11},
        // The current folder holds a complete Illustrator; an elevated setup's is often System32.
        {"relative to the current folder", "Illustrator", 2},
    };
    MakeIllustrator("Current");
    MakeIllustrator("Current\\Illustrator");
    wintest::CurrentFolder current(temp / "Current");
    ASSERT_TRUE(current.Entered());
    const std::vector<std::string> before = wintest::ListFiles(temp.Path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const PluginInstallResult result = InstallIllustratorPlugin(Settings(c.target, c.version));
        EXPECT_EQ(result.outcome, Outcome::PathError);
        EXPECT_EQ(IllustratorInstallMessage(result, install::MessageTable(2)), "The path is error!");
    }
    current.Leave();
    EXPECT_EQ(wintest::ListFiles(temp.Path()), before);
    EXPECT_FALSE(wintest::Exists(temp / "NoPlugins\\Support Files\\Contents\\Windows\\QTXPrograms"));
}

// A running Illustrator holds its plug-in or the program's files open: they are named, nothing is written.
TEST_F(IllustratorInstallTest, HeldPluginOrProgramFileIsNamedAndNothingIsWritten) {
    const std::string base = MakeIllustrator("Held");
    ASSERT_EQ(InstallIllustratorPlugin(Settings(base, 2)).outcome, Outcome::Installed);
    for (const char* held :
         {"Required\\Plug-ins\\QTXPlugin_C6X64.aip", "Contents\\Windows\\QTXPrograms\\Vectrace.exe"}) {
        SCOPED_TRACE(held);
        wintest::FileHolder running(base + "\\Support Files\\" + held);
        ASSERT_TRUE(running.Holding());

        const auto before = wintest::Snapshot(base);

        const PluginInstallResult result = InstallIllustratorPlugin(Settings(base, 2));

        EXPECT_EQ(result.outcome, Outcome::FilesInUse) << result.failure.path;
        ASSERT_EQ(result.found.inUse.size(), 1u);
        EXPECT_EQ(result.found.inUse[0].path, base + "\\Support Files\\" + held);
        EXPECT_EQ(IllustratorInstallMessage(result, install::MessageTable(1)),
                  "These files are in use. Close the program that uses them, then click Retry:");
        EXPECT_TRUE(wintest::Snapshot(base) == before) << "written with a file in use";
    }
}

// Drive S: is a 256 KiB file system mounted by the small_drive fixture; the payload is larger. The
// shortfall is told, naming the folder, before anything is written.
TEST_F(IllustratorInstallTest, TooSmallDriveIsToldBeforeAnythingIsWritten) {
    if (GetDriveTypeA("S:\\") == DRIVE_NO_ROOT_DIR) {
        GTEST_SKIP() << "no small drive S: here (mounting a tmpfs needs the right to mount)";
    }
    const std::string base = "S:\\Illustrator";
    wintest::RemoveTree(base);
    for (const char* folder : {"", "\\Support Files", "\\Support Files\\Contents", "\\Support Files\\Contents\\Windows",
                               "\\Support Files\\Required", "\\Support Files\\Required\\Plug-ins"}) {
        CreateDirectoryA((base + folder).c_str(), nullptr);
    }

    const PluginInstallResult result = InstallIllustratorPlugin(Settings(base, 2));

    EXPECT_EQ(result.outcome, Outcome::NoSpace);
    EXPECT_EQ(result.found.spaceFolder, base);
    EXPECT_GE(result.found.missingMegabytes, 1u);
    EXPECT_TRUE(wintest::ListFiles(base).empty());
    wintest::RemoveTree(base);
}

}  // namespace
