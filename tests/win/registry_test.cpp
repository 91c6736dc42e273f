#include "plugins/Registry_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/ScopedMachineKey_win.h"

namespace {

const std::string kKey = "SOFTWARE\\VtSetupTest";

TEST(ReadRegistryString, StoresTheValueAndItsSizeOrReportsOne) {
    wintest::ScopedMachineKey keys(kKey);
    ASSERT_TRUE(keys.SetText("Corel", "Destination", "C:\\Corel"));
    ASSERT_TRUE(keys.SetBytes("Corel", "Expand", REG_EXPAND_SZ, std::string("C:\\X\0", 5)));
    ASSERT_TRUE(keys.SetText("Corel", "Long", std::string(40, 'x')));

    char buffer[33];
    const struct {
        const char* why;
        std::string subKey;
        const char* value;
        int result;
        std::string stored;  // the bytes, terminator included, when the result is 0
    } cases[] = {
        {"a string value", kKey + "\\Corel", "Destination", 0, std::string("C:\\Corel\0", 9)},
        {"another type is read all the same", kKey + "\\Corel", "Expand", 0, std::string("C:\\X\0", 5)},
        {"no such value", kKey + "\\Corel", "Missing", 1, ""},
        {"no such key", kKey + "\\Absent", "Destination", 1, ""},
        {"larger than the buffer", kKey + "\\Corel", "Long", 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        DWORD size = 32;
        EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, c.subKey.c_str(), c.value, buffer, &size), c.result);
        if (c.result == 0) {
            EXPECT_EQ(std::string(buffer, size), c.stored);
        }
    }
}

// The installation paths are read into 260 bytes; a value that fills them without a terminator may be
// the head of a longer path, and a longer one doesn't fit at all.
TEST(ReadMachineText, ReadsOnlyTextThatEndsInsideTheBuffer) {
    wintest::ScopedMachineKey keys(kKey);
    const std::string longest(259, 'a');
    ASSERT_TRUE(keys.SetText("K", "Longest", longest));
    // Stored as raw bytes, since Wine's conversion of a REG_SZ value adds a terminator of its own; the
    // setup doesn't check the type.
    ASSERT_TRUE(keys.SetBytes("K", "Unterminated", REG_BINARY, std::string(260, 'b')));
    ASSERT_TRUE(keys.SetBytes("K", "UnterminatedText", REG_SZ, std::string(260, 'b')));
    ASSERT_TRUE(keys.SetBytes("K", "ShortUnterminated", REG_SZ, "C:\\Short"));
    ASSERT_TRUE(keys.SetText("K", "TooLong", std::string(260, 'c')));

    // The query itself succeeds for the raw value: only the missing terminator rejects it.
    char buffer[260];
    DWORD size = sizeof buffer;
    ASSERT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, (kKey + "\\K").c_str(), "Unterminated", buffer, &size), 0);
    EXPECT_EQ(size, 260u);

    const struct {
        const char* value;
        bool read;
        std::string text;
    } cases[] = {
        {"Longest", true, longest},  {"ShortUnterminated", true, "C:\\Short"},
        {"Unterminated", false, ""}, {"UnterminatedText", false, ""},
        {"TooLong", false, ""},      {"Missing", false, ""},
    };
    for (const auto& c : cases) {
        std::string text = "<unchanged>";
        EXPECT_EQ(ReadMachineText(kKey + "\\K", c.value, &text), c.read) << c.value;
        EXPECT_EQ(text, c.read ? c.text : "<unchanged>") << c.value;
    }
}

TEST(ListMachineSubKeys, NamesEachSubKeyOnceAndFailsForAMissingKey) {
    wintest::ScopedMachineKey keys(kKey);
    ASSERT_TRUE(keys.CreateKey("R18.0\\ACAD-8001:409"));
    ASSERT_TRUE(keys.CreateKey("R19.0"));

    std::vector<std::string> names;
    ASSERT_TRUE(ListMachineSubKeys(kKey, &names));
    EXPECT_EQ(names, (std::vector<std::string>{"R18.0", "R19.0"}));
    ASSERT_TRUE(ListMachineSubKeys(kKey + "\\R19.0", &names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(ListMachineSubKeys(kKey + "\\Absent", &names));
}

// On 64-bit Windows the 32-bit setup reads the 32-bit view, where the 32-bit hosts register.
TEST(ReadMachineText, OnSixtyFourBitWindowsSeesOnlyTheThirtyTwoBitView) {
    if (!wintest::IsWow64()) {
        GTEST_SKIP() << "one registry view on 32-bit Windows";
    }
    std::string text;
    {
        wintest::ScopedMachineKey native(kKey, KEY_WOW64_64KEY);
        ASSERT_TRUE(native.SetText("Corel", "Destination", "C:\\Corel64"));
        EXPECT_FALSE(ReadMachineText(kKey + "\\Corel", "Destination", &text));
        std::vector<std::string> names;
        EXPECT_FALSE(ListMachineSubKeys(kKey, &names));
    }
    wintest::ScopedMachineKey wow(kKey);
    ASSERT_TRUE(wow.SetText("Corel", "Destination", "C:\\Corel32"));
    EXPECT_TRUE(ReadMachineText(kKey + "\\Corel", "Destination", &text));
    EXPECT_EQ(text, "C:\\Corel32");
}

// The other view is the one a program of the other bitness sees without a flag: for the 32-bit setup the
// 64-bit one, for a 64-bit build the 32-bit one.
TEST(RegistryViewFlag, OpensTheOtherViewOnSixtyFourBitWindows) {
    if (!wintest::HasOtherRegistryView()) {
        GTEST_SKIP() << "one registry view on 32-bit Windows";
    }
    const REGSAM other = wintest::OtherRegistryView();
    EXPECT_EQ(RegistryViewFlag(plugins::RegistryView::Other), other);
    EXPECT_EQ(RegistryViewFlag(plugins::RegistryView::Own), 0u);

    wintest::ScopedMachineKey otherKeys(kKey, other);
    ASSERT_TRUE(otherKeys.SetText("R24.0\\ACAD-1001:409", "AcadLocation", "C:\\Other"));
    std::string text;
    std::vector<std::string> names;
    EXPECT_FALSE(ReadMachineText(kKey + "\\R24.0\\ACAD-1001:409", "AcadLocation", &text));
    EXPECT_FALSE(ListMachineSubKeys(kKey, &names));
    EXPECT_TRUE(ReadMachineText(kKey + "\\R24.0\\ACAD-1001:409", "AcadLocation", &text,
                                RegistryViewFlag(plugins::RegistryView::Other)));
    EXPECT_EQ(text, "C:\\Other");
    EXPECT_TRUE(ListMachineSubKeys(kKey, &names, RegistryViewFlag(plugins::RegistryView::Other)));
    EXPECT_EQ(names, std::vector<std::string>{"R24.0"});
}

}  // namespace
