// The comparison of a file's PE headers with those of the mapped image: equal but for the address the
// loader writes into ImageBase, for PE32 and PE32+.
#include <gtest/gtest.h>

#include <string>

#include "tests/common/PeImage.h"
#include "payload/LoadedImageHeaders.h"

namespace tp = testing_pe;
using payload::FileHoldsLoadedHeaders;
using payload::ImageHeadersSize;

namespace {

constexpr std::uint32_t kHeadersSize = 0x200;

std::uint32_t ImageBaseAt(bool plus) {
    return tp::kOptionalHeader + (plus ? 24 : 28);
}

// Headers of 512 bytes with an image base and a section behind them.
std::string Image(bool plus) {
    std::string file = tp::Image(plus);
    tp::Put32(file, tp::kOptionalHeader + 60, kHeadersSize);
    tp::Put32(file, ImageBaseAt(plus), 0x400000);
    file += std::string(1024, '\x90');
    return file;
}

bool Holds(const std::string& file, const std::string& mapped) {
    return FileHoldsLoadedHeaders(reinterpret_cast<const unsigned char*>(file.data()), file.size(),
                                  reinterpret_cast<const unsigned char*>(mapped.data()), mapped.size());
}

std::size_t HeadersSize(const std::string& bytes) {
    return ImageHeadersSize(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

}  // namespace

TEST(LoadedImageHeaders, TheRunningFileMatchesWhereverItWasLoaded) {
    for (const bool plus : {false, true}) {
        const std::string file = Image(plus);
        EXPECT_EQ(HeadersSize(file), kHeadersSize) << plus;
        const std::string mapped = file.substr(0, kHeadersSize);
        EXPECT_TRUE(Holds(file, mapped)) << plus;
        // Moved: the loader writes the new base, all of its bytes.
        std::string moved = mapped;
        for (std::uint32_t i = 0; i < (plus ? 8u : 4u); ++i) {
            moved[ImageBaseAt(plus) + i] = '\x7F';
        }
        EXPECT_TRUE(Holds(file, moved)) << plus;
        // A signed copy of the same image carries its table in the security directory: another file.
        std::string signedFile = file;
        tp::Sign(signedFile, plus);
        EXPECT_FALSE(Holds(signedFile, mapped)) << plus;
    }
}

TEST(LoadedImageHeaders, AnyOtherDifferenceOrAShortFileIsAnotherFile) {
    for (const bool plus : {false, true}) {
        const std::string file = Image(plus);
        const std::string mapped = file.substr(0, kHeadersSize);
        // The byte just before and just after ImageBase, the signature, the last header byte.
        for (const std::uint32_t at :
             {ImageBaseAt(plus) - 1, ImageBaseAt(plus) + (plus ? 8 : 4), tp::kPeOffset + 1, kHeadersSize - 1}) {
            std::string other = file;
            other[at] = static_cast<char>(other[at] ^ 1);
            EXPECT_FALSE(Holds(other, mapped)) << plus << " byte " << at;
        }
        // Bytes behind the headers are not the headers' business.
        std::string laterBytes = file;
        laterBytes[kHeadersSize] = 'x';
        EXPECT_TRUE(Holds(laterBytes, mapped)) << plus;
        EXPECT_FALSE(Holds(file.substr(0, kHeadersSize - 1), mapped)) << plus;
        EXPECT_FALSE(Holds(std::string(), mapped)) << plus;
    }
}

TEST(LoadedImageHeaders, MalformedMappedHeadersMatchNothing) {
    struct Case {
        const char* what;
        std::string mapped;
    };
    const std::string good = Image(false).substr(0, kHeadersSize);
    std::string noMz = good;
    noMz[0] = 'X';
    std::string noPe = good;
    noPe[tp::kPeOffset] = 'X';
    std::string peFarOut = good;
    tp::Put32(peFarOut, 0x3C, 0xFFFFFFF0);
    std::string unknownMagic = good;
    tp::Put16(unknownMagic, tp::kOptionalHeader, 0x107);
    std::string tinyHeaders = good;  // SizeOfHeaders ends inside the optional header
    tp::Put32(tinyHeaders, tp::kOptionalHeader + 60, tp::kOptionalHeader + 10);
    std::string headersPastMapped = good;
    tp::Put32(headersPastMapped, tp::kOptionalHeader + 60, kHeadersSize + 1);
    const Case cases[] = {
        {"no MZ", noMz},
        {"no PE signature", noPe},
        {"PE offset past the end", peFarOut},
        {"unknown optional header", unknownMagic},
        {"headers end inside the optional header", tinyHeaders},
        {"headers larger than what is mapped", headersPastMapped},
        {"cut inside the optional header", good.substr(0, tp::kOptionalHeader + 40)},
        {"empty", std::string()},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Holds(c.mapped, c.mapped)) << c.what;
    }
    EXPECT_EQ(HeadersSize(noPe), 0u);
    EXPECT_EQ(HeadersSize(tinyHeaders), 0u);
}
