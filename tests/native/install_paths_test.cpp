#include "install/FolderPath.h"
#include "install/MainSoftwareLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(WithTrailingBackslash, AddsOneOnlyWhenMissing) {
    const struct {
        const char* folder;
        const char* expected;
    } cases[] = {
        {"C:\\Setup", "C:\\Setup\\"},
        {"C:\\Setup\\", "C:\\Setup\\"},
        {"C:\\", "C:\\"},
        {"", ""},
        // The last byte 0x5C belongs to the GBK character 0x81 0x5C, so the folder has no separator yet.
        {"C:\\\x81\x5c", "C:\\\x81\x5c\\"},
        {"C:\\\xb0\xb2\\", "C:\\\xb0\xb2\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(install::WithTrailingBackslash(c.folder), c.expected) << c.folder;
    }
}

TEST(InstallFolderFor, TargetWithOrWithoutBackslashGivesOneFolder) {
    EXPECT_EQ(install::InstallFolderFor("D:\\Tools"), "D:\\Tools\\Vectrace\\");
    EXPECT_EQ(install::InstallFolderFor("D:\\Tools\\"), "D:\\Tools\\Vectrace\\");
    EXPECT_EQ(install::InstallFolderFor("D:\\"), "D:\\Vectrace\\");
    // An empty target would otherwise mean the root of the current drive.
    EXPECT_EQ(install::InstallFolderFor(""), "");
}

// An elevated setup's current folder is often System32: a target that leans on it installs there.
TEST(InstallFolderFor, TargetThatIsNotAFullPathHasNoInstallFolder) {
    for (const char* target : {"Vectrace", "D:x", "D:", "\\Tools", "Tools\\Vectrace", ".\\x", "..\\x"}) {
        EXPECT_EQ(install::InstallFolderFor(target), "") << target;
    }
    EXPECT_EQ(install::InstallFolderFor("\\\\server\\share"), "\\\\server\\share\\Vectrace\\");
}

TEST(IsFullPath, DriveWithSeparatorOrServerWithShare) {
    const struct {
        const char* path;
        bool full;
    } cases[] = {
        {"C:\\", true},
        {"d:\\Tools", true},
        {"D:/Tools", true},
        {"\\\\server\\share", true},
        {"\\\\server\\share\\Tools\\", true},
        {"//server/share", true},
        {"\\\\\xb7\x5c\\share", true},  // a server name whose second byte is "\\"
        {"", false},
        {"Vectrace", false},
        {"D:x", false},
        {"D:", false},
        {"1:\\x", false},
        {"\\Tools", false},
        {"\\\\server", false},
        {"\\\\server\\", false},
        {"\\\\\\share", false},
        {"\\\\.\\COM1", false},
        {"\\\\?\\C:\\Tools", false},
        {"\xb0\xb2:\\x", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(install::IsFullPath(c.path), c.full) << c.path;
    }
}

TEST(FolderLevels, EveryLevelBelowTheRootFromTheTopDown) {
    using Levels = std::vector<std::string>;
    const struct {
        const char* path;
        Levels levels;
    } cases[] = {
        {"C:\\A\\B\\Vectrace\\", {"C:\\A", "C:\\A\\B", "C:\\A\\B\\Vectrace"}},
        {"C:\\A", {"C:\\A"}},
        {"C:\\", {}},
        {"C:\\A\\\\B", {"C:\\A", "C:\\A\\\\B"}},
        {"\\\\srv\\share\\A\\B\\", {"\\\\srv\\share\\A", "\\\\srv\\share\\A\\B"}},
        {"\\\\srv\\share", {}},
        // The trail byte 0x5C of a GBK character is no separator.
        {"C:\\\x81\x5c\\Vectrace", {"C:\\\x81\x5c", "C:\\\x81\x5c\\Vectrace"}},
        {"Tools\\Vectrace", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(install::FolderLevels(c.path), c.levels) << c.path;
    }
}

// The product name comes from "SetupCfg.ini"; a name that is not a plain file name gives "Vectrace".
TEST(ShortcutBaseName, OnlyAPlainFileNameIsTaken) {
    const struct {
        const char* product;
        const char* name;
    } cases[] = {
        {"Vectrace Pro", "Vectrace Pro"},
        {"LaserCut 2.0", "LaserCut 2.0"},
        {"\xbc\xa4\xb9\xe2", "\xbc\xa4\xb9\xe2"},  // GBK text
        {"\x81\x5c\x81\x7c", "\x81\x5c\x81\x7c"},  // trail bytes "\\" and "|"
        {"..\\..\\..\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\x", "Vectrace"},
        {"a/b", "Vectrace"},
        {"C:evil", "Vectrace"},
        {"a*", "Vectrace"},
        {"a?", "Vectrace"},
        {"a\"b", "Vectrace"},
        {"<a>", "Vectrace"},
        {"a|b", "Vectrace"},
        {"a\tb", "Vectrace"},
        {"line\r\n", "Vectrace"},
        {"", "Vectrace"},
        {"..", "Vectrace"},
        {" . ", "Vectrace"},
        {"COM1", "Vectrace"},
        {"aux", "Vectrace"},
        {"Con.x", "Vectrace"},
        {"Console", "Console"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(install::ShortcutBaseName(c.product), c.name) << c.product;
        EXPECT_EQ(install::ShortcutPath("D:\\Desktop\\", c.product), std::string("D:\\Desktop\\") + c.name + ".lnk");
    }
}

}  // namespace
