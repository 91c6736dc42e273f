// The version resource of the distribution's setup as Windows reads it (Explorer's Properties and
// deployment tools use these same calls): the fixed version and the names in both languages.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "VtVersion.h"

namespace {

std::wstring FromUnix(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return L"Z:" + std::wstring(path.begin(), path.end());
}

class VersionResource : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring setup = FromUnix(VT_DIST_DIR "/VtSetup.exe");
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeW(setup.c_str(), &handle);
        ASSERT_NE(size, 0u) << "no version resource, error " << GetLastError();
        m_block.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(setup.c_str(), 0, size, m_block.data()));
    }

    std::wstring Text(const wchar_t* language, const wchar_t* name) {
        const std::wstring path = std::wstring(L"\\StringFileInfo\\") + language + L"\\" + name;
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(m_block.data(), path.c_str(), &value, &length) || length == 0) {
            return L"(missing)";
        }
        return static_cast<const wchar_t*>(value);
    }

    std::vector<unsigned char> m_block;
};

TEST_F(VersionResource, FixedVersionIsTheBuildsVersion) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(m_block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const WORD expected[4] = {VT_VERSION_NUMBERS};
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(expected[0]) << 16 | expected[1]);
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD(expected[2]) << 16 | expected[3]);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionResource, NamesInEnglishAndSimplifiedChinese) {
    struct Case {
        const wchar_t* language;
        const wchar_t* description;
    };
    const Case cases[] = {{L"040904b0", L"Vectrace Setup"},
                          {L"080404b0", L"Vectrace \u5B89\u88C5\u7A0B\u5E8F"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "block " << std::string(c.language, c.language + 8));
        EXPECT_EQ(Text(c.language, L"FileDescription"), c.description);
        EXPECT_EQ(Text(c.language, L"ProductName"), L"Vectrace");
        EXPECT_EQ(Text(c.language, L"OriginalFilename"), L"VtSetup.exe");
        EXPECT_EQ(Text(c.language, L"FileVersion"), VT_VERSION_WIDE);
        EXPECT_EQ(Text(c.language, L"ProductVersion"), VT_VERSION_WIDE);
    }
    // Both blocks are announced, so a tool that picks its language finds either.
    struct Translation {
        WORD language;
        WORD codePage;
    }* translations = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(m_block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                               &length));
    std::vector<WORD> languages;
    for (UINT i = 0; i < length / sizeof(Translation); ++i) {
        EXPECT_EQ(translations[i].codePage, 1200);
        languages.push_back(translations[i].language);
    }
    EXPECT_EQ(languages, (std::vector<WORD>{0x0804, 0x0409}));
}

}  // namespace
