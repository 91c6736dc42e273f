// Status lines cut in the middle to fit their place.
#include <gtest/gtest.h>

#include "framework/MiddleCut.h"

namespace {

// A width per unit as a proportional font gives it, roughly: Han characters twice as wide.
bool FitsWidth(const std::wstring& text, void* context) {
    int width = 0;
    for (wchar_t c : text) {
        width += c >= 0x2E80 && c < 0xD800 && c != 0x2026 ? 2 : 1;
    }
    return width <= *static_cast<int*>(context);
}

TEST(MiddleCut, KeepsAsMuchOfBothEndsAsFits) {
    struct Case {
        std::wstring text;
        int width;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"QTXPrograms\\Vectrace.exe", 40, L"QTXPrograms\\Vectrace.exe"},  // fits as it is
        {L"QTXPrograms\\Vectrace.exe", 24, L"QTXPrograms\\Vectrace.exe"},  // exactly
        {L"QTXPrograms\\Vectrace.exe", 23, L"QTXPrograms\u2026ectrace.exe"},
        {L"QTXPrograms\\Vectrace.exe", 10, L"QTXP\u2026e.exe"},
        {L"QTXPrograms\\Vectrace.exe", 2, L"\u2026e"},
        {L"QTXPrograms\\Vectrace.exe", 1, L"\u2026"},
        {L"QTXPrograms\\Vectrace.exe", 0, L"\u2026"},  // nothing fits: the mark alone
        {L"", 0, L""},
        // Han characters count twice: the cut keeps whole characters, never half of one.
        {L"QTXData\\\u56FE\u5F62\u5E93\\\u77E9\u5F62.plt", 14, L"QTXDa\u2026\u77E9\u5F62.plt"},
        {L"\u6771\u839E\u5DE5\u5382\u6771\u839E\u5DE5\u5382", 9, L"\u6771\u839E\u2026\u5DE5\u5382"},
    };
    for (const Case& c : cases) {
        int width = c.width;
        EXPECT_EQ(CutInTheMiddle(c.text, FitsWidth, &width), c.expected) << c.width;
    }
}

TEST(MiddleCut, NeverSplitsASurrogatePair) {
    // U+20BB7 (a Han character outside the basic plane) on both sides of the cut.
    const std::wstring pair = L"\xD842\xDFB7";
    const std::wstring text = L"ab" + pair + L"cdefgh" + pair + L"ij";
    for (int width = 1; width < static_cast<int>(text.size()); ++width) {
        const std::wstring cut = CutInTheMiddle(text, FitsWidth, &width);
        for (std::size_t i = 0; i < cut.size(); ++i) {
            const bool high = cut[i] >= 0xD800 && cut[i] <= 0xDBFF;
            const bool low = cut[i] >= 0xDC00 && cut[i] <= 0xDFFF;
            EXPECT_FALSE(high && (i + 1 == cut.size() || cut[i + 1] != 0xDFB7)) << width;
            EXPECT_FALSE(low && (i == 0 || cut[i - 1] != 0xD842)) << width;
        }
    }
}

}  // namespace
