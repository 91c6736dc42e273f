#include "install/FolderFiles_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/win/ScratchFolder_win.h"

namespace {

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

// A process that holds path open without sharing until the returned handle is ended.
class FileHolder {
public:
    explicit FileHolder(const std::string& path) {
        std::string command = "\"" + ExecutableFolder() + "hold_file.exe\" \"" + path + "\"";
        // No console and no standard handles: under Wine a child given the test's output would keep the
        // test runner's pipe open after the test ends.
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr,
                                   &startup, &m_process));
        // Held once an open that shares everything is refused.
        for (int tries = 0; tries < 200; ++tries) {
            HANDLE probe =
                CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (probe == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION) {
                return;
            }
            if (probe != INVALID_HANDLE_VALUE) {
                CloseHandle(probe);
            }
            Sleep(50);
        }
        ADD_FAILURE() << "the helper never held " << path;
    }
    ~FileHolder() {
        TerminateProcess(m_process.hProcess, 0);
        WaitForSingleObject(m_process.hProcess, 5000);
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
    }

private:
    PROCESS_INFORMATION m_process{};
};

TEST(CopyFolder, CopiesEveryFileOfOneLevelWithOrWithoutTrailingBackslash) {
    for (const NamedCopy& operation : kCopies) {
        for (int form = 0; form < 4; ++form) {
            SCOPED_TRACE(std::string(operation.name) + " form " + std::to_string(form));
            ScratchFolder scratch;
            const std::string source = scratch.Make("from\\");
            const std::string destination = scratch.Make("to\\");
            scratch.Make("from\\sub\\");
            WriteTextFile(source + "a.ini", "new");
            WriteTextFile(source + "hidden.dat", "h", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
            WriteTextFile(source + "sub\\inner.txt", "inner");
            WriteTextFile(destination + "a.ini", "older and longer");
            WriteTextFile(destination + "kept.txt", "kept");

            operation.copy(form & 1 ? source : WithoutBackslash(source),
                           form & 2 ? destination : WithoutBackslash(destination));

            EXPECT_EQ(ReadTextFile(destination + "a.ini"), "new");
            EXPECT_EQ(ReadTextFile(destination + "hidden.dat"), "h");
            EXPECT_EQ(ReadTextFile(destination + "kept.txt"), "kept");
            EXPECT_FALSE(PathExists(destination + "sub"));
            EXPECT_FALSE(PathExists(destination + "inner.txt"));
        }
    }
}

TEST(CopyFolder, ShorterAndEmptySourcesReplaceTheWholeDestination) {
    for (const NamedCopy& operation : kCopies) {
        SCOPED_TRACE(operation.name);
        ScratchFolder scratch;
        const std::string source = scratch.Make("from\\");
        const std::string destination = scratch.Make("to\\");
        WriteTextFile(source + "short.ini", "ab");
        WriteTextFile(source + "empty.ini", "");
        WriteTextFile(destination + "short.ini", "0123456789");
        WriteTextFile(destination + "empty.ini", "old");

        operation.copy(source, destination);

        EXPECT_EQ(ReadTextFile(destination + "short.ini"), "ab");
        EXPECT_EQ(ReadTextFile(destination + "empty.ini"), "");
    }
}

TEST(CopyFolder, MissingOrEmptyFoldersCopyNothingAndCreateNothing) {
    for (const NamedCopy& operation : kCopies) {
        SCOPED_TRACE(operation.name);
        ScratchFolder scratch;
        const std::string source = scratch.Make("from\\");
        WriteTextFile(source + "a.ini", "a");

        operation.copy(scratch.Path() + "absent\\", scratch.Make("to\\"));
        operation.copy(source, scratch.Path() + "nowhere\\");
        operation.copy(source, "");
        operation.copy("", scratch.Path() + "to\\");

        EXPECT_FALSE(PathExists(scratch.Path() + "to\\a.ini"));
        EXPECT_FALSE(PathExists(scratch.Path() + "nowhere"));
    }
}

TEST(CopyFolder, ReadOnlySourceStaysReadOnlyOnlyThroughTheSystemCopy) {
    ScratchFolder scratch;
    const std::string source = scratch.Make("from\\");
    WriteTextFile(source + "locked.ini", "ro", FILE_ATTRIBUTE_READONLY);

    CopyFolderFiles(source, scratch.Make("copied\\"));
    EXPECT_TRUE(CopyFolderFilesByContent(source, scratch.Make("rewritten\\")));

    EXPECT_EQ(ReadTextFile(scratch.Path() + "copied\\locked.ini"), "ro");
    EXPECT_TRUE(IsReadOnly(scratch.Path() + "copied\\locked.ini"));
    EXPECT_EQ(ReadTextFile(scratch.Path() + "rewritten\\locked.ini"), "ro");
    EXPECT_FALSE(IsReadOnly(scratch.Path() + "rewritten\\locked.ini"));
}

TEST(CopyFolderFilesByContent, SkipsASourceHeldOpenAndCopiesTheRest) {
    ScratchFolder scratch;
    const std::string source = scratch.Make("from\\");
    const std::string destination = scratch.Make("to\\");
    WriteTextFile(source + "held.ini", "held");
    WriteTextFile(source + "free.ini", "free");

    FileHolder holder(source + "held.ini");
    ExtractFailure failure;
    EXPECT_TRUE(CopyFolderFilesByContent(source, destination, &failure));

    EXPECT_EQ(failure.kind, ExtractFailure::Kind::None);
    EXPECT_FALSE(PathExists(destination + "held.ini"));
    EXPECT_EQ(ReadTextFile(destination + "free.ini"), "free");
}

TEST(CopyFolderFilesByContent, LargeFileArrivesWhole) {
    ScratchFolder scratch;
    const std::string source = scratch.Make("from\\");
    std::string content;
    for (int i = 0; content.size() < 300000; ++i) {
        content += std::to_string(i) + ",";
    }
    WriteTextFile(source + "big.bin", content);

    EXPECT_TRUE(CopyFolderFilesByContent(source, scratch.Make("to\\")));

    EXPECT_EQ(ReadTextFile(scratch.Path() + "to\\big.bin"), content);
}

// The build lays out full_disk\SoftCfg.ini as a link to /dev/full, where every write fails for want of space.
TEST(CopyFolderFilesByContent, WriteFailureStopsAndNamesTheFile) {
    ScratchFolder scratch;
    const std::string source = scratch.Make("from\\");
    WriteTextFile(source + "SoftCfg.ini", "[BaseCfg]\r\nLanguage=3\r\n");
    const std::string destination = ExecutableFolder() + "full_disk\\";

    ExtractFailure failure;
    EXPECT_FALSE(CopyFolderFilesByContent(source, destination, &failure));

    EXPECT_EQ(failure.kind, ExtractFailure::Kind::Write);
    EXPECT_EQ(failure.path, destination + "SoftCfg.ini");
    EXPECT_EQ(failure.systemError, static_cast<DWORD>(ERROR_DISK_FULL));
}

TEST(DeleteFolderFiles, DeletesWhatItCanAndLeavesFoldersAlone) {
    for (const bool trailing : {true, false}) {
        SCOPED_TRACE(trailing);
        ScratchFolder scratch;
        const std::string folder = scratch.Make("QTXCad\\");
        scratch.Make("QTXCad\\sub\\");
        WriteTextFile(folder + "a.dll", "a");
        WriteTextFile(folder + "hidden.dat", "h", FILE_ATTRIBUTE_HIDDEN);
        WriteTextFile(folder + "readonly.dat", "r", FILE_ATTRIBUTE_READONLY);
        WriteTextFile(folder + "held.dat", "held");
        WriteTextFile(folder + "sub\\inner.txt", "inner");

        {
            FileHolder holder(folder + "held.dat");
            DeleteFolderFiles(trailing ? folder : WithoutBackslash(folder));
        }

        EXPECT_FALSE(PathExists(folder + "a.dll"));
        EXPECT_FALSE(PathExists(folder + "hidden.dat"));
        EXPECT_TRUE(PathExists(folder + "readonly.dat"));
        EXPECT_TRUE(PathExists(folder + "held.dat"));
        EXPECT_EQ(ReadTextFile(folder + "sub\\inner.txt"), "inner");
        EXPECT_FALSE(RemoveDirectoryA(folder.c_str()));
    }
}

TEST(DeleteFolderFiles, EmptiedFolderCanBeRemoved) {
    ScratchFolder scratch;
    const std::string folder = scratch.Make("QTXCorel\\");
    WriteTextFile(folder + "a.gms", "a");
    WriteTextFile(folder + "b.gms", "b", FILE_ATTRIBUTE_SYSTEM);

    DeleteFolderFiles(folder);

    EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
}

}  // namespace
