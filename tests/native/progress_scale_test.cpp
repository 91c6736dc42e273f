// The progress bar's position through the check and the installation.
#include <gtest/gtest.h>

#include <cstdint>

#include "framework/ProgressScale.h"

namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;

TEST(ProgressScale, TheCheckTakesHalfUntilTheInstallationIsPlannedThenTheRest) {
    ProgressScale scale;
    EXPECT_EQ(scale.Position(), 0);
    scale.StartCheck(100 * kMiB);
    scale.Moved(50 * kMiB);
    EXPECT_EQ(scale.Position(), 250);
    scale.Moved(50 * kMiB);
    EXPECT_EQ(scale.Position(), 500);
    scale.StartInstall(300 * kMiB);  // larger than guessed: the rest of the bar is shared out anew
    EXPECT_EQ(scale.Position(), 500);
    scale.Moved(150 * kMiB);
    EXPECT_EQ(scale.Position(), 750);
    scale.Moved(150 * kMiB);
    EXPECT_EQ(scale.Position(), 999);  // all bytes moved, but not finished yet
    scale.Finish();
    EXPECT_EQ(scale.Position(), ProgressScale::kEnd);
}

TEST(ProgressScale, NeverGoesBackAndNeverPassesTheEndOfItsPhase) {
    struct Case {
        std::uint64_t check;
        std::uint64_t checkMoved;  // may stop short (a stop between) or overshoot (a file that grew)
        std::uint64_t install;
        std::uint64_t step;
    };
    const Case cases[] = {
        {100 * kMiB, 100 * kMiB, 1, 1},
        {100 * kMiB, 30 * kMiB, 100 * kMiB, 7 * kMiB},
        {100 * kMiB, 200 * kMiB, 100 * kMiB, kMiB},
        {0, 0, 0, 1},                                       // nothing to check or write
        {5ull << 32, 5ull << 32, 7ull << 32, 1ull << 30},   // beyond 4 GiB
        {3, 3, 4096 * kMiB, 3},                             // tiny steps over a large whole
    };
    for (const Case& c : cases) {
        ProgressScale scale;
        scale.StartCheck(c.check);
        int last = scale.Position();
        scale.Moved(c.checkMoved);
        EXPECT_GE(scale.Position(), last);
        EXPECT_LE(scale.Position(), ProgressScale::kEnd / 2);
        last = scale.Position();
        scale.StartInstall(c.install);
        for (std::uint64_t moved = 0; moved < c.install + c.step && moved < 64 * c.step; moved += c.step) {
            scale.Moved(c.step);
            EXPECT_GE(scale.Position(), last) << c.install;
            EXPECT_LT(scale.Position(), ProgressScale::kEnd) << c.install;
            last = scale.Position();
        }
    }
}

TEST(ProgressScale, AnInstallationWithoutACheckHasTheWholeBar) {
    ProgressScale scale;
    scale.StartInstall(10 * kMiB);
    scale.Moved(kMiB);
    EXPECT_EQ(scale.Position(), 100);
    // Files whose bytes were not counted as they moved catch up at the next file, and never go back.
    scale.AtLeast(5 * kMiB);
    EXPECT_EQ(scale.Position(), 500);
    scale.AtLeast(4 * kMiB);
    EXPECT_EQ(scale.Position(), 500);
}

}  // namespace
