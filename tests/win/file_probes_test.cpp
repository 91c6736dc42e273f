#include "install/FileProbes_win.h"

#include <gtest/gtest.h>

#include "tests/win/WineTestSupport_win.h"

namespace {

using wintest::MakeFolder;

void WriteFile(const std::string& path, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    ASSERT_TRUE(wintest::WriteWholeFile(path, bytes)) << path;
    SetFileAttributesA(path.c_str(), attributes);
}

TEST(FileProbes, FoldersFilesAndPatterns) {
    wintest::TempFolder scratch;
    const std::string folder = MakeFolder(scratch / "Draw\\");
    WriteFile(folder + "CorelDrw.exe", "MZ");
    const std::string bare = folder.substr(0, folder.size() - 1);

    const struct {
        std::string path;
        bool folderExists;
        bool fileExists;
    } cases[] = {
        {bare, true, true},
        {folder, false, false},  // the system's search takes no trailing "\"
        {folder + "CorelDrw.exe", false, true},
        {folder + "*.exe", false, true},
        {folder + "*.gms", false, false},
        {scratch.Path() + "Absent", false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderExists(c.path), c.folderExists) << c.path;
        EXPECT_EQ(FileExists(c.path), c.fileExists) << c.path;
    }
}

}  // namespace
