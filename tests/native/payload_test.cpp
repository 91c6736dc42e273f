// The archive format's portable core: names, selection, the table walk, the writer and the pack plan.
#include <gtest/gtest.h>

#include <iconv.h>

#include <clocale>
#include <cstring>
#include <cwctype>
#include <map>

#include "payload/ArchiveCheck.h"
#include "payload/ArchiveReader.h"
#include "payload/EntryName.h"
#include "payload/EntryNameRules.h"
#include "payload/NameFold.h"
#include "payload/PackPlan.h"
#include "tests/common/ArchiveBytes.h"
#include "tests/common/MemorySource.h"

using namespace payload;
namespace ta = testing_archive;

namespace {

using ta::MemorySource;

struct Walked {
    WalkResult result;
    std::vector<std::string> names;
    std::vector<std::string> data;
};

Walked Walk(const std::string& archive) {
    MemorySource source(archive);
    Walked walked;
    walked.result = WalkArchive(source, [&](const EntryView& entry) {
        walked.names.push_back(entry.name);
        std::string data(entry.dataSize, '\0');
        EXPECT_TRUE(source.ReadAt(entry.dataOffset, data.data(), entry.dataSize));
        walked.data.push_back(data);
        return true;
    });
    return walked;
}

}  // namespace

TEST(EntryName, FolderIsTheTextBeforeTheLastBackslash) {
    const struct {
        std::string name;
        std::string folder;
    } cases[] = {
        {"Vectrace.exe", ""},
        {"MxDriver\\UsbDriver.exe", "MxDriver"},
        {"QTXDriver\\amd64\\a.dll", "QTXDriver\\amd64"},
        // "\x95\x5c" is one GBK character whose trail byte is "\": not a separator.
        {"\xca\xfd\\\x95\x5c.txt", "\xca\xfd"},
        {"\x95\x5c\\a", "\x95\x5c"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderOf(c.name), c.folder) << c.name;
    }
    // Without a double-byte code page the same byte is a separator, as the file system would see it.
    EXPECT_EQ(FolderOf("\x95\x5c.txt", [](unsigned char) { return false; }), "\x95");
}

TEST(EntryName, NameFieldIsCutAtByte399) {
    char field[kNameFieldSize];
    std::memset(field, 'n', sizeof field);
    EXPECT_EQ(NameFromField(field), std::string(399, 'n'));
    std::memcpy(field, "a\\b\0junk", 8);
    EXPECT_EQ(NameFromField(field), "a\\b");
}

TEST(EntryName, UnsafeNamesAreRecognised) {
    const struct {
        const char* name;
        bool safe;
    } cases[] = {
        {"a.txt", true},
        {"QTXDriver\\x86\\b.dll", true},
        {"a..b\\.c", true},
        {"\xca\xfd\\\x95\x5c.txt", true},
        {"", false},
        {"\\x", false},
        {"/x", false},
        {"C:x", false},
        {"a\\b:c", false},
        {"..\\x", false},
        {"a\\..\\..\\x", false},
        {"a/../x", false},
        {".\\x", false},
        {"a\\\\b", false},
        {"a\\", false},
        {"a\\.. \\x", false},
        {"...\\x", false},
        {" \\x", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsSafeEntryName(c.name), c.safe) << '"' << c.name << '"';
    }
}

// Names that stay inside the destination but that Windows does not write as a file of that name.
TEST(EntryName, NamesWindowsReadsSpeciallyAreRefused) {
    using P = NameProblem;
    const struct {
        const char* name;
        P problem;
    } cases[] = {
        // Devices, with any extension and in any letter case, in any part of the path.
        {"aux.txt", P::DeviceName},
        {"CON", P::DeviceName},
        {"QTXCfg\\COM1.log", P::DeviceName},
        {"nul.tar.gz", P::DeviceName},
        {"Prn", P::DeviceName},
        {"lpt9", P::DeviceName},
        {"LPT0.dat", P::DeviceName},
        {"com0", P::DeviceName},
        {"Aux .txt", P::DeviceName},
        {"conin$", P::DeviceName},
        {"CONOUT$.x", P::DeviceName},
        {"con\\a.txt", P::DeviceName},
        {"a/aux", P::DeviceName},
        // Names that only look like one.
        {"COM10", P::None},
        {"LPT", P::None},
        {"COM", P::None},
        {"console.txt", P::None},
        {"auxiliary", P::None},
        {"xcon", P::None},
        {"CON_1.txt", P::None},
        {".con", P::None},
        // Characters Windows refuses.
        {"a<b", P::ReservedCharacter},
        {"a>b", P::ReservedCharacter},
        {"a\"b", P::ReservedCharacter},
        {"QTXDoc\\a|b.txt", P::ReservedCharacter},
        {"a?", P::ReservedCharacter},
        {"*.txt", P::ReservedCharacter},
        {"a\001b", P::ReservedCharacter},
        {"a\tb", P::ReservedCharacter},
        {"a\x1f", P::ReservedCharacter},
        // A GBK character whose trail byte is "|" or "\\" is one character, not that byte.
        {"\x81\x7c.txt", P::None},
        {"\x95\x5c\\\x81\x7c", P::None},
        // A part ending in a dot or a space is stored without it.
        {"a.txt.", P::TrailingDotOrSpace},
        {"a.txt ", P::TrailingDotOrSpace},
        {"Folder.\\a.txt", P::TrailingDotOrSpace},
        {"Folder \\a.txt", P::TrailingDotOrSpace},
        {"a. b", P::None},
        {" lead.txt", P::None},
        // Climbing out still comes first, wherever it is.
        {"aux\\..\\x", P::Outside},
        {"a<\\..", P::Outside},
        {"c:aux", P::Outside},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindNameProblem(c.name), c.problem) << '"' << c.name << '"';
        EXPECT_EQ(IsSafeEntryName(c.name), c.problem == P::None) << '"' << c.name << '"';
    }
}

TEST(NameFold, WindowsTakesTheseForOneFileAndTheseForTwo) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"QtxAi\\a.aip", "QTXAI\\A.AIP", true},
        {"a.txt", "a.txt.", true},
        {"a.txt", "a.txt . ", true},
        {"Folder\\a", "Folder.\\a", true},
        {"a\\b", "a/b", true},
        {"\xa3\xc1.txt", "\xa3\xe1.txt", true},  // full-width A and a
        {"\xa6\xa1", "\xa6\xc1", true},          // Greek Alpha and alpha
        {"\xa7\xa1", "\xa7\xd1", true},          // Cyrillic A and a
        {"\xa2\xf1", "\xa2\xa1", true},          // Roman numeral one, capital and small
        // Two Chinese characters whose trail bytes are "A" and "a".
        {"\x81\x41.txt", "\x81\x61.txt", false},
        {"\xb0\x5a", "\xb0\x7a", false},
        {"\xa3\xc1", "A", false},  // a full-width letter is not the ASCII one
        {"a.b", "a b", false},
        {".a", "a", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FoldedEntryName(c.a) == FoldedEntryName(c.b), c.same) << '"' << c.a << "\" and \"" << c.b << '"';
    }
}

// The fold's table against the C library's Unicode case mapping, over every double-byte character of
// code page 936: two characters fold together exactly when they are one letter in two cases.
TEST(NameFold, MatchesUnicodeCaseOverEveryGbkCharacter) {
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    const iconv_t toUtf32 = iconv_open("UTF-32LE", "CP936");
    ASSERT_NE(toUtf32, reinterpret_cast<iconv_t>(-1));
    std::map<wint_t, std::string> foldOfLetter;
    std::map<std::string, wint_t> letterOfFold;
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            unsigned char out[8];
            char* inPtr = in;
            char* outPtr = reinterpret_cast<char*>(out);
            std::size_t inLeft = 2;
            std::size_t outLeft = sizeof out;
            if (trail == 0x7F || iconv(toUtf32, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
                outLeft != 4) {
                iconv(toUtf32, nullptr, nullptr, nullptr, nullptr);
                continue;
            }
            const auto codePoint = static_cast<wint_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
            const wint_t letter = std::towupper(codePoint);
            const std::string fold = FoldedEntryName(std::string(in, 2));
            const auto [byLetter, newLetter] = foldOfLetter.emplace(letter, fold);
            EXPECT_TRUE(newLetter || byLetter->second == fold) << std::hex << lead << ' ' << trail;
            const auto [byFold, newFold] = letterOfFold.emplace(fold, letter);
            EXPECT_TRUE(newFold || byFold->second == letter) << std::hex << lead << ' ' << trail;
            ++characters;
        }
    }
    iconv_close(toUtf32);
    EXPECT_GT(characters, 20000);
}

TEST(EntryName, SelectionComparesWholeFoldersWithCase) {
    const struct {
        const char* folder;
        bool payload;
        bool drivers;
    } cases[] = {
        {"MxDriver", false, true},
        {"MxDriver\\sub", true, false},
        {"mxdriver", true, false},
        {"MXDRIVER", true, false},
        {"Contour", false, false},
        {"QTXDriver", true, true},
        {"QTXDriver\\amd64", true, true},
        {"QTXDriver\\x86", true, true},
        {"QTXDriver\\ia64", true, false},
        {"QTXPrograms", true, false},
        {"", true, false},
        {"qtxdriver", true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsSelected(Selection::Payload, c.folder), c.payload) << c.folder;
        EXPECT_EQ(IsSelected(Selection::Drivers, c.folder), c.drivers) << c.folder;
    }
}

TEST(ArchiveWalk, RoundTripGivesBackNamesAndBytes) {
    const ta::Entries entries = {
        {"one.bin", "1"},
        {"QTXDriver\\i.exe", std::string(1000, '\xAB')},
        {"QTXDriver\\amd64\\a.dll", std::string("\0\1\2", 3)},
        {std::string(399, 'x'), "max"},
    };
    const Walked walked = Walk(ta::Build(entries));
    ASSERT_TRUE(walked.result.ok()) << ArchiveErrorText(walked.result.error);
    ASSERT_EQ(walked.names.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(walked.names[i], entries[i].first);
        EXPECT_EQ(walked.data[i], entries[i].second);
    }
}

TEST(ArchiveWalk, OnlyTheSentinelIsAnEmptyArchive) {
    const std::string archive = ta::Build({});
    EXPECT_EQ(ta::Count(archive), 1u);
    const Walked walked = Walk(archive);
    EXPECT_TRUE(walked.result.ok());
    EXPECT_TRUE(walked.names.empty());
}

TEST(ArchiveWalk, BrokenTablesAreRefusedBeforeAnyEntry) {
    const std::string good = ta::Build({{"a", "data"}});
    std::string zeroCount = good;
    ta::SetCount(zeroCount, 0);
    std::string hugeCount = good;
    ta::SetCount(hugeCount, 7751);
    std::string tooShortForTable = ta::BareTable(3);
    tooShortForTable.erase(0, 4);  // the count still says 3, but only 2 offsets fit
    const struct {
        const char* what;
        std::string bytes;
        ArchiveError error;
    } cases[] = {
        {"empty file", "", ArchiveError::FileTooShort},
        {"three bytes", "abc", ArchiveError::FileTooShort},
        {"count 0", zeroCount, ArchiveError::BadCount},
        {"count 7751", hugeCount, ArchiveError::BadCount},
        {"count 7751 alone", ta::BareTable(7751), ArchiveError::BadCount},
        {"table past the start", tooShortForTable, ArchiveError::TableOutsideFile},
    };
    for (const auto& c : cases) {
        const Walked walked = Walk(c.bytes);
        EXPECT_EQ(walked.result.error, c.error) << c.what;
        EXPECT_TRUE(walked.names.empty()) << c.what;
    }
    std::vector<std::uint32_t> offsets;
    MemorySource largest(ta::BareTable(7750));
    EXPECT_EQ(ReadOffsetTable(largest, offsets), ArchiveError::None);
    EXPECT_EQ(offsets.size(), 7750u);
}

TEST(ArchiveWalk, BadEntryStopsTheWalkAfterTheGoodOnes) {
    const std::string good = ta::Build({{"first", "11111"}, {"second", "22222"}, {"third", "33333"}});
    const std::uint32_t second = ta::Offset(good, 1);

    std::string noData = good;  // the third entry starts right after the second's name field
    ta::SetOffset(noData, 2, second + kNameFieldSize);
    std::string oneByte = good;  // ... or one byte later: that is still an entry
    ta::SetOffset(oneByte, 2, second + kNameFieldSize + 1);
    std::string descending = good;
    ta::SetOffset(descending, 2, second - 1);
    std::string endAtFileEnd = good;
    ta::SetOffset(endAtFileEnd, 3, static_cast<std::uint32_t>(good.size()));
    std::string endPastFile = good;
    ta::SetOffset(endPastFile, 2, static_cast<std::uint32_t>(good.size()) + 10);

    const struct {
        const char* what;
        std::string bytes;
        ArchiveError error;
        std::size_t visited;
    } cases[] = {
        {"second entry without data", noData, ArchiveError::EntryWithoutData, 1},
        {"descending offset", descending, ArchiveError::EntryWithoutData, 1},
        {"last entry ends at the file end", endAtFileEnd, ArchiveError::EntryEndPastFile, 2},
        {"second entry ends past the file", endPastFile, ArchiveError::EntryEndPastFile, 1},
    };
    for (const auto& c : cases) {
        const Walked walked = Walk(c.bytes);
        EXPECT_EQ(walked.result.error, c.error) << c.what;
        EXPECT_EQ(walked.names.size(), c.visited) << c.what;
    }
    const Walked shortened = Walk(oneByte);
    EXPECT_TRUE(shortened.result.ok());
    ASSERT_EQ(shortened.data.size(), 3u);
    EXPECT_EQ(shortened.data[1], "2");
}

TEST(ArchiveWriter, RefusesWhatTheLayoutCannotHold) {
    std::ostringstream out;
    ArchiveWriter writer(out, 0);
    EXPECT_FALSE(writer.Add(std::string(400, 'n'), "x"));
    ArchiveWriter emptyWriter(out, 0);
    EXPECT_FALSE(emptyWriter.Add("empty", ""));
    EXPECT_NE(emptyWriter.Error().find("empty"), std::string::npos);
    ArchiveWriter zeroWriter(out, 0);
    EXPECT_FALSE(zeroWriter.Add(std::string("a\0b", 3), "x"));
    ArchiveWriter full(out, 0);
    for (std::uint32_t i = 0; i < kMaxEntryCount; ++i) {
        ASSERT_TRUE(full.Add("f" + std::to_string(i), "x"));
    }
    EXPECT_FALSE(full.Add("one-too-many", "x"));
}

TEST(ArchiveWriter, ArchiveOfTheMostEntriesIsReadBack) {
    ta::Entries entries;
    for (std::uint32_t i = 0; i < kMaxEntryCount; ++i) {
        entries.emplace_back("f" + std::to_string(i), "x");
    }
    const std::string archive = ta::Build(entries);
    EXPECT_EQ(ta::Count(archive), kMaxOffsetCount);
    const Walked walked = Walk(archive);
    EXPECT_TRUE(walked.result.ok());
    EXPECT_EQ(walked.names.size(), kMaxEntryCount);
    EXPECT_EQ(walked.names.back(), "f7748");
}

TEST(PackPlan, NestedFoldersFollowTheirParents) {
    std::vector<PackItem> items = {
        {"QTXDriver\\x86\\w.dll", 1, "x86/w.dll"},
        {"QTXDriver\\amd64\\w.dll", 1, "amd64/w.dll"},
        {"QTXDriver.txt", 1, "QTXDriver.txt"},
        {"QTXDriver\\i.exe", 1, "i.exe"},
        {"A\\B\\C\\deep", 1, "deep"},
        {"A\\B\\mid", 1, "mid"},
        {"A\\top", 1, "top"},
        {"root", 1, "root"},
    };
    OrderForExtraction(items);
    std::vector<std::string> names;
    for (const auto& item : items) {
        names.push_back(item.name);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"QTXDriver.txt", "root", "A\\top", "A\\B\\mid", "A\\B\\C\\deep",
                                        "QTXDriver\\i.exe", "QTXDriver\\amd64\\w.dll", "QTXDriver\\x86\\w.dll"}));
    EXPECT_TRUE(FindPackProblems(items).empty());
}

TEST(PackPlan, ProblemsNameTheFile) {
    const struct {
        const char* what;
        std::vector<PackItem> items;
        std::string named;
    } cases[] = {
        {"name over 399 bytes", {{std::string(400, 'n'), 1, "long-name"}}, "long-name"},
        {"empty file", {{"empty.txt", 0, "empty.txt"}}, "empty.txt"},
        {"unsafe name", {{"..\\x", 1, "dots"}}, "dots"},
        {"folder with only sub-folders", {{"A\\B\\c", 1, "A/B/c"}}, "A/B/c"},
        // The application's extraction skips the serial driver folder, so it never creates it.
        {"sub-folder of a folder the application skips",
         {{"MxDriver\\a", 1, "MxDriver/a"}, {"MxDriver\\sub\\b", 1, "MxDriver/sub/b"}},
         "MxDriver/sub/b"},
        {"same name in other letter case", {{"QtxAi\\a", 1, "first"}, {"QTXAI\\a", 1, "second"}}, "second"},
        {"device name", {{"QTXDoc\\aux.txt", 1, "QTXDoc/aux.txt"}}, "QTXDoc/aux.txt"},
        {"reserved character", {{"a|b", 1, "a|b"}}, "a|b"},
    };
    for (const auto& c : cases) {
        const auto problems = FindPackProblems(c.items);
        ASSERT_EQ(problems.size(), 1u) << c.what;
        EXPECT_NE(problems[0].find(c.named), std::string::npos) << c.what << ": " << problems[0];
    }
    std::vector<PackItem> tooMany(kMaxEntryCount + 1);
    for (std::size_t i = 0; i < tooMany.size(); ++i) {
        tooMany[i] = {"f" + std::to_string(i), 1, "file" + std::to_string(i)};
    }
    const auto problems = FindPackProblems(tooMany);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("file7749"), std::string::npos);
    tooMany.pop_back();
    EXPECT_TRUE(FindPackProblems(tooMany).empty());
}

// The duplicate check folds letters, not bytes: these trail bytes are "A" and "a", the characters differ.
TEST(PackPlan, DuplicatesAreNamesWindowsTakesForOneFile) {
    EXPECT_TRUE(FindPackProblems({{"\x81\x41.txt", 1, "first"}, {"\x81\x61.txt", 1, "second"}}).empty());
    EXPECT_TRUE(FindPackProblems({{"\xd6\xd0\\A", 1, "first"}, {"\xd6\xf0\\a", 1, "second"}}).empty());

    const auto fullWidth = FindPackProblems({{"\xa3\xc1.txt", 1, "first"}, {"\xa3\xe1.txt", 1, "second"}});
    ASSERT_EQ(fullWidth.size(), 1u);
    EXPECT_NE(fullWidth[0].find("second"), std::string::npos) << fullWidth[0];
}

TEST(ArchiveCheck, FindsWhatTheWalkAloneWouldAccept) {
    const std::string sound = ta::Build({{"QTXDriver\\i.exe", "x"}, {"QTXDriver\\amd64\\a", "yy"}});
    MemorySource soundSource(sound);
    EXPECT_TRUE(CheckArchive(soundSource).problems.empty());

    std::string gap = sound;  // sentinel short of the table: junk the last entry would carry along
    ta::SetOffset(gap, 2, ta::Offset(sound, 2) - 1);
    const std::string orphan = ta::Build({{"QTXDriver\\amd64\\a", "y"}, {"QTXDriver\\i.exe", "x"}});
    const std::string unsafe = ta::Build({{"..\\evil", "x"}});
    const std::string device = ta::Build({{"QTXDoc\\aux.txt", "x"}});
    const std::string console = ta::Build({{"CON", "x"}});
    const std::string pipeBar = ta::Build({{"QTXDoc\\a|b.txt", "x"}});
    const std::string control = ta::Build({{"a\tb", "x"}});
    const std::string trailingDot = ta::Build({{"QTXDoc\\a.txt.", "x"}});
    const std::string trailingSpace = ta::Build({{"QTXDoc \\a.txt", "x"}});
    std::string unterminated = ta::Build({{std::string(399, 'n'), "x"}});
    unterminated[64 + 399] = 'n';
    const struct {
        const char* what;
        std::string bytes;
        const char* mentions;
    } cases[] = {
        {"sentinel", gap, "offset table"},
        {"orphan", orphan, "parent folder"},
        {"unsafe", unsafe, "outside"},
        {"device", device, "device name"},
        {"console", console, "device name"},
        {"bar", pipeBar, "does not allow"},
        {"control character", control, "does not allow"},
        {"trailing dot", trailingDot, "ends in a dot or a space"},
        {"trailing space", trailingSpace, "ends in a dot or a space"},
        {"unterminated", unterminated, "cut"},
    };
    for (const auto& c : cases) {
        MemorySource source(c.bytes);
        const auto result = CheckArchive(source);
        ASSERT_EQ(result.problems.size(), 1u) << c.what << ": " << ::testing::PrintToString(result.problems);
        EXPECT_NE(result.problems[0].find(c.mentions), std::string::npos) << c.what << ": " << result.problems[0];
    }
}
