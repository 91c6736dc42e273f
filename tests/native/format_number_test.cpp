#include "framework/FormatNumber.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(FormatDecimal, WritesEveryDigitAndTheSign) {
    struct Case {
        long long value;
        const char* expected;
    };
    const Case cases[] = {
        {0, "0"},
        {7, "7"},
        {-7, "-7"},
        {10, "10"},
        {-100, "-100"},
        {2147483647, "2147483647"},
        {-2147483647LL - 1, "-2147483648"},
        {4294967295LL, "4294967295"},  // the largest system error code
        {LLONG_MAX, "9223372036854775807"},
        {LLONG_MIN, "-9223372036854775808"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDecimal(c.value), c.expected) << c.expected;
        const std::string narrow = c.expected;
        EXPECT_EQ(FormatDecimalWide(c.value), std::wstring(narrow.begin(), narrow.end())) << c.expected;
    }
}

}  // namespace
