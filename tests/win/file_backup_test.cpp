// Keeping a user's file before an installation replaces it, on real files under Wine.
#include "install/FileBackup_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/WineTestSupport_win.h"

namespace {

using wintest::Content;

const std::string kStamp = "2024-05-01 15-30-00";

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
        FileBackup backup(kStamp);

        EXPECT_TRUE(backup.KeepBeforeReplacing(source, destination));

        std::vector<std::string> expected = c.kept;
        if (c.existing) {
            expected.push_back("Laser.ini");
        }
        EXPECT_EQ(wintest::ListFiles(folder), expected);
        if (!c.kept.empty()) {
            EXPECT_EQ(Content(folder + c.kept[0]), c.existing);
        }
    }
}

// Two installations within one second: the second copy gets a folder of its own.
TEST_F(FileBackupTest, ACopyNeverReplacesAnEarlierOne) {
    FileBackup backup(kStamp);
    for (const char* version : {"first", "second", "third"}) {
        ASSERT_TRUE(wintest::WriteWholeFile(destination, version));
        ASSERT_TRUE(backup.KeepBeforeReplacing(source, destination));
    }
    EXPECT_EQ(Content(folder + "Backup\\" + kStamp + "\\Laser.ini"), "first");
    EXPECT_EQ(Content(folder + "Backup\\" + kStamp + " (2)\\Laser.ini"), "second");
    EXPECT_EQ(Content(folder + "Backup\\" + kStamp + " (3)\\Laser.ini"), "third");
}

TEST_F(FileBackupTest, FileThatCannotBeKeptMustNotBeReplaced) {
    ASSERT_TRUE(wintest::WriteWholeFile(destination, "MaxPower=95\r\n"));
    {
        SCOPED_TRACE("held open without sharing");
        wintest::FileHolder running(destination);
        ASSERT_TRUE(running.Holding());
        EXPECT_FALSE(FileBackup(kStamp).KeepBeforeReplacing(source, destination));
    }
    {
        SCOPED_TRACE("a file where the backup folder would be");
        ASSERT_TRUE(wintest::WriteWholeFile(folder + "Backup", "not a folder"));
        EXPECT_FALSE(FileBackup(kStamp).KeepBeforeReplacing(source, destination));
    }
    EXPECT_EQ(wintest::ListFiles(folder), (std::vector<std::string>{"Backup", "Laser.ini"}));
}

TEST(FileBackup, StampIsTheLocalDateAndTime) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string stamp = FileBackup().Stamp();
    char year[8];
    wsprintfA(year, "%04u-", now.wYear);
    EXPECT_EQ(stamp.size(), 19u) << stamp;
    EXPECT_EQ(stamp.rfind(year, 0), 0u) << stamp;
}

}  // namespace
