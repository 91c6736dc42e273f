// Which two paths name one file, asked of the system's own case table and code page.
#include <gtest/gtest.h>
#include <windows.h>

#include "install/SameFileOnWindows_win.h"

namespace {

TEST(SameFileOnWindows, FoldsCaseSeparatorsAndTrailingDotsAsWindowsDoes) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"C:\\Vectrace\\QTXLanguage\\English.lng", "c:\\VECTRACE\\qtxlanguage\\english.LNG", true},
        {"C:\\V\\QTXCfg\\SoftCfg.ini", "C:/V/QTXCfg/SoftCfg.ini", true},
        {"C:\\V\\Readme.txt. .", "C:\\V\\readme.txt", true},
        {"C:\\V. \\a", "C:\\V\\a", true},
        {"C:\\V\\a.txt", "C:\\V\\a.tx", false},
        {"C:\\V\\a b", "C:\\V\\ab", false},
        {"C:\\V\\a", "C:\\V\\a\\b", false},
        {"", "", true},
    };
    for (const auto& one : cases) {
        EXPECT_EQ(SameFileOnWindows(one.a, one.b), one.same) << one.a << " / " << one.b;
    }
}

// A letter beyond ASCII with two cases in the system's code page is one letter, as the file system
// takes it; asked only where the code page has such a pair.
TEST(SameFileOnWindows, LettersBeyondAsciiFoldInTheSystemCodePage) {
    const UINT codePage = GetACP();
    if (codePage == 1252) {
        EXPECT_TRUE(SameFileOnWindows("C:\\V\\\xC9t\xE9.ini", "C:\\V\\\xE9T\xC9.INI"));  // Été / éTÉ
        EXPECT_FALSE(SameFileOnWindows("C:\\V\\\xE9", "C:\\V\\e"));
    } else if (codePage == 936) {
        EXPECT_TRUE(SameFileOnWindows("C:\\V\\\xA3\xC1.ini", "C:\\V\\\xA3\xE1.ini"));  // full-width A / a
        EXPECT_FALSE(SameFileOnWindows("C:\\V\\\xD6\xD0", "C:\\V\\\xD6\xD1"));
    } else {
        GTEST_SKIP() << "code page " << codePage;
    }
}

}  // namespace
