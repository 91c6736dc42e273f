// The folder of a path, with its "\": the Windows folder of the system folder, the folder a file is
// written into. Names whose second byte is "\" are in double_byte_names_test.
#include <gtest/gtest.h>

#include "framework/PathFolder.h"

TEST(FolderOfPath, UpToAndWithTheLastBackslash) {
    const struct {
        const char* path;
        const char* folder;
    } cases[] = {
        {"C:\\Windows\\system32", "C:\\Windows\\"},
        {"D:\\WINNT\\System32", "D:\\WINNT\\"},
        {"C:\\Vectrace\\QTXCfg\\SoftCfg.ini", "C:\\Vectrace\\QTXCfg\\"},
        {"C:\\Vectrace\\", "C:\\Vectrace\\"},
        {"\\\\server\\share\\setup.exe", "\\\\server\\share\\"},
        {"C:\\", "C:\\"},
        {"system32", ""},
        {"C:/Windows/system32", ""},  // "/" is not looked at: the paths the setup builds use "\"
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text::FolderOfPath(c.path, text::IsGbkLeadByte), c.folder) << c.path;
    }
}
