#include "plugins/AutoCadInstall_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/win/PluginDist_win.h"
#include "tests/win/ScopedMachineKey_win.h"
#include "tests/win/ScriptedObserver_win.h"
#include "tests/win/WineTestSupport_win.h"

namespace {

using Outcome = PluginInstallResult::Outcome;

const char* const kFonts[] = {"Fs.shx", "gbcbig.shx", "HT.SHX", "Hztxt.shx", "Khz.shx", "txt.shx"};

// What an AutoCAD folder holds after the plug-in: the payload without its CAD and CorelDRAW folders, the
// loader and start-up files at the top, the loose folders, and what AutoCAD had there before.
std::vector<std::string> ExpectedFiles(std::initializer_list<std::string> before) {
    std::vector<std::string> files = wintest::InstalledPluginFiles(
        {"QTXCad", "QTXCorel"}, {"QTXSrtCad.dll", "QTXStart.bmp", "acad.dvb", "acad.lsp"});
    files.insert(files.end(), before.begin(), before.end());
    std::sort(files.begin(), files.end());
    return files;
}

std::string Payload(const std::string& name) {
    return wintest::Content(wintest::PayloadFolder() + name);
}

class AutoCadInstallTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(wintest::Exists(wintest::DistSetup())) << "no dist: run scripts/make-dist.sh"; }

    PluginInstallSettings Settings(const std::string& target, int autoInstall, int language = 2) {
        PluginInstallSettings settings;
        settings.targetFolder = target;
        settings.autoInstall = autoInstall;
        settings.languagePosition = language;
        settings.setupFolder = wintest::DistFolder();
        settings.setupFile = wintest::DistSetupFile();
        return settings;
    }

    // An AutoCAD folder with "acad.exe" and, when asked, a "Fonts" folder; its path without "\".
    std::string MakeAutoCad(const std::string& name, bool fonts = true) {
        const std::string folder = temp / name;
        CreateDirectoryA(folder.c_str(), nullptr);
        wintest::WriteWholeFile(folder + "\\acad.exe", "AutoCAD");
        if (fonts) {
            CreateDirectoryA((folder + "\\Fonts").c_str(), nullptr);
        }
        return folder;
    }

    void ExpectInstalled(const std::string& folder, const char* script) {
        SCOPED_TRACE(folder);
        std::vector<std::string> fonts;
        for (const char* font : kFonts) {
            fonts.push_back(std::string("Fonts\\") + font);
            EXPECT_EQ(wintest::Content(folder + "\\Fonts\\" + font), Payload(std::string("QTXFonts\\") + font));
        }
        std::vector<std::string> expected = ExpectedFiles({"acad.exe"});
        expected.insert(expected.end(), fonts.begin(), fonts.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(wintest::ListFiles(folder + "\\"), expected);
        EXPECT_EQ(wintest::Content(folder + "\\acad.lsp"), Payload(std::string("QTXCad\\") + script));
        EXPECT_EQ(wintest::Content(folder + "\\QTXSrtCad.dll"), Payload("QTXCad\\QTXSrtCad.dll"));
    }

    wintest::ScopedMachineKey autodesk{"SOFTWARE\\Autodesk"};
    wintest::TempFolder temp;
};

// The prefix's own "reg add", as an AutoCAD installer (or a user) would register a folder.
int RegAdd(const std::string& key, const char* value, const std::string& data) {
    return wintest::RunAndWait("reg.exe add \"HKLM\\SOFTWARE\\Autodesk\\AutoCAD\\" + key + "\" /v " + value + " /d \"" +
                               data + "\" /f");
}

TEST_F(AutoCadInstallTest, AutomaticInstallsEveryRegisteredFolder) {
    const std::string first = MakeAutoCad("R18");
    const std::string second = MakeAutoCad("AutoCAD 2013 with a longer name");
    ASSERT_EQ(RegAdd("R18.0\\ACAD-8001:409", "AcadLocation", first), 0);
    ASSERT_EQ(RegAdd("R18.0\\ACAD-8001:804", "AcadLocation", second), 0);
    ASSERT_EQ(RegAdd("R18.0\\ACAD-8002:409", "Language", "English"), 0);  // no AcadLocation
    ASSERT_TRUE(autodesk.CreateKey("AutoCAD\\R19.0"));                    // no products

    const PluginInstallResult result = InstallAutoCadPlugin(Settings("", 1));

    ASSERT_EQ(result.outcome, Outcome::Installed) << result.failure.path;
    ExpectInstalled(first, "acad_EN.lsp");
    ExpectInstalled(second, "acad_EN.lsp");
    EXPECT_EQ(wintest::IniValue(second + "\\QTXCfg\\SoftCfg.ini", "BaseCfg", "Language"), "3");
    EXPECT_EQ(AutoCadInstallMessage(result, install::MessageTable(2)), "");
}

TEST_F(AutoCadInstallTest, StartupScriptFollowsTheLanguageAndTheTrailingBackslashDoesNotMatter) {
    const struct {
        int language;
        const char* suffix;
        const char* script;
    } cases[] = {{0, "", "acad_CH.lsp"}, {1, "\\", "acad_EN.lsp"}, {2, "", "acad_EN.lsp"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        const std::string folder = MakeAutoCad("Lang" + std::to_string(c.language));

        ASSERT_EQ(InstallAutoCadPlugin(Settings(folder + c.suffix, 0, c.language)).outcome, Outcome::Installed);

        ExpectInstalled(folder, c.script);
        EXPECT_EQ(wintest::IniValue(folder + "\\QTXCfg\\SoftCfg.ini", "BaseCfg", "Language"),
                  std::to_string(c.language + 1));
    }
}

TEST_F(AutoCadInstallTest, ManualModeWithoutAcadExeIsAPathErrorAndWritesNothing) {
    const std::string folder = temp / "NotAutoCad";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const std::string& target : {folder, folder + "\\", std::string()}) {
        const PluginInstallResult result = InstallAutoCadPlugin(Settings(target, 0));
        EXPECT_EQ(result.outcome, Outcome::PathError) << target;
        EXPECT_EQ(AutoCadInstallMessage(result, install::MessageTable(0)),
                  "\xb4\xed\xce\xf3\xb5\xc4\xce\xc4\xbc\xfe\xc4\xbf\xc2\xbc!");
    }
    EXPECT_TRUE(wintest::ListFiles(temp.Path()).empty());
}

// The current folder holds an AutoCAD; an elevated setup's is often System32.
TEST_F(AutoCadInstallTest, ManualTargetThatIsNotAFullPathIsAPathError) {
    MakeAutoCad("Current");
    MakeAutoCad("Current\\Acad");
    wintest::CurrentFolder current(temp / "Current");
    ASSERT_TRUE(current.Entered());
    for (const char* target : {"Acad", ".", "C:Acad", "\\"}) {
        const PluginInstallResult result = InstallAutoCadPlugin(Settings(target, 0));
        EXPECT_EQ(result.outcome, Outcome::PathError) << target;
        EXPECT_EQ(AutoCadInstallMessage(result, install::MessageTable(2)), "The path is error!") << target;
    }
    current.Leave();
    EXPECT_EQ(wintest::ListFiles(temp / "Current\\"), (std::vector<std::string>{"Acad\\acad.exe", "acad.exe"}));
}

TEST_F(AutoCadInstallTest, MissingFontsFolderLeavesOnlyTheFontsOut) {
    const std::string folder = MakeAutoCad("NoFonts", false);

    ASSERT_EQ(InstallAutoCadPlugin(Settings(folder, 0)).outcome, Outcome::Installed);

    EXPECT_EQ(wintest::ListFiles(folder + "\\"), ExpectedFiles({"acad.exe"}));
    EXPECT_FALSE(wintest::Exists(folder + "\\Fonts"));
}

// Nothing installed is no success: the user hears that AutoCAD was not found.
TEST_F(AutoCadInstallTest, AutomaticWithNoRegisteredFolderIsNotFound) {
    MakeAutoCad("Unregistered");
    const struct {
        const char* why;
        void (*registry)(const wintest::ScopedMachineKey&, const std::string&);
    } cases[] = {
        {"no AutoCAD key", [](const wintest::ScopedMachineKey&, const std::string&) {}},
        {"AutoCAD key without releases",
         [](const wintest::ScopedMachineKey& keys, const std::string&) { keys.CreateKey("AutoCAD"); }},
        {"products without AcadLocation",
         [](const wintest::ScopedMachineKey& keys, const std::string& folder) {
             keys.SetText("AutoCAD\\R18.0\\ACAD-8001:409", "Location", folder);
             keys.CreateKey("AutoCAD\\R19.0");
         }},
        {"empty AcadLocation",
         [](const wintest::ScopedMachineKey& keys, const std::string&) {
             keys.SetText("AutoCAD\\R18.0\\ACAD-8001:409", "AcadLocation", "");
         }},
        {"AcadLocation of a folder that is gone",
         [](const wintest::ScopedMachineKey& keys, const std::string& folder) {
             keys.SetText("AutoCAD\\R18.0\\ACAD-8001:409", "AcadLocation", folder + "\\Gone");
         }},
        {"AcadLocation of a folder without acad.exe",
         [](const wintest::ScopedMachineKey& keys, const std::string& folder) {
             keys.SetText("AutoCAD\\R18.0\\ACAD-8001:409", "AcadLocation", folder + "\\Fonts");
         }},
        {"AcadLocation filling its buffer with no terminator",
         [](const wintest::ScopedMachineKey& keys, const std::string& folder) {
             std::string bytes = folder + "\\";
             bytes.resize(260, 'x');
             keys.SetBytes("AutoCAD\\R18.0\\ACAD-8001:409", "AcadLocation", REG_BINARY, bytes);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        wintest::ScopedMachineKey keys("SOFTWARE\\Autodesk");
        c.registry(keys, temp / "Unregistered");

        const PluginInstallResult result = InstallAutoCadPlugin(Settings("", 1));

        EXPECT_EQ(result.outcome, Outcome::HostNotFound);
        EXPECT_EQ(AutoCadInstallMessage(result, install::MessageTable(2)), "Can't find AutoCAD!");
        EXPECT_EQ(AutoCadInstallMessage(result, install::MessageTable(0)),
                  "\xd5\xd2\xb2\xbb\xb5\xbd"
                  "AutoCAD!");
    }
    EXPECT_EQ(wintest::ListFiles(temp.Path()), (std::vector<std::string>{"Unregistered\\acad.exe"}));
}

// Every AutoCAD is checked before the first is written: a file in use in any names it, and none is
// written.
TEST_F(AutoCadInstallTest, FileInUseInAnyFolderIsNamedBeforeAnyIsWritten) {
    const std::string first = MakeAutoCad("First");
    const std::string second = MakeAutoCad("Second");
    CreateDirectoryA((second + "\\QTXPrograms").c_str(), nullptr);
    ASSERT_TRUE(wintest::WriteWholeFile(second + "\\QTXPrograms\\Vectrace.exe", "running"));
    wintest::FileHolder running(second + "\\QTXPrograms\\Vectrace.exe");
    ASSERT_TRUE(running.Holding());
    ASSERT_TRUE(autodesk.SetText("AutoCAD\\R18.0\\ACAD-8001:409", "AcadLocation", first));
    ASSERT_TRUE(autodesk.SetText("AutoCAD\\R19.0\\ACAD-9001:409", "AcadLocation", second));

    const PluginInstallResult result = InstallAutoCadPlugin(Settings("", 1));

    EXPECT_EQ(result.outcome, Outcome::FilesInUse);
    ASSERT_EQ(result.found.inUse.size(), 1u);
    EXPECT_EQ(result.found.inUse[0].path, second + "\\QTXPrograms\\Vectrace.exe");
    EXPECT_EQ(wintest::ListFiles(first + "\\"), (std::vector<std::string>{"acad.exe"}));
    EXPECT_EQ(wintest::ListFiles(second + "\\"), (std::vector<std::string>{"QTXPrograms\\Vectrace.exe", "acad.exe"}));
}

// Every AutoCAD folder in one installation: a failure in the second folder (a file opened after the
// check) or a Cancel there leaves every folder as it was.
TEST_F(AutoCadInstallTest, FailureOrCancelInTheSecondFolderLeavesEveryFolderAsItWas) {
    for (const bool cancel : {false, true}) {
        SCOPED_TRACE(cancel ? "cancelled" : "failed");
        const std::string first = MakeAutoCad(cancel ? "FirstC" : "FirstF");
        const std::string second = MakeAutoCad(cancel ? "SecondC" : "SecondF");
        CreateDirectoryA((second + "\\QTXPrograms").c_str(), nullptr);
        ASSERT_TRUE(wintest::WriteWholeFile(second + "\\QTXPrograms\\Vectrace.exe", "older"));
        ASSERT_TRUE(autodesk.SetText("AutoCAD\\R18.0\\ACAD-8001:409", "AcadLocation", first));
        ASSERT_TRUE(autodesk.SetText("AutoCAD\\R19.0\\ACAD-9001:409", "AcadLocation", second));
        const auto firstBefore = wintest::Snapshot(first);
        const auto secondBefore = wintest::Snapshot(second);
        std::unique_ptr<wintest::FileHolder> opened;
        bool inSecond = false;
        wintest::ScriptedObserver observer;
        observer.betweenFiles = [&](int) {
            for (const std::string& name : wintest::ListFiles(second + "\\")) {
                inSecond = inSecond || name.find("~vtsetup") != std::string::npos;
            }
            if (inSecond && !cancel && !opened) {
                opened = std::make_unique<wintest::FileHolder>(second + "\\QTXPrograms\\Vectrace.exe");
            }
            return !(inSecond && cancel);
        };
        PluginInstallSettings settings = Settings("", 1);
        settings.observer = &observer;

        const PluginInstallResult result = InstallAutoCadPlugin(settings);
        ASSERT_TRUE(inSecond);
        if (cancel) {
            EXPECT_EQ(result.outcome, Outcome::Cancelled);
        } else {
            ASSERT_TRUE(opened && opened->Holding());
            opened.reset();
            EXPECT_EQ(result.outcome, Outcome::CloseHost);
            EXPECT_EQ(result.failure.path, second + "\\QTXPrograms\\Vectrace.exe");
        }
        EXPECT_TRUE(wintest::Snapshot(first) == firstBefore) << "the first folder changed";
        EXPECT_TRUE(wintest::Snapshot(second) == secondBefore) << "the second folder changed";
    }
}

// An uninstalled AutoCAD leaves its keys behind: a registered folder that is gone, holds no "acad.exe"
// or is not a full path is passed over, and the AutoCAD registered after it is installed.
TEST_F(AutoCadInstallTest, StaleRegistrationBeforeARealAutoCadIsPassedOver) {
    const std::string real = MakeAutoCad("Real");
    const std::string empty = wintest::MakeFolder(temp / "Uninstalled");
    const struct {
        const char* why;
        std::string location;
    } cases[] = {
        {"folder gone", temp / "Gone\\AutoCAD"},
        {"folder without acad.exe", temp / "Uninstalled"},
        {"relative folder", "Real"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        wintest::RemoveTree(real);
        MakeAutoCad("Real");
        wintest::ScopedMachineKey keys("SOFTWARE\\Autodesk");
        ASSERT_TRUE(keys.SetText("AutoCAD\\R18.0\\ACAD-8001:409", "AcadLocation", c.location));
        ASSERT_TRUE(keys.SetText("AutoCAD\\R23.1\\ACAD-3001:409", "AcadLocation", real));

        const PluginInstallResult result = InstallAutoCadPlugin(Settings("", 1));

        ASSERT_EQ(result.outcome, Outcome::Installed) << result.failure.path;
        ExpectInstalled(real, "acad_EN.lsp");
        EXPECT_TRUE(wintest::ListFiles(empty).empty());
        EXPECT_FALSE(wintest::Exists(temp / "Gone"));
    }
}

// Every AutoCAD for years is a 64-bit program and registers in the 64-bit view; the setup reads both
// views, and an installation seen in both (its path spelled another way) is one folder.
// Two folders whose names differ only by a hyphen are two folders to Windows, though a linguistic
// comparison ignores the hyphen: each is installed.
TEST_F(AutoCadInstallTest, FoldersThatDifferOnlyByAHyphenAreBothInstalled) {
    const std::string hyphen = MakeAutoCad("Auto-CAD 2014");
    const std::string plain = MakeAutoCad("AutoCAD 2014");
    ASSERT_EQ(RegAdd("R19.1\\ACAD-D001:409", "AcadLocation", hyphen), 0);
    ASSERT_EQ(RegAdd("R19.1\\ACAD-D002:409", "AcadLocation", plain), 0);

    const PluginInstallResult result = InstallAutoCadPlugin(Settings("", 1));

    ASSERT_EQ(result.outcome, Outcome::Installed) << result.failure.path;
    ExpectInstalled(hyphen, "acad_EN.lsp");
    ExpectInstalled(plain, "acad_EN.lsp");
}

TEST_F(AutoCadInstallTest, BothRegistryViewsAreSearchedAndEachFolderInstalledOnce) {
    if (!wintest::HasOtherRegistryView()) {
        GTEST_SKIP() << "one registry view on 32-bit Windows";
    }
    const REGSAM otherView = wintest::OtherRegistryView();
    wintest::ScopedMachineKey other("SOFTWARE\\Autodesk", otherView);
    const std::string onlyOther = MakeAutoCad("OnlyInTheOtherView");
    const std::string both = MakeAutoCad("InBothViews");
    ASSERT_TRUE(other.SetText("AutoCAD\\R24.0\\ACAD-4101:409", "AcadLocation", onlyOther));
    ASSERT_TRUE(other.SetText("AutoCAD\\R24.1\\ACAD-5101:409", "AcadLocation", both));
    std::string otherSpelling = temp / "INBOTHVIEWS\\";
    ASSERT_TRUE(autodesk.SetText("AutoCAD\\R24.1\\ACAD-5101:409", "AcadLocation", otherSpelling));

    const PluginInstallResult result = InstallAutoCadPlugin(Settings("", 1));

    ASSERT_EQ(result.outcome, Outcome::Installed) << result.failure.path;
    ExpectInstalled(onlyOther, "acad_EN.lsp");
    ExpectInstalled(both, "acad_EN.lsp");
}

// AutoCAD users write their own "acad.lsp" and "acad.dvb" and add shape fonts: the plug-in replaces
// them, but keeps each one whose bytes differ in "Backup\<date time>\" beside it; one that is already
// the plug-in's leaves no copy.
TEST_F(AutoCadInstallTest, UsersStartupFilesAndFontsAreKeptBeforeTheyAreReplaced) {
    const std::string folder = MakeAutoCad("Customised");
    ASSERT_TRUE(wintest::WriteWholeFile(folder + "\\acad.lsp", "(princ \"my own start-up\")"));
    ASSERT_TRUE(wintest::WriteWholeFile(folder + "\\acad.dvb", "my own macros"));
    ASSERT_TRUE(wintest::WriteWholeFile(folder + "\\Fonts\\txt.shx", "my own txt font"));
    ASSERT_TRUE(wintest::WriteWholeFile(folder + "\\Fonts\\Hztxt.shx", Payload("QTXFonts\\Hztxt.shx")));

    ASSERT_EQ(InstallAutoCadPlugin(Settings(folder, 0)).outcome, Outcome::Installed);

    EXPECT_EQ(wintest::Content(folder + "\\acad.lsp"), Payload("QTXCad\\acad_EN.lsp"));
    EXPECT_EQ(wintest::Content(folder + "\\Fonts\\txt.shx"), Payload("QTXFonts\\txt.shx"));
    std::vector<std::string> backups;
    wintest::WithoutBackups(wintest::ListFiles(folder + "\\"), &backups);
    EXPECT_EQ(backups, (std::vector<std::string>{"Backup\\<stamp>\\acad.dvb", "Backup\\<stamp>\\acad.lsp",
                                                 "Fonts\\Backup\\<stamp>\\txt.shx"}));
    const std::vector<std::string> kept = wintest::BackupFolders(folder + "\\");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(wintest::Content(kept[0] + "acad.lsp"), "(princ \"my own start-up\")");
    EXPECT_EQ(wintest::Content(kept[0] + "acad.dvb"), "my own macros");
    EXPECT_EQ(wintest::Content(wintest::BackupFolders(folder + "\\Fonts\\")[0] + "txt.shx"), "my own txt font");

    // The same language again: the start-up files and fonts are the plug-in's now, nothing more is kept.
    ASSERT_EQ(InstallAutoCadPlugin(Settings(folder, 0)).outcome, Outcome::Installed);
    EXPECT_EQ(wintest::BackupFolders(folder + "\\").size(), 1u);
    EXPECT_EQ(wintest::BackupFolders(folder + "\\Fonts\\").size(), 1u);
    // The other language replaces the plug-in's own script: that copy is kept too, beside the first.
    ASSERT_EQ(InstallAutoCadPlugin(Settings(folder, 0, 0)).outcome, Outcome::Installed);
    const std::vector<std::string> again = wintest::BackupFolders(folder + "\\");
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(wintest::Content(again[0] + "acad.lsp"), "(princ \"my own start-up\")");
    EXPECT_EQ(wintest::ListFiles(again[1]), std::vector<std::string>{"acad.lsp"});
    EXPECT_EQ(wintest::Content(again[1] + "acad.lsp"), Payload("QTXCad\\acad_EN.lsp"));
}

// A running AutoCAD holds its start-up files open: each file it holds is named, the splash picture and
// the fonts as much as the loader, and nothing is written.
TEST_F(AutoCadInstallTest, HeldLoaderStartupFileOrFontIsNamedAndNothingIsWritten) {
    const std::string folder = MakeAutoCad("Held");
    ASSERT_EQ(InstallAutoCadPlugin(Settings(folder, 0)).outcome, Outcome::Installed);
    for (const char* held :
         {"QTXSrtCad.dll", "acad.dvb", "acad.lsp", "QTXPrograms\\Vectrace.exe", "QTXStart.bmp", "Fonts\\txt.shx"}) {
        SCOPED_TRACE(held);
        wintest::FileHolder running(folder + "\\" + held);
        ASSERT_TRUE(running.Holding());
        const auto before = wintest::Snapshot(folder);

        const PluginInstallResult result = InstallAutoCadPlugin(Settings(folder, 0, 0));

        EXPECT_EQ(result.outcome, Outcome::FilesInUse) << result.failure.path;
        ASSERT_EQ(result.found.inUse.size(), 1u);
        EXPECT_EQ(result.found.inUse[0].path, folder + "\\" + held);
        EXPECT_EQ(
            AutoCadInstallMessage(result, install::MessageTable(0)),
            "\xd2\xd4\xcf\xc2\xce\xc4\xbc\xfe\xd5\xfd\xd4\xda\xca\xb9\xd3\xc3,\xc7\xeb\xb9\xd8\xb1\xd5\xcf\xe0\xb9\xd8"
            "\xb3\xcc\xd0\xf2\xba\xf3\xb5\xe3\xbb\xf7\xa1\xb0\xd6\xd8\xca\xd4\xa1\xb1:");
        EXPECT_TRUE(wintest::Snapshot(folder) == before) << "written with a file in use";
    }
}

}  // namespace
