#include "app/SetupConfig.h"

#include <gtest/gtest.h>

namespace {

TEST(SetupConfig, LanguageValueToLanguageIndex) {
    struct Case {
        const char* value;
        int index;
    };
    const Case cases[] = {
        {"3", 3},
        {"1", 1},
        {"13", 13},
        {"0", 1},
        {"-2", 1},
        {"English", 1},
        {"", 1},
        {"14", 13},
        {"99", 13},
        {" 7", 7},
        {"7th", 7},
        {"+5", 5},
        {"- 5", 1},
        {"0x0A", 1},
        {"\t12", 12},
        {"99999999999999999999", 13},
        {"-99999999999999999999", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(setupcfg::ClampLanguageIndex(setupcfg::LeadingInteger(c.value)), c.index) << '"' << c.value << '"';
    }
}

TEST(SetupConfig, LeadingIntegerReadsLikeAtoiWithoutOverflow) {
    EXPECT_EQ(setupcfg::LeadingInteger("  -42abc"), -42);
    EXPECT_EQ(setupcfg::LeadingInteger("2147483647"), 2147483647);
    EXPECT_EQ(setupcfg::LeadingInteger("2147483648"), 2147483647);
    EXPECT_EQ(setupcfg::LeadingInteger("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(setupcfg::LeadingInteger("abc"), 0);
}

}  // namespace
