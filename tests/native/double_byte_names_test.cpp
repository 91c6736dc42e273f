// Every rule that looks at single characters of a path or a name, run over folder names whose
// characters have "\" (0x5C) or "|" (0x7C) as their second byte, in the three double-byte code pages
// Windows systems use for Chinese and Japanese. Each rule must see the name as a character, never as
// a separator or a character no path may hold, and must still find a real "\" or "|" right after one.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commandline/SetupSwitches.h"
#include "drivers/DriverPlacementPlan.h"
#include "framework/CharacterWalk.h"
#include "framework/IniText.h"
#include "framework/PathFolder.h"
#include "install/FolderPath.h"
#include "install/LinkOnTheWay.h"
#include "install/MainSoftwareLayout.h"
#include "payload/EntryName.h"
#include "payload/EntryNameRules.h"
#include "payload/NameFold.h"
#include "plugins/HostSearch.h"

namespace {

bool IsBig5LeadByte(unsigned char byte) {  // code page 950
    return byte >= 0x81 && byte <= 0xFE;
}

bool IsShiftJisLeadByte(unsigned char byte) {  // code page 932
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

struct CodePageName {
    const char* codePage;
    text::LeadByteTest isLeadByte;
    std::string name;  // one folder name, no separator in it
};

// clang-format off
const CodePageName kNames[] = {
    {"936", text::IsGbkLeadByte, "\x96\x7c\xdd\xb8\xb9\xa4\xb3\xa7"},  // 東莞工厂: 東 is 96 7C
    {"936", text::IsGbkLeadByte, "\x83\x7c\xdf\x5f"},                  // 億達: 億 is 83 7C
    {"936", text::IsGbkLeadByte, "\x9c\x5c"},                          // 淺 is 9C 5C
    {"950", IsBig5LeadByte, "\xa5\x7c"},                               // 四 is A5 7C
    {"950", IsBig5LeadByte, "\xb3\x5c\xa5\x5c"},                       // 許功: B3 5C, A5 5C
    {"932", IsShiftJisLeadByte, "\x83\x7c"},                           // ポ is 83 7C
    {"932", IsShiftJisLeadByte, "\x95\x5c"},                           // 表 is 95 5C
    {"932", IsShiftJisLeadByte, "\x83\x5c\x83\x7c"},                   // ソポ
};
// clang-format on

std::string Describe(const CodePageName& c) {
    std::string hex;
    for (const char byte : c.name) {
        static const char kDigits[] = "0123456789ABCDEF";
        hex += kDigits[static_cast<unsigned char>(byte) >> 4];
        hex += kDigits[byte & 0x0F];
        hex += ' ';
    }
    return std::string("code page ") + c.codePage + ": " + hex;
}

TEST(DoubleByteNames, TheWalkKeepsBothBytesOfACharacter) {
    for (const CodePageName& c : kNames) {
        const std::string text = c.name + "|\\";
        std::vector<std::size_t> singles;
        std::size_t bytes = 0;
        for (const text::Character character : text::Characters(text, c.isLeadByte)) {
            EXPECT_EQ(character.at, bytes) << Describe(c);
            bytes += character.size;
            if (character.IsSingle()) {
                singles.push_back(character.at);
            }
        }
        EXPECT_EQ(bytes, text.size()) << Describe(c);
        EXPECT_EQ(singles, (std::vector<std::size_t>{c.name.size(), c.name.size() + 1})) << Describe(c);
        EXPECT_EQ(text::FindCharacter(text, '|', c.isLeadByte), c.name.size()) << Describe(c);
        EXPECT_EQ(text::FindLastCharacter(text, '\\', c.isLeadByte), c.name.size() + 1) << Describe(c);
        EXPECT_EQ(text::FindLastCharacter(c.name, '\\', c.isLeadByte), std::string::npos) << Describe(c);
    }
    // A lead byte with nothing after it stands alone.
    const std::string cut = "a\x96";
    std::size_t count = 0;
    for (const text::Character character : text::Characters(cut, text::IsGbkLeadByte)) {
        EXPECT_EQ(character.size, 1u);
        ++count;
    }
    EXPECT_EQ(count, 2u);
}

// /DIR and /LOG: the value is a path, not "a character no path may hold"; a real "|" still is one.
TEST(DoubleByteNames, CommandLineTakesTheFolder) {
    for (const CodePageName& c : kNames) {
        const std::string folder = "C:\\" + c.name;
        const switches::ParseResult result = switches::ParseSwitches(
            {"/VERYSILENT", "/DIR=" + folder, "/LOG=" + folder + "\\" + c.name + ".log"}, c.isLeadByte);
        EXPECT_EQ(result.error, "") << Describe(c);
        EXPECT_EQ(result.switches.folder, folder) << Describe(c);
        EXPECT_EQ(result.switches.logFile, folder + "\\" + c.name + ".log") << Describe(c);

        const switches::ParseResult pipe = switches::ParseSwitches({"/DIR=" + folder + "|x"}, c.isLeadByte);
        EXPECT_EQ(pipe.error, "/DIR holds a character no path may hold") << Describe(c);
    }
}

// The install-path dialog's answer and /DIR go through the same full-path rule and the same joins.
TEST(DoubleByteNames, FolderPathRules) {
    for (const CodePageName& c : kNames) {
        const std::string folder = "C:\\" + c.name;
        EXPECT_TRUE(install::IsFullPath(folder, c.isLeadByte)) << Describe(c);
        EXPECT_TRUE(install::IsFullPath("\\\\" + c.name + "\\" + c.name, c.isLeadByte)) << Describe(c);
        EXPECT_FALSE(install::IsFullPath("\\\\" + c.name, c.isLeadByte)) << Describe(c);
        EXPECT_EQ(install::WithTrailingBackslash(folder, c.isLeadByte), folder + "\\") << Describe(c);
        EXPECT_EQ(install::WithTrailingBackslash(folder + "\\", c.isLeadByte), folder + "\\") << Describe(c);
        EXPECT_EQ(install::InstallFolderFor(folder, c.isLeadByte), folder + "\\Vectrace\\") << Describe(c);
        EXPECT_EQ(install::FolderLevels(folder + "\\" + c.name + "\\", c.isLeadByte),
                  (std::vector<std::string>{folder, folder + "\\" + c.name}))
            << Describe(c);
        EXPECT_EQ(text::FolderOfPath(folder + "\\system32", c.isLeadByte), folder + "\\") << Describe(c);
        EXPECT_EQ(text::FolderOfPath(folder + "\\" + c.name, c.isLeadByte), folder + "\\") << Describe(c);
        EXPECT_EQ(text::FolderOfPath(c.name, c.isLeadByte), "") << Describe(c);
    }
}

// The walk below a root that is a link check: each level is asked once, at its own end.
TEST(DoubleByteNames, LinkCheckAsksEachLevel) {
    for (const CodePageName& c : kNames) {
        static std::vector<std::string> asked;
        asked.clear();
        const auto record = [](const std::string& path) {
            asked.push_back(path);
            return false;
        };
        const std::string root = "C:\\" + c.name + "\\";
        const std::string file = root + c.name + "\\" + c.name;
        EXPECT_EQ(install::FirstLinkOnTheWay({{root, file}}, record, c.isLeadByte), "") << Describe(c);
        EXPECT_EQ(asked, (std::vector<std::string>{root + c.name, file})) << Describe(c);
    }
}

// The shortcut's name from "SetupCfg.ini" and the key that tells two registry paths of one folder.
TEST(DoubleByteNames, ShortcutNameAndFolderKey) {
    for (const CodePageName& c : kNames) {
        EXPECT_EQ(install::ShortcutBaseName(c.name, c.isLeadByte), c.name) << Describe(c);
        EXPECT_EQ(install::ShortcutBaseName(c.name + "|", c.isLeadByte), "Vectrace") << Describe(c);
        EXPECT_EQ(install::ShortcutBaseName(c.name + "\\x", c.isLeadByte), "Vectrace") << Describe(c);
        const std::string folder = "C:\\" + c.name;
        EXPECT_EQ(plugins::FolderKey(folder + "\\\\", c.isLeadByte), folder) << Describe(c);
        EXPECT_EQ(plugins::FolderKey(folder, c.isLeadByte), folder) << Describe(c);
        EXPECT_EQ(plugins::FolderKey(folder + "\\\\" + c.name + "/", c.isLeadByte), folder + "\\" + c.name)
            << Describe(c);
    }
}

// The archive's entry names: the folder an entry lies in, whether it may be written, and the form two
// names Windows takes for one share.
TEST(DoubleByteNames, EntryNameRules) {
    for (const CodePageName& c : kNames) {
        const std::string entry = c.name + "\\" + c.name + ".txt";
        EXPECT_EQ(payload::LastSeparator(entry, c.isLeadByte), c.name.size()) << Describe(c);
        EXPECT_EQ(payload::FolderOf(entry, c.isLeadByte), c.name) << Describe(c);
        EXPECT_EQ(payload::FolderOf(c.name, c.isLeadByte), "") << Describe(c);
        EXPECT_EQ(payload::FindNameProblem(entry, c.isLeadByte), payload::NameProblem::None) << Describe(c);
        EXPECT_EQ(payload::FindNameProblem(c.name + "|", c.isLeadByte), payload::NameProblem::ReservedCharacter)
            << Describe(c);
        EXPECT_EQ(payload::FindNameProblem(c.name + "\\..\\..\\x", c.isLeadByte), payload::NameProblem::Outside)
            << Describe(c);
        EXPECT_EQ(payload::FoldedEntryName(c.name + "\\A. ", c.isLeadByte), c.name + "\\a") << Describe(c);
        EXPECT_EQ(payload::FoldedEntryName(c.name + "/" + c.name, c.isLeadByte), c.name + "\\" + c.name) << Describe(c);
    }
}

// An INI key name is cut to the buffer between characters, never inside one.
TEST(DoubleByteNames, IniKeyNameIsCutBetweenCharacters) {
    for (const CodePageName& c : kNames) {
        const std::string line = "a" + c.name + "=1";
        for (std::size_t capacity = 2; capacity <= c.name.size() + 2; ++capacity) {
            std::vector<char> buffer(capacity + 1, '\x7f');
            ini::KeyNameCollector collector;
            collector.buffer = buffer.data();
            collector.capacity = capacity;
            collector.isLeadByte = c.isLeadByte;
            ini::CollectKeyName(line.c_str(), &collector);
            const std::string stored(buffer.data());
            // "a" and whole characters only: an even number of name bytes after it.
            EXPECT_EQ((stored.size() - 1) % 2, 0u) << Describe(c) << " capacity " << capacity;
            EXPECT_EQ(stored, line.substr(0, stored.size())) << Describe(c);
        }
    }
}

}  // namespace
