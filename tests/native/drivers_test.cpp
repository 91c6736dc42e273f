#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "drivers/DriverPlacementPlan.h"
#include "drivers/DriverStoreLogScan.h"
#include "drivers/ProgressPacing.h"

namespace {

using drivers::ExistingFile;
using drivers::PlacementStep;
using drivers::WindowsVersion;

// One line per step, so a failing case shows the whole plan side by side with the expected one.
std::vector<std::string> Describe(const std::vector<PlacementStep>& steps) {
    std::vector<std::string> lines;
    for (const PlacementStep& step : steps) {
        if (step.action == PlacementStep::Action::CreateFolder) {
            lines.push_back("mkdir " + step.destination);
        } else {
            lines.push_back(step.source + " > " + step.destination +
                            (step.existing == ExistingFile::Keep ? " keep" : " replace"));
        }
    }
    return lines;
}

const std::string kStoreName = "mdmcpq.inf_x86_neutral_0123456789abcdef";
const std::string kStore = "System32\\DriverStore\\FileRepository\\" + kStoreName + "\\";

const std::vector<std::string> kCommon32 = {
    "QtxWdf0.d > system32\\WdfCoInstaller01011.dll replace",
    "QtxWin0.d > system32\\winusbcoinstaller2.dll replace",
    "Usbvcommtp.inf > inf\\Usbvcommtp.inf replace",
    "Usbvcommtp.cat > inf\\Usbvcommtp.cat replace",
};
const std::vector<std::string> kCommon64 = {
    "QtxWdf1.d > system32\\WdfCoInstaller01011.dll replace",
    "QtxWin1.d > system32\\winusbcoinstaller2.dll replace",
    "Usbvcommtp.inf > inf\\Usbvcommtp.inf replace",
    "Usbvcommtp.cat > inf\\Usbvcommtp.cat replace",
};

std::vector<std::string> Join(std::vector<std::string> first, const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

struct PlanCase {
    const char* what;
    std::optional<WindowsVersion> version;
    bool is64Bit;
    std::string storeName;
    std::vector<std::string> expected;
};

TEST(DriverPlacementPlan, CopiesByVersionAndBitness) {
    const std::vector<std::string> windows7Files32 = {
        "qtx512m.006 > inf\\mdmcpq.inf keep",
        "qtx512u.006 > inf\\usbser.sys keep",
        "qtx512u.006 > system32\\drivers\\usbser.sys keep",
    };
    const std::vector<std::string> windows7Files64 = {
        "qtx512m2.006 > inf\\mdmcpq.inf keep",
        "qtx512u2.006 > inf\\usbser.sys keep",
        "qtx512u2.006 > system32\\drivers\\usbser.sys keep",
    };
    const std::vector<std::string> windowsXpFiles = {
        "qtx512m.005 > inf\\mdmcpq.inf keep",
        "qtx512u.005 > inf\\usbser.sys keep",
        "qtx512u.005 > system32\\drivers\\usbser.sys keep",
    };
    const std::vector<std::string> store32 = {
        "mkdir " + kStore,
        "qtx512m.006 > " + kStore + "mdmcpq.inf keep",
        "qtx512u.006 > " + kStore + "usbser.sys keep",
    };
    const std::vector<std::string> store64 = {
        "mkdir " + kStore,
        "qtx512m2.006 > " + kStore + "mdmcpq.inf keep",
        "qtx512u2.006 > " + kStore + "usbser.sys keep",
    };

    const PlanCase cases[] = {
        {"7 32-bit, store named", WindowsVersion{6, 1}, false, kStoreName,
         Join(Join(kCommon32, windows7Files32), store32)},
        {"7 64-bit, store named", WindowsVersion{6, 1}, true, kStoreName,
         Join(Join(kCommon64, windows7Files64), store64)},
        {"7 32-bit, no store", WindowsVersion{6, 1}, false, "", Join(kCommon32, windows7Files32)},
        {"7 64-bit, no store", WindowsVersion{6, 1}, true, "", Join(kCommon64, windows7Files64)},
        {"XP 32-bit", WindowsVersion{5, 1}, false, "", Join(kCommon32, windowsXpFiles)},
        {"XP 64-bit: no 64-bit variants of its own", WindowsVersion{5, 1}, true, "", Join(kCommon64, windowsXpFiles)},
        {"XP ignores a store name", WindowsVersion{5, 1}, false, kStoreName, Join(kCommon32, windowsXpFiles)},
        {"Vista 32-bit", WindowsVersion{6, 0}, false, kStoreName, kCommon32},
        {"Vista 64-bit", WindowsVersion{6, 0}, true, "", kCommon64},
        {"8 and later 32-bit", WindowsVersion{6, 2}, false, kStoreName, kCommon32},
        {"8 and later 64-bit", WindowsVersion{6, 2}, true, kStoreName, kCommon64},
        {"8.1 declared in a manifest", WindowsVersion{6, 3}, true, "", kCommon64},
        {"10 declared in a manifest", WindowsVersion{10, 0}, false, "", kCommon32},
        {"2000", WindowsVersion{5, 0}, false, "", kCommon32},
        {"Server 2003 / XP x64", WindowsVersion{5, 2}, true, "", kCommon64},
        {"version query failed", std::nullopt, true, kStoreName, kCommon64},
        {"7 with a store name that climbs out", WindowsVersion{6, 1}, true, "mdmcpq.inf_x/../../../Temp",
         Join(kCommon64, windows7Files64)},
    };
    for (const PlanCase& c : cases) {
        EXPECT_EQ(Describe(drivers::PlanDriverPlacement(c.version, c.is64Bit, c.storeName)), c.expected) << c.what;
    }
}

TEST(DriverPlacementPlan, OnlyWindows7ReadsTheLog) {
    EXPECT_TRUE(drivers::NeedsDriverStoreFolder(WindowsVersion{6, 1}));
    for (const WindowsVersion version : {WindowsVersion{5, 1}, WindowsVersion{6, 0}, WindowsVersion{6, 2},
                                         WindowsVersion{10, 0}, WindowsVersion{1, 6}}) {
        EXPECT_FALSE(drivers::NeedsDriverStoreFolder(version)) << version.major << "." << version.minor;
    }
    EXPECT_FALSE(drivers::NeedsDriverStoreFolder(std::nullopt));
}

struct ScanCase {
    const char* what;
    std::string log;
    std::optional<std::string> expected;
};

// A segment "\mdmcpq.inf_" + filler + "\" whose name is `length` bytes long.
std::string NameOfLength(std::size_t length) {
    std::string name = "mdmcpq.inf_";
    while (name.size() < length) {
        name += static_cast<char>('a' + name.size() % 26);
    }
    return name;
}

TEST(DriverStoreLogScan, FindsTheFirstQualifyingSegment) {
    const std::string name20 = NameOfLength(20);
    const std::string name58 = NameOfLength(58);
    const std::string line =
        "     sto: {Setup Import Driver Package: C:\\Windows\\System32\\DriverStore\\FileRepository\\" + kStoreName +
        "\\mdmcpq.inf}\r\n";
    const std::string otherLine =
        "     flq: Copying "
        "'C:\\Windows\\System32\\DriverStore\\FileRepository\\mdmcpq.inf_amd64_neutral_fedcba9876543210"
        "\\usbser.sys'\r\n";

    const ScanCase cases[] = {
        {"empty log", "", std::nullopt},
        {"19 bytes: too short", "x\\" + NameOfLength(19) + "\\", std::nullopt},
        {"20 bytes", "x\\" + name20 + "\\", name20},
        {"58 bytes", "x\\" + name58 + "\\", name58},
        {"59 bytes: too long", "x\\" + NameOfLength(59) + "\\", std::nullopt},
        {"too short, then one that qualifies", "x\\" + NameOfLength(19) + "\\" + name20 + "\\", name20},
        {"too long, then one that qualifies", "x\\" + NameOfLength(59) + "\\y\\" + name58 + "'", name58},
        {"ended by an apostrophe",
         "Driver Store Path 'C:\\Windows\\System32\\DriverStore\\FileRepository\\" + kStoreName + "'\r\n", kStoreName},
        {"driver-store path, then another", line + otherLine, kStoreName},
        {"apostrophe path first", otherLine + line, "mdmcpq.inf_amd64_neutral_fedcba9876543210"},
        {"capitals", "x\\MDMCPQ.INF_X86_NEUTRAL_0123456789ABCDEF\\", std::nullopt},
        {"not after a backslash", "x/" + kStoreName + "\\", std::nullopt},
        // An apostrophe ends a candidate but a later "\" still measures from the same start.
        {"apostrophe inside", "x\\mdmcpq.inf_ab'cdefghijklmnop\\", "mdmcpq.inf_ab'cdefghijklmnop"},
        {"at the very start of the log", kStoreName + "\\x", std::nullopt},
        {"one byte in", "x" + kStoreName + "\\x", kStoreName},
        {"bytes, not text", std::string("\0\0\\", 3) + kStoreName + "\\", kStoreName},
        {"no end", "x\\" + kStoreName, std::nullopt},
    };
    for (const ScanCase& c : cases) {
        std::string name = "untouched";
        const bool found = drivers::ScanForModemDriverStoreFolder(c.log, name);
        EXPECT_EQ(found, c.expected.has_value()) << c.what;
        EXPECT_EQ(name, c.expected.value_or("untouched")) << c.what;
    }
}

TEST(DriverStoreLogScan, PlainFolderNames) {
    EXPECT_TRUE(drivers::IsPlainFolderName(kStoreName));
    EXPECT_TRUE(drivers::IsPlainFolderName("mdmcpq.inf_ab'cdefghijklmnop"));
    for (const char* name : {"", "mdmcpq.inf_x/../../Temp", "mdmcpq.inf_C:x", "mdmcpq.inf_a*b", "mdmcpq.inf_a\r\nb",
                             "mdmcpq.inf_a\"b", "mdmcpq.inf_a|b"}) {
        EXPECT_FALSE(drivers::IsPlainFolderName(name)) << name;
    }
}

TEST(ProgressPacing, PositionsOfTwentyTwoSteps) {
    drivers::ProgressSteps steps(drivers::kDefaultProgressSteps);
    std::vector<unsigned> positions;
    for (int i = 0; i < 25; ++i) {
        positions.push_back(steps.Advance());
    }
    const std::vector<unsigned> expected = {4,  9,  13, 18, 22, 27, 31, 36, 40,  45,  50,  54, 59,
                                            63, 68, 72, 77, 81, 86, 90, 95, 100, 100, 100, 100};
    EXPECT_EQ(positions, expected);
}

TEST(ProgressPacing, OneOrNoStepsFillAtOnce) {
    EXPECT_EQ(drivers::ProgressSteps(1).Advance(), 100u);
    EXPECT_EQ(drivers::ProgressSteps(0).Advance(), 100u);
}

TEST(ProgressPacing, PauseLengths) {
    struct {
        unsigned draw, minMs, maxMs, expected;
    } const cases[] = {
        {0, 250, 350, 250},     {32767, 250, 350, 350}, {16383, 250, 350, 299}, {32766, 250, 350, 349},
        {99999, 250, 350, 350}, {100, 350, 250, 350},   {5, 0, 0, 0},
        // The widest bounds: the product would not fit in 32 bits.
        {32767, 0, 0xFFFFFFFFu, 0xFFFFFFFFu}, {16384, 0, 0xFFFFFFFFu, 2147549185u}, {1, 7, 0xFFFFFFFFu, 131082u},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(drivers::PauseLengthMs(c.draw, c.minMs, c.maxMs), c.expected)
            << c.draw << " in " << c.minMs << ".." << c.maxMs;
    }
}

TEST(ProgressPacing, PauseSurvivesTickWrap) {
    EXPECT_TRUE(drivers::PauseElapsed(0xFFFFFF00u, 0x00000100u, 350));
    EXPECT_FALSE(drivers::PauseElapsed(0xFFFFFF00u, 0x00000010u, 350));
    EXPECT_TRUE(drivers::PauseElapsed(1000, 1350, 350));
    EXPECT_FALSE(drivers::PauseElapsed(1000, 1349, 350));
}

}  // namespace
