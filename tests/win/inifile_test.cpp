// IniFile against the system's profile functions (Wine's here), on real files in a temporary folder.
#include "framework/IniFile_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/SetupConfigFile_win.h"

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, folder);
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::string(folder) + "vt_inifile_" + test->name() + ".ini";
        DeleteFileA(m_path.c_str());
    }
    void TearDown() override { DeleteFileA(m_path.c_str()); }

    void WriteFileBytes(const std::string& bytes) {
        std::ofstream(m_path, std::ios::binary) << bytes;
        // The profile functions may cache a file; flushing the cache makes them read what is on disk.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_path.c_str());
    }
    std::string FileBytes() const {
        std::ifstream file(m_path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    std::string m_path;
};

TEST_F(IniFileTest, LongValuesAreReadWhole) {
    for (size_t length : {510u, 511u, 512u, 600u, 1100u}) {
        const std::string value(length, 'v');
        WriteFileBytes("[S]\r\nK=" + value + "\r\n");
        IniFile file(m_path.c_str());
        EXPECT_EQ(std::string(file.ReadStringRaw("S", "K", nullptr).get()), value) << length;
        EXPECT_EQ(file.GetString("S", "K", "d").size(), length);
    }
}

TEST_F(IniFileTest, NullSectionOrKeyGivesTheDefaultWithoutReading) {
    WriteFileBytes("[S]\r\nK=value\r\n");
    IniFile file(m_path.c_str());
    EXPECT_STREQ(file.ReadStringRaw(nullptr, "K", "def").get(), "def");
    EXPECT_STREQ(file.ReadStringRaw("S", nullptr, "def").get(), "def");
    EXPECT_STREQ(file.ReadStringRaw(nullptr, nullptr, nullptr).get(), "");
    EXPECT_STREQ(file.ReadStringRaw("S", "Missing", nullptr).get(), "");
    EXPECT_EQ(file.GetString("S", "Missing", "Vectrace"), "Vectrace");
    EXPECT_EQ(file.GetString("s", "k", "d"), "value");  // the system's lookup ignores case
}

TEST_F(IniFileTest, WriteStringNeedsSectionAndKeyAndWritesNullAsEmpty) {
    WriteFileBytes("[BaseCfg]\r\nLanguage=2\r\n");
    IniFile file(m_path.c_str());
    const std::string before = FileBytes();
    EXPECT_EQ(file.WriteString(nullptr, "Language", "1"), 0);
    EXPECT_EQ(file.WriteString("BaseCfg", nullptr, "1"), 0);
    EXPECT_EQ(FileBytes(), before);

    EXPECT_NE(file.WriteString("BaseCfg", "Language", nullptr), 0);
    EXPECT_EQ(file.GetString("BaseCfg", "Language", "absent"), "");
    std::vector<std::string> names;
    file.GetKeyNames("BaseCfg", names);
    EXPECT_EQ(names, std::vector<std::string>{"Language"});  // still there, only empty

    EXPECT_NE(file.WriteString("BaseCfg", "Language", "3"), 0);
    EXPECT_EQ(file.GetString("BaseCfg", "Language", ""), "3");
}

TEST_F(IniFileTest, SetIniPathCopiesAndNullEmptiesTheStoredPath) {
    IniFile none;
    none.SetIniPath(nullptr);
    EXPECT_EQ(none.Path(), nullptr);

    std::string path = m_path;
    IniFile file(path.c_str());
    path[0] = '?';  // the object keeps its own copy
    EXPECT_EQ(std::string(file.Path()), m_path);
    const char* storage = file.Path();
    file.SetIniPath(nullptr);
    EXPECT_EQ(file.Path(), storage);
    EXPECT_STREQ(file.Path(), "");
}

TEST_F(IniFileTest, KeyNamesInFileOrderWithTheirCase) {
    // "语言" as a GBK key, a line without "=", a line starting with it, blanks around a name.
    WriteFileBytes(
        "[Other]\r\nX=1\r\n"
        "[SetupCfg]\r\nSoftVer=A\r\nno equals\r\n=5\r\n  language  = 3\r\n\xD3\xEF\xD1\xD4=zh\r\nLanguage=4\r\n"
        "[Tail]\r\nY=2\r\n");
    IniFile file(m_path.c_str());
    std::vector<std::string> names;
    file.GetKeyNames("SetupCfg", names);
    EXPECT_EQ(names, (std::vector<std::string>{"SoftVer", "language", "\xD3\xEF\xD1\xD4", "Language"}));

    const unsigned total = file.GetKeyNames("SetupCfg", nullptr, 0);
    EXPECT_EQ(total, 8u + 9u + 5u + 9u);
    std::vector<char> buffer(total + 1, '#');
    EXPECT_EQ(file.GetKeyNames("SetupCfg", buffer.data(), total), total);
    EXPECT_EQ(buffer[total], '\0');

    file.GetKeyNames("Missing", names);
    EXPECT_TRUE(names.empty());
    char untouched[4] = "abc";
    EXPECT_EQ(file.GetKeyNames(nullptr, untouched, 3), 0u);
    EXPECT_STREQ(untouched, "");
}

TEST_F(IniFileTest, ReadSectionProbesTheSizeOfLongSections) {
    std::string body;
    std::vector<std::string> expected;
    for (int i = 0; i < 120; ++i) {
        const std::string key = "Key" + std::to_string(i);
        body += key + "=value" + std::to_string(i) + "\r\n";
        expected.push_back(key);
    }
    WriteFileBytes("[Big]\r\n" + body);
    IniFile file(m_path.c_str());
    const unsigned needed = file.ReadSection("Big", nullptr, 0);
    EXPECT_GT(needed, 1024u);
    std::vector<char> buffer(needed + 1);
    const unsigned length = file.ReadSection("Big", buffer.data(), needed);
    EXPECT_EQ(length + 2, needed);
    EXPECT_EQ(file.ReadSection(nullptr, buffer.data(), needed), 0u);
    EXPECT_EQ(buffer[0], '\0');

    std::vector<std::string> names;
    file.GetKeyNames("Big", names);
    EXPECT_EQ(names, expected);
}

// Buffers that grew by a fixed step read a value of n bytes n / 512 times, each read copying it whole:
// start-up went quadratic in the size of "SetupCfg.ini". Doubling reads it a handful of times.
TEST_F(IniFileTest, ValueOfSomeMegabytesIsReadWholeAndQuickly) {
    const std::string product(4 << 20, 'p');
    WriteFileBytes("[SetupCfg]\r\nSoftVer=" + product + "\r\nLanguage=3\r\n");
    std::string read = "Vectrace";
    int language = 0;

    const DWORD start = GetTickCount();
    ReadSetupConfig(m_path, read, language);
    const DWORD elapsed = GetTickCount() - start;

    EXPECT_EQ(read.size(), product.size());
    EXPECT_EQ(read, product);
    EXPECT_EQ(language, 3);
    std::printf("a %u-byte value read in %lu ms\n", static_cast<unsigned>(product.size()),
                static_cast<unsigned long>(elapsed));
    // Generous for a loaded machine; the fixed step took minutes here.
    EXPECT_LT(elapsed, 20000u);
}

TEST_F(IniFileTest, SetupConfigReadsExactNamesAndKeepsDefaults) {
    struct Case {
        const char* text;
        const char* product;
        int language;
    };
    const Case cases[] = {
        {"[SetupCfg]\r\nSoftVer=LaserPro\r\nLanguage=3\r\n", "LaserPro", 3},
        {"[SetupCfg]\r\nSoftVer=\r\n", "", 0},
        {"[SetupCfg]\r\nsoftver=x\r\nLANGUAGE=3\r\n", "Vectrace", 0},
        {"[setupcfg]\r\nSoftVer=y\r\n", "y", 0},  // section names are the system's, case-blind
        {"[Other]\r\nSoftVer=z\r\nLanguage=5\r\n", "Vectrace", 0},
        {"[SetupCfg]\r\nLanguage=junk\r\n", "Vectrace", 0},
        {"[SetupCfg]\r\nLanguage=99\r\n", "Vectrace", 99},
    };
    for (const Case& c : cases) {
        WriteFileBytes(c.text);
        std::string product = "Vectrace";
        int language = 0;
        ReadSetupConfig(m_path, product, language);
        EXPECT_EQ(product, c.product) << c.text;
        EXPECT_EQ(language, c.language) << c.text;
    }
    DeleteFileA(m_path.c_str());
    std::string product = "Vectrace";
    int language = 0;
    ReadSetupConfig(m_path, product, language);
    EXPECT_EQ(product, "Vectrace");
    EXPECT_EQ(language, 0);
}

}  // namespace
