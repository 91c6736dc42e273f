#include "install/FolderFiles_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/LinkOnTheWay_win.h"
#include "tests/win/WineTestSupport_win.h"

namespace {

using wintest::Content;
using wintest::MakeFolder;

void WriteFile(const std::string& path, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    ASSERT_TRUE(wintest::WriteWholeFile(path, bytes)) << path;
    SetFileAttributesA(path.c_str(), attributes);
}

std::string WithoutBackslash(const std::string& folder) {
    return folder.substr(0, folder.size() - 1);
}

TEST(DeleteFolderFiles, DeletesWhatItCanAndLeavesFoldersAlone) {
    for (const bool trailing : {true, false}) {
        SCOPED_TRACE(trailing);
        wintest::TempFolder scratch;
        const std::string folder = MakeFolder(scratch / "QTXCad\\");
        MakeFolder(scratch / "QTXCad\\sub\\");
        WriteFile(folder + "a.dll", "a");
        WriteFile(folder + "hidden.dat", "h", FILE_ATTRIBUTE_HIDDEN);
        WriteFile(folder + "readonly.dat", "r", FILE_ATTRIBUTE_READONLY);
        WriteFile(folder + "held.dat", "held");
        WriteFile(folder + "sub\\inner.txt", "inner");

        {
            wintest::FileHolder holder(folder + "held.dat");
            ASSERT_TRUE(holder.Holding());
            DeleteFolderFiles(trailing ? folder : WithoutBackslash(folder));
        }

        EXPECT_FALSE(wintest::Exists(folder + "a.dll"));
        EXPECT_FALSE(wintest::Exists(folder + "hidden.dat"));
        EXPECT_TRUE(wintest::Exists(folder + "readonly.dat"));
        EXPECT_TRUE(wintest::Exists(folder + "held.dat"));
        EXPECT_EQ(Content(folder + "sub\\inner.txt"), "inner");
        EXPECT_FALSE(RemoveDirectoryA(folder.c_str()));
    }
}

TEST(DeleteFolderFiles, EmptiedFolderCanBeRemoved) {
    wintest::TempFolder scratch;
    const std::string folder = MakeFolder(scratch / "QTXCorel\\");
    WriteFile(folder + "a.gms", "a");
    WriteFile(folder + "b.gms", "b", FILE_ATTRIBUTE_SYSTEM);

    DeleteFolderFiles(folder);

    EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
}

}  // namespace

// Emptying a folder that is a link (a reparse point) would delete another program's files: it is not
// entered. The link is the build's "linked_folder\Link", a Unix link to "linked_folder\other".
TEST(DeleteFolderFiles, NeverEntersAFolderThatIsALink) {
    const std::string other = wintest::ProgramFolder() + "linked_folder\\other\\";
    const std::string link = wintest::ProgramFolder() + "linked_folder\\Link";
    ASSERT_TRUE(wintest::WriteWholeFile(other + "settings.ini", "the other program's"));
    ASSERT_TRUE(wintest::WriteWholeFile(other + "library.dll", "the other program's"));
    ASSERT_TRUE(IsReparsePointOnDisk(link)) << "Wine should show the Unix link as a reparse point";
    EXPECT_FALSE(IsReparsePointOnDisk(other.substr(0, other.size() - 1)));
    EXPECT_FALSE(IsReparsePointOnDisk(other + "missing"));
    EXPECT_EQ(wintest::ListFiles(link + "\\"), (std::vector<std::string>{"library.dll", "settings.ini"}));

    for (const std::string& folder : {link, link + "\\"}) {
        DeleteFolderFiles(folder);
        EXPECT_EQ(Content(other + "settings.ini"), "the other program's") << folder;
        EXPECT_EQ(Content(other + "library.dll"), "the other program's") << folder;
    }
    // The rule before an installation names the link, not a level above or below it.
    PathsToWrite paths;
    paths.Add(wintest::ProgramFolder(), link + "\\library.dll");
    EXPECT_EQ(FindLinkOnTheWay(paths), link);
    DeleteFileA((other + "settings.ini").c_str());
    DeleteFileA((other + "library.dll").c_str());
}
