#include "app/commandline/SetupSwitches.h"

#include <gtest/gtest.h>

#include "install/FolderPath.h"

namespace {

using switches::Kind;
using switches::Mode;
using switches::ParseSwitches;
using switches::ShortcutScope;

TEST(SetupSwitches, SoundCommandLines) {
    struct Case {
        std::vector<std::string> arguments;
        Mode mode;
        Kind kind;
        const char* folder;  // nullptr: no /DIR
        int versionIndex;
        int languageIndex;
        const char* log;
        ShortcutScope shortcuts;
    };
    // clang-format off
    const Case cases[] = {
        {{}, Mode::Window, Kind::App, nullptr, -1, 0, "", ShortcutScope::ByAccount},
        {{"/VERYSILENT"}, Mode::VerySilent, Kind::App, nullptr, -1, 0, "", ShortcutScope::ByAccount},
        {{"/verysilent", "/Silent"}, Mode::VerySilent, Kind::App, nullptr, -1, 0, "", ShortcutScope::ByAccount},
        {{"/SILENT", "/DIR=C:\\My Folder", "/LOG=C:\\log.txt"},
         Mode::Silent, Kind::App, "C:\\My Folder", -1, 0, "C:\\log.txt", ShortcutScope::ByAccount},
        {{"/TYPE=CorelDraw", "/VERSION=coreldraw x6(64BIT)"},
         Mode::Window, Kind::CorelDraw, nullptr, 6, 0, "", ShortcutScope::ByAccount},
        {{"/SILENT", "/TYPE=illustrator", "/DIR=D:\\Adobe", "/VERSION=CC 2017(64bit)"},
         Mode::Silent, Kind::Illustrator, "D:\\Adobe", 10, 0, "", ShortcutScope::ByAccount},
        // Without /DIR the window asks for the Illustrator folder.
        {{"/TYPE=illustrator"}, Mode::Window, Kind::Illustrator, nullptr, -1, 0, "", ShortcutScope::ByAccount},
        {{"/TYPE=autocad", "/DIR=\\\\server\\acad"},
         Mode::Window, Kind::AutoCad, "\\\\server\\acad", -1, 0, "", ShortcutScope::ByAccount},
        {{"/VERYSILENT", "/TYPE=USBDRIVER"}, Mode::VerySilent, Kind::UsbDriver, nullptr, -1, 0, "",
         ShortcutScope::ByAccount},
        {{"/LANG=3"}, Mode::Window, Kind::App, nullptr, -1, 3, "", ShortcutScope::ByAccount},
        {{"/LANG=14", "/LANG=01"}, Mode::Window, Kind::App, nullptr, -1, 1, "", ShortcutScope::ByAccount},
        {{"/ALLUSERS"}, Mode::Window, Kind::App, nullptr, -1, 0, "", ShortcutScope::AllUsers},
        {{"/ALLUSERS", "/currentuser"}, Mode::Window, Kind::App, nullptr, -1, 0, "", ShortcutScope::CurrentUser},
        // The last /TYPE counts; the version is looked up in its list.
        {{"/TYPE=app", "/TYPE=illustrator", "/VERSION=cs5"},
         Mode::Window, Kind::Illustrator, nullptr, 0, 0, "", ShortcutScope::ByAccount},
        {{"/LOG=\\\\server\\logs\\setup.log"}, Mode::Window, Kind::App, nullptr, -1, 0, "\\\\server\\logs\\setup.log",
         ShortcutScope::ByAccount},
        // GBK bytes in a value pass as they are.
        {{"/DIR=C:\\\xd6\xd0\xce\xc4"}, Mode::Window, Kind::App, "C:\\\xd6\xd0\xce\xc4", -1, 0, "",
         ShortcutScope::ByAccount},
    };
    // clang-format on
    for (const Case& c : cases) {
        const switches::ParseResult result = ParseSwitches(c.arguments);
        const std::string line = testing::PrintToString(c.arguments);
        ASSERT_EQ(result.error, "") << line;
        const switches::SetupSwitches& s = result.switches;
        EXPECT_EQ(s.given, !c.arguments.empty()) << line;
        EXPECT_EQ(s.mode, c.mode) << line;
        EXPECT_EQ(s.kind, c.kind) << line;
        EXPECT_EQ(s.hasFolder, c.folder != nullptr) << line;
        EXPECT_EQ(s.folder, c.folder ? c.folder : "") << line;
        EXPECT_EQ(s.versionIndex, c.versionIndex) << line;
        EXPECT_EQ(s.languageIndex, c.languageIndex) << line;
        EXPECT_EQ(s.logFile, c.log) << line;
        EXPECT_EQ(s.shortcuts, c.shortcuts) << line;
        EXPECT_FALSE(s.help) << line;
    }
}

TEST(SetupSwitches, HelpSwitches) {
    for (const char* help : {"/?", "/HELP", "/help"}) {
        const switches::ParseResult result = ParseSwitches({help});
        EXPECT_EQ(result.error, "") << help;
        EXPECT_TRUE(result.switches.help) << help;
    }
}

TEST(SetupSwitches, WrongCommandLinesSayWhy) {
    struct Case {
        std::vector<std::string> arguments;
        const char* reasonStart;
    };
    const Case cases[] = {
        {{"/QUIET"}, "Unknown switch \"/QUIET\""},
        {{"/S"}, "Unknown switch \"/S\""},
        {{"/D=C:\\x"}, "Unknown switch \"/D=C:\\x\""},
        {{"SILENT"}, "Unexpected argument \"SILENT\""},
        {{""}, "Unexpected argument \"\""},
        {{"/"}, "Unexpected argument \"/\""},
        {{"/SILENT=1"}, "/SILENT takes no value"},
        {{"/TYPE=plugin"}, "/TYPE=plugin is none of"},
        {{"/TYPE"}, "/TYPE needs a value"},
        {{"/DIR="}, "/DIR needs a value"},
        {{"/DIR=Vectrace"}, "/DIR=Vectrace is not a full path"},
        {{"/DIR=D:x"}, "/DIR=D:x is not a full path"},
        {{"/DIR=\\\\server"}, "/DIR=\\\\server is not a full path"},
        {{"/DIR=C:\\My Folder\" /SILENT"}, "/DIR holds a quote"},
        {{"/DIR=C:\\*"}, "/DIR holds a character no path may hold"},
        {{"/LOG=C:\\a|b"}, "/LOG holds a character no path may hold"},
        // A relative log would land in the current folder: under a deployment tool the system folder.
        {{"/LOG=setup.log"}, "/LOG=setup.log is not a full path"},
        {{"/LOG=logs\\setup.log"}, "/LOG=logs\\setup.log is not a full path"},
        {{"/LOG=\\setup.log"}, "/LOG=\\setup.log is not a full path"},
        {{"/LOG=D:setup.log"}, "/LOG=D:setup.log is not a full path"},
        {{"/LANG=0"}, "/LANG=0 is not a language number"},
        {{"/LANG=15"}, "/LANG=15 is not a language number"},
        {{"/LANG=English"}, "/LANG=English is not a language number"},
        {{"/LANG=-3"}, "/LANG=-3 is not a language number"},
        {{"/VERSION=CS6(64bit)"}, "/VERSION goes with /TYPE=coreldraw or /TYPE=illustrator only"},
        {{"/TYPE=autocad", "/VERSION=CorelDraw 12"}, "/VERSION goes with"},
        {{"/TYPE=coreldraw", "/VERSION=CS6(64bit)"}, "/VERSION=CS6(64bit) is not in the version list"},
        {{"/TYPE=coreldraw", "/VERSION=CorelDraw X6"}, "/VERSION=CorelDraw X6 is not in the version list"},
        {{"/TYPE=usbdriver", "/DIR=C:\\x"}, "/DIR does not go with /TYPE=usbdriver"},
        {{"/SILENT", "/TYPE=illustrator"}, "/TYPE=illustrator needs /DIR"},
        {{"/VERYSILENT", "/TYPE=Illustrator", "/VERSION=CC(64bit)"}, "/TYPE=illustrator needs /DIR"},
        // The first wrong switch is the one named.
        {{"/BAD", "/TYPE=worse"}, "Unknown switch \"/BAD\""},
    };
    for (const Case& c : cases) {
        const switches::ParseResult result = ParseSwitches(c.arguments);
        EXPECT_EQ(result.error.rfind(c.reasonStart, 0), 0u)
            << testing::PrintToString(c.arguments) << " gave: " << result.error;
    }
}

// A wrong switch still leaves the run very silent and logged, so its reason reaches the log unseen.
TEST(SetupSwitches, ModeAndLogHoldBesideAWrongSwitch) {
    const switches::ParseResult result = ParseSwitches({"/TYPE=bogus", "/VERYSILENT", "/LOG=C:\\setup.log"});
    EXPECT_NE(result.error, "");
    EXPECT_EQ(result.switches.mode, Mode::VerySilent);
    EXPECT_EQ(result.switches.logFile, "C:\\setup.log");
}

// /DIR takes what the install-path dialog takes (install::IsFullPath): "/" separates as "\" does, and
// "\\.\" and "\\?\" name devices and raw paths, which the dialog would refuse later.
TEST(SetupSwitches, DirTakesTheDialogsFullPaths) {
    struct Case {
        const char* path;
        bool full;
    };
    // clang-format off
    const Case cases[] = {
        {"C:\\", true},         {"c:\\x", true},    {"Z:\\a b\\c", true},      {"\\\\srv\\share", true},
        {"\\\\srv\\share\\x", true}, {"C:", false}, {"C:x", false},           {"1:\\x", false},
        {"\\x", false},         {"x\\y", false},    {"\\\\srv", false},        {"\\\\srv\\", false},
        {"\\\\\\share", false}, {"\\\\srv\\\\share", false},
        {"D:/Laser", true},     {"//srv/share", true},
        {"\\\\.\\C:\\Laser", false}, {"\\\\?\\C:\\Laser", false},
    };
    // clang-format on
    for (const Case& c : cases) {
        const switches::ParseResult result = ParseSwitches({std::string("/DIR=") + c.path});
        EXPECT_EQ(result.error.empty(), c.full) << c.path << " gave: " << result.error;
        EXPECT_EQ(install::IsFullPath(c.path), c.full) << c.path;
    }
}

TEST(SetupSwitches, ShortcutScopeFollowsTheSystemAccount) {
    struct Case {
        ShortcutScope scope;
        bool systemAccount;
        bool allUsers;
    };
    const Case cases[] = {
        {ShortcutScope::ByAccount, false, false},   {ShortcutScope::ByAccount, true, true},
        {ShortcutScope::AllUsers, false, true},     {ShortcutScope::AllUsers, true, true},
        {ShortcutScope::CurrentUser, false, false}, {ShortcutScope::CurrentUser, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(switches::ShortcutsForAllUsers(c.scope, c.systemAccount), c.allUsers)
            << static_cast<int>(c.scope) << " " << c.systemAccount;
    }
}

TEST(SetupSwitches, EveryKindHasItsNameAndTypeListPosition) {
    EXPECT_EQ(switches::TypeListPosition(Kind::App), 0);
    EXPECT_EQ(switches::TypeListPosition(Kind::CorelDraw), 1);
    EXPECT_EQ(switches::TypeListPosition(Kind::AutoCad), 2);
    EXPECT_EQ(switches::TypeListPosition(Kind::Illustrator), 3);
    EXPECT_EQ(switches::TypeListPosition(Kind::UsbDriver), -1);
    for (const char* name : {"app", "coreldraw", "autocad", "illustrator", "usbdriver"}) {
        const switches::ParseResult result = ParseSwitches({std::string("/TYPE=") + name});
        EXPECT_STREQ(switches::KindName(result.switches.kind), name);
    }
}

}  // namespace
