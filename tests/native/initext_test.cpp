#include "framework/IniText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(TrimSpaces, RemovesBlanksAtBothEndsOnly) {
    struct Case {
        const char* input;
        const char* expected;
        bool changed;
    };
    const Case cases[] = {
        {"  Language\r\n", "Language", true},
        {"SoftVer", "SoftVer", false},
        {"\tSoft Ver \t", "Soft Ver", true},
        {"", "", false},
        {" \t\r\n ", "", true},
        {"a", "a", false},
    };
    for (const Case& c : cases) {
        // Exactly sized, so a read before the first byte or past the end shows under the sanitizers.
        std::vector<char> text(c.input, c.input + std::strlen(c.input) + 1);
        EXPECT_EQ(ini::TrimSpaces(text.data()), c.changed) << '"' << c.input << '"';
        EXPECT_STREQ(text.data(), c.expected) << '"' << c.input << '"';
    }
    EXPECT_FALSE(ini::TrimSpaces(nullptr));
}

int Record(const char* text, void* context) {
    static_cast<std::vector<std::string>*>(context)->push_back(text);
    return 1;
}

int StopAtB(const char* text, void* context) {
    static_cast<std::vector<std::string>*>(context)->push_back(text);
    return std::strcmp(text, "b") != 0;
}

TEST(ForEachString, VisitsUntilTheEmptyStringOrAZeroAnswer) {
    const char list[] = "a\0b\0c\0";
    std::vector<std::string> seen;
    EXPECT_EQ(ini::ForEachString(list, Record, &seen), 1);
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c"}));

    seen.clear();
    EXPECT_EQ(ini::ForEachString(list, StopAtB, &seen), 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));

    EXPECT_EQ(ini::ForEachString("\0", Record, &seen), 1);
    EXPECT_EQ(ini::ForEachString(nullptr, Record, &seen), 0);
    EXPECT_EQ(ini::ForEachString(list, nullptr, &seen), 0);
}

// Runs the key-name step over a section's lines, counting first and storing second, as GetKeyNames
// does.
std::vector<std::string> KeyNames(const char* section, size_t* total = nullptr) {
    ini::KeyNameCollector counter;
    ini::ForEachString(section, ini::CollectKeyName, &counter);
    const size_t needed = ini::FinishKeyNames(counter);
    std::vector<char> buffer(needed + 1, '\x7F');
    ini::KeyNameCollector collector;
    collector.buffer = buffer.data();
    collector.capacity = needed;
    ini::ForEachString(section, ini::CollectKeyName, &collector);
    EXPECT_EQ(ini::FinishKeyNames(collector), needed);
    if (total) {
        *total = needed;
    }
    std::vector<std::string> names;
    for (const char* name = buffer.data(); *name; name += std::strlen(name) + 1) {
        names.emplace_back(name);
    }
    return names;
}

TEST(KeyNames, SkipsLinesWithoutANameAndTrimsTheRest) {
    const char section[] = "SoftVer=X\0no equals here\0=5\0  Language \t=3\0   =blank name\0Empty=\0";
    size_t total = 0;
    EXPECT_EQ(KeyNames(section, &total), (std::vector<std::string>{"SoftVer", "Language", "Empty"}));
    EXPECT_EQ(total, std::strlen("SoftVer") + 1 + std::strlen("Language") + 1 + std::strlen("Empty") + 1);
}

TEST(KeyNames, TheFirstEqualsSignEndsTheNameAndGbkStaysWhole) {
    // "语言" in GBK, then a value that holds another "=".
    const char section[] = "\xD3\xEF\xD1\xD4=a=b\0k=v\0";
    EXPECT_EQ(KeyNames(section), (std::vector<std::string>{"\xD3\xEF\xD1\xD4", "k"}));
}

TEST(KeyNames, ANameThatDoesNotFitIsCutInsideTheBuffer) {
    // Room for "ab" and the closing zero only: "abc" is cut, the next name finds no room, nothing is
    // written past capacity + 1 bytes.
    const char section[] = "abc=1\0de=2\0";
    std::vector<char> buffer(4 + 4, '#');
    ini::KeyNameCollector collector;
    collector.buffer = buffer.data();
    collector.capacity = 3;
    ini::ForEachString(section, ini::CollectKeyName, &collector);
    const size_t total = ini::FinishKeyNames(collector);
    EXPECT_EQ(total, 3u);
    EXPECT_EQ(std::string(buffer.data(), 4), std::string("ab\0\0", 4));
    EXPECT_EQ(std::string(buffer.data() + 4, 4), "####");
}

TEST(KeyNames, ACutNeverSplitsADoubleByteCharacter) {
    // "语言" is four bytes; with room for three name bytes only the first character fits.
    const char section[] = "\xD3\xEF\xD1\xD4=1\0";
    std::vector<char> buffer(5 + 2, '#');
    ini::KeyNameCollector collector;
    collector.buffer = buffer.data();
    collector.capacity = 4;
    ini::ForEachString(section, ini::CollectKeyName, &collector);
    EXPECT_EQ(ini::FinishKeyNames(collector), 3u);
    EXPECT_EQ(std::string(buffer.data(), 4), std::string("\xD3\xEF\0\0", 4));
    EXPECT_EQ(std::string(buffer.data() + 5, 2), "##");
}

}  // namespace

TEST(NextReadCapacity, DoublesSoLongValuesTakeFewReads) {
    const struct {
        unsigned capacity;
        unsigned next;
    } cases[] = {
        {0, 512}, {512, 1024}, {1024, 2048}, {0x7FFFFFFFu, 0xFFFFFFFEu}, {0x80000000u, 0}, {0xFFFFFFFFu, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ini::NextReadCapacity(c.capacity), c.next) << c.capacity;
    }
    // A value of 4 MB, read as IniFile reads it: until a read leaves room after the value.
    const unsigned length = 4u << 20;
    int reads = 1;
    for (unsigned capacity = ini::kFirstReadCapacity; length + 1 >= capacity;
         capacity = ini::NextReadCapacity(capacity)) {
        ++reads;
    }
    EXPECT_EQ(reads, 15);  // 512 doubled 14 times leaves room for 4 MB and its terminator
}
