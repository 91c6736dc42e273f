#include "install/BackupName.h"

#include <gtest/gtest.h>

namespace {

TEST(BackupStamp, DateAndTimeInDigitsThatSortByDate) {
    const struct {
        install::LocalTime time;
        const char* stamp;
    } cases[] = {
        {{2024, 5, 1, 15, 30, 0}, "2024-05-01 15-30-00"},
        {{2009, 12, 31, 23, 59, 59}, "2009-12-31 23-59-59"},
        {{2031, 1, 2, 3, 4, 5}, "2031-01-02 03-04-05"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(install::BackupStamp(c.time), c.stamp);
    }
}

TEST(BackupFolder, BesideTheFileAndNumberedWhenTaken) {
    const std::string stamp = "2024-05-01 15-30-00";
    EXPECT_EQ(install::BackupFolder("C:\\Vectrace\\QTXCfg\\", stamp, 1),
              "C:\\Vectrace\\QTXCfg\\Backup\\2024-05-01 15-30-00\\");
    EXPECT_EQ(install::BackupFolder("C:\\Acad\\Fonts\\", stamp, 2),
              "C:\\Acad\\Fonts\\Backup\\2024-05-01 15-30-00 (2)\\");
    EXPECT_EQ(install::BackupFolder("C:\\Acad\\", stamp, 117), "C:\\Acad\\Backup\\2024-05-01 15-30-00 (117)\\");
}

}  // namespace
