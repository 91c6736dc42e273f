#include "sample/standins/BehaveFile.h"

#include <gtest/gtest.h>

namespace standins {
namespace {

TEST(BehaveFile, ReadsRunTimeAndExitCode) {
    const struct {
        const char* text;
        std::uint32_t runMs;
        std::uint32_t exitCode;
    } kCases[] = {
        {"", 0, 0},
        {"run-ms=3000\nexit-code=5\n", 3000, 5},
        {"run-ms=3000\r\nexit-code=5", 3000, 5},  // CR LF, no final line end
        {"  exit-code = 7 \t\r\n", 0, 7},
        {"# run-ms=100\n; exit-code=1\n\nrun-ms=20", 20, 0},
        {"run-ms=abc\nexit-code=-1\nexit-code=3x\n", 0, 0},  // bad values keep the default
        {"exit-code=4294967295", 0, 4294967295u},
        {"exit-code=4294967296", 0, 0},  // does not fit
        {"run-ms=4294967295", kLongestRunMs, 0},
        {"Run-Ms=5\nsleep=9\nrun-ms\n=4", 0, 0},  // keys are exact; lines without a key or "=" are skipped
        {"exit-code=1\nexit-code=2", 0, 2},       // the last one wins
    };
    for (const auto& c : kCases) {
        const Behaviour behaviour = ParseBehaviour(c.text);
        EXPECT_EQ(behaviour.runMs, c.runMs) << c.text;
        EXPECT_EQ(behaviour.exitCode, c.exitCode) << c.text;
    }
}

}  // namespace
}  // namespace standins
