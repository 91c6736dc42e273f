#include "plugins/RegistryText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(RegistryText, TerminatesInsideTheBufferOrIsUnreadable) {
    const std::string full(8, 'x');
    const struct {
        const char* why;
        std::string bytes;  // what the query stored
        std::size_t capacity;
        std::optional<std::string> text;
    } cases[] = {
        {"stored with its terminator", std::string("C:\\Corel\0", 9), 16, "C:\\Corel"},
        {"stored without one, room left", "C:\\Corel", 16, "C:\\Corel"},
        {"terminator in the last byte", std::string("1234567\0", 8), 8, "1234567"},
        {"fills the buffer with no terminator", full, 8, std::nullopt},
        {"stops at the first terminator", std::string("C:\\A\0junk", 9), 16, "C:\\A"},
        {"empty value", "", 8, ""},
        {"more bytes than the buffer holds", std::string(9, 'x'), 8, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(plugins::RegistryText(c.bytes.data(), c.bytes.size(), c.capacity), c.text) << c.why;
    }
}

}  // namespace
