#include "install/FolderFiles_win.h"

#include <gtest/gtest.h>

#include <functional>
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

using CopyOperation = std::function<void(const std::string&, const std::string&)>;

struct NamedCopy {
    const char* name;
    CopyOperation copy;
};

const NamedCopy kCopies[] = {
    {"CopyFolderFiles", [](const std::string& from, const std::string& to) { CopyFolderFiles(from, to); }},
    {"CopyFolderFilesByContent",
     [](const std::string& from, const std::string& to) { EXPECT_TRUE(CopyFolderFilesByContent(from, to)); }},
};

std::string WithoutBackslash(const std::string& folder) {
    return folder.substr(0, folder.size() - 1);
}

bool IsReadOnly(const std::string& path) {
    return (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0;
}

TEST(CopyFolder, CopiesEveryFileOfOneLevelWithOrWithoutTrailingBackslash) {
    for (const NamedCopy& operation : kCopies) {
        for (int form = 0; form < 4; ++form) {
            SCOPED_TRACE(std::string(operation.name) + " form " + std::to_string(form));
            wintest::TempFolder scratch;
            const std::string source = MakeFolder(scratch / "from\\");
            const std::string destination = MakeFolder(scratch / "to\\");
            MakeFolder(scratch / "from\\sub\\");
            WriteFile(source + "a.ini", "new");
            WriteFile(source + "hidden.dat", "h", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
            WriteFile(source + "sub\\inner.txt", "inner");
            WriteFile(destination + "a.ini", "older and longer");
            WriteFile(destination + "kept.txt", "kept");

            operation.copy(form & 1 ? source : WithoutBackslash(source),
                           form & 2 ? destination : WithoutBackslash(destination));

            EXPECT_EQ(Content(destination + "a.ini"), "new");
            EXPECT_EQ(Content(destination + "hidden.dat"), "h");
            EXPECT_EQ(Content(destination + "kept.txt"), "kept");
            EXPECT_FALSE(wintest::Exists(destination + "sub"));
            EXPECT_FALSE(wintest::Exists(destination + "inner.txt"));
        }
    }
}

TEST(CopyFolder, ShorterAndEmptySourcesReplaceTheWholeDestination) {
    for (const NamedCopy& operation : kCopies) {
        SCOPED_TRACE(operation.name);
        wintest::TempFolder scratch;
        const std::string source = MakeFolder(scratch / "from\\");
        const std::string destination = MakeFolder(scratch / "to\\");
        WriteFile(source + "short.ini", "ab");
        WriteFile(source + "empty.ini", "");
        WriteFile(destination + "short.ini", "0123456789");
        WriteFile(destination + "empty.ini", "old");

        operation.copy(source, destination);

        EXPECT_EQ(Content(destination + "short.ini"), "ab");
        EXPECT_EQ(Content(destination + "empty.ini"), "");
    }
}

TEST(CopyFolder, MissingOrEmptyFoldersCopyNothingAndCreateNothing) {
    for (const NamedCopy& operation : kCopies) {
        SCOPED_TRACE(operation.name);
        wintest::TempFolder scratch;
        const std::string source = MakeFolder(scratch / "from\\");
        WriteFile(source + "a.ini", "a");

        operation.copy(scratch.Path() + "absent\\", MakeFolder(scratch / "to\\"));
        operation.copy(source, scratch.Path() + "nowhere\\");
        operation.copy(source, "");
        operation.copy("", scratch.Path() + "to\\");

        EXPECT_FALSE(wintest::Exists(scratch.Path() + "to\\a.ini"));
        EXPECT_FALSE(wintest::Exists(scratch.Path() + "nowhere"));
    }
}

TEST(CopyFolder, ReadOnlySourceStaysReadOnlyOnlyThroughTheSystemCopy) {
    wintest::TempFolder scratch;
    const std::string source = MakeFolder(scratch / "from\\");
    WriteFile(source + "locked.ini", "ro", FILE_ATTRIBUTE_READONLY);

    CopyFolderFiles(source, MakeFolder(scratch / "copied\\"));
    EXPECT_TRUE(CopyFolderFilesByContent(source, MakeFolder(scratch / "rewritten\\")));

    EXPECT_EQ(Content(scratch.Path() + "copied\\locked.ini"), "ro");
    EXPECT_TRUE(IsReadOnly(scratch.Path() + "copied\\locked.ini"));
    EXPECT_EQ(Content(scratch.Path() + "rewritten\\locked.ini"), "ro");
    EXPECT_FALSE(IsReadOnly(scratch.Path() + "rewritten\\locked.ini"));
}

TEST(CopyFolderFilesByContent, SkipsASourceHeldOpenAndCopiesTheRest) {
    wintest::TempFolder scratch;
    const std::string source = MakeFolder(scratch / "from\\");
    const std::string destination = MakeFolder(scratch / "to\\");
    WriteFile(source + "held.ini", "held");
    WriteFile(source + "free.ini", "free");

    wintest::FileHolder holder(source + "held.ini");
    ASSERT_TRUE(holder.Holding());
    ExtractFailure failure;
    EXPECT_TRUE(CopyFolderFilesByContent(source, destination, &failure));

    EXPECT_EQ(failure.kind, ExtractFailure::Kind::None);
    EXPECT_FALSE(wintest::Exists(destination + "held.ini"));
    EXPECT_EQ(Content(destination + "free.ini"), "free");
}

TEST(CopyFolderFilesByContent, LargeFileArrivesWhole) {
    wintest::TempFolder scratch;
    const std::string source = MakeFolder(scratch / "from\\");
    std::string content;
    for (int i = 0; content.size() < 300000; ++i) {
        content += std::to_string(i) + ",";
    }
    WriteFile(source + "big.bin", content);

    EXPECT_TRUE(CopyFolderFilesByContent(source, MakeFolder(scratch / "to\\")));

    EXPECT_EQ(Content(scratch.Path() + "to\\big.bin"), content);
}

// The build lays out full_disk\SoftCfg.ini as a link to /dev/full, where every write fails for want of space.
TEST(CopyFolderFilesByContent, WriteFailureStopsAndNamesTheFile) {
    wintest::TempFolder scratch;
    const std::string source = MakeFolder(scratch / "from\\");
    WriteFile(source + "SoftCfg.ini", "[BaseCfg]\r\nLanguage=3\r\n");
    const std::string destination = wintest::ProgramFolder() + "full_disk\\";

    ExtractFailure failure;
    EXPECT_FALSE(CopyFolderFilesByContent(source, destination, &failure));

    EXPECT_EQ(failure.kind, ExtractFailure::Kind::Write);
    EXPECT_EQ(failure.path, destination + "SoftCfg.ini");
    EXPECT_EQ(failure.systemError, static_cast<DWORD>(ERROR_DISK_FULL));
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
