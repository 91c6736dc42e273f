// Keeping a user's file before an installation replaces it, on real files under Wine.
#include "install/FileBackup_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/WineTestSupport_win.h"

namespace {

using wintest::Content;

// The folder that the copies of one installation go to is named by the local date and time when it
// began ("2024-05-01 15-30-00"); what a test expects is written with this stand-in for it.
const std::string kStamp = "<stamp>";

// The files below `folder`, each stamp replaced by kStamp once it is seen to be the local date and time:
// "YYYY-MM-DD HH-MM-SS" of this year.
std::vector<std::string> Listing(const std::string& folder) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char year[8];
    wsprintfA(year, "%04u-", now.wYear);
    constexpr std::size_t kAt = 7;  // behind "Backup\"
    constexpr std::size_t kStampSize = 19;
    std::vector<std::string> files = wintest::ListFiles(folder);
    for (std::string& file : files) {
        if (file.rfind("Backup\\", 0) == 0 && file.size() > kAt + kStampSize) {
            const std::string stamp = file.substr(kAt, kStampSize);
            EXPECT_EQ(stamp.rfind(year, 0), 0u) << file;
            EXPECT_TRUE(stamp[7] == '-' && stamp[10] == ' ' && stamp[13] == '-' && stamp[16] == '-') << file;
            file.replace(kAt, kStampSize, kStamp);
        }
    }
    return files;
}

class FileBackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        source = wintest::MakeFolder(temp / "shipped\\") + "Laser.ini";
        folder = wintest::MakeFolder(temp / "QTXCfg\\");
        destination = folder + "Laser.ini";
        ASSERT_TRUE(wintest::WriteWholeFile(source, "MaxPower=80\r\n"));
    }

    wintest::TempFolder temp;
    std::string source;
    std::string folder;
    std::string destination;
};

TEST_F(FileBackupTest, OnlyAnExistingFileWithOtherBytesIsKept) {
    const struct {
        const char* why;
        const char* existing;  // nullptr: no file yet
        std::vector<std::string> kept;
    } cases[] = {
        {"no file yet", nullptr, {}},
        {"the same bytes", "MaxPower=80\r\n", {}},
        {"calibrated by the user", "MaxPower=95\r\n", {"Backup\\" + kStamp + "\\Laser.ini"}},
        {"same length, other bytes", "MaxPower=81\r\n", {"Backup\\" + kStamp + "\\Laser.ini"}},
        {"empty", "", {"Backup\\" + kStamp + "\\Laser.ini"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        wintest::RemoveTree(folder);
        wintest::MakeFolder(folder);
        if (c.existing) {
            ASSERT_TRUE(wintest::WriteWholeFile(destination, c.existing));
        }
        FileBackup backup;

        EXPECT_TRUE(backup.KeepBeforeReplacing(source, destination));

        std::vector<std::string> expected = c.kept;
        if (c.existing) {
            expected.push_back("Laser.ini");
        }
        EXPECT_EQ(Listing(folder), expected);
        const std::vector<std::string> files = wintest::ListFiles(folder);
        if (!c.kept.empty() && !files.empty()) {
            EXPECT_EQ(Content(folder + files[0]), c.existing);
        }
    }
}

// Two installations within one second: the second copy gets a folder of its own.
TEST_F(FileBackupTest, ACopyNeverReplacesAnEarlierOne) {
    FileBackup backup;
    for (const char* version : {"first", "second", "third"}) {
        ASSERT_TRUE(wintest::WriteWholeFile(destination, version));
        ASSERT_TRUE(backup.KeepBeforeReplacing(source, destination));
    }
    // Sorted by name, " (2)" comes before "\".
    EXPECT_EQ(Listing(folder), (std::vector<std::string>{"Backup\\" + kStamp + " (2)\\Laser.ini",
                                                         "Backup\\" + kStamp + " (3)\\Laser.ini",
                                                         "Backup\\" + kStamp + "\\Laser.ini", "Laser.ini"}));
    const std::vector<std::string> files = wintest::ListFiles(folder);
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(Content(folder + files[2]), "first");
    EXPECT_EQ(Content(folder + files[0]), "second");
    EXPECT_EQ(Content(folder + files[1]), "third");
}

TEST_F(FileBackupTest, FileThatCannotBeKeptMustNotBeReplaced) {
    ASSERT_TRUE(wintest::WriteWholeFile(destination, "MaxPower=95\r\n"));
    {
        SCOPED_TRACE("held open without sharing");
        wintest::FileHolder running(destination);
        ASSERT_TRUE(running.Holding());
        EXPECT_FALSE(FileBackup().KeepBeforeReplacing(source, destination));
    }
    {
        SCOPED_TRACE("a file where the backup folder would be");
        ASSERT_TRUE(wintest::WriteWholeFile(folder + "Backup", "not a folder"));
        EXPECT_FALSE(FileBackup().KeepBeforeReplacing(source, destination));
    }
    EXPECT_EQ(wintest::ListFiles(folder), (std::vector<std::string>{"Backup", "Laser.ini"}));
}

}  // namespace
