#include "install/FolderPath.h"
#include "install/MainSoftwareLayout.h"

#include <gtest/gtest.h>

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

}  // namespace
