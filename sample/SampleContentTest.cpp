#include "sample/SampleContent.h"

#include <gtest/gtest.h>

#include <string>

namespace sample {
namespace {

TEST(SampleContent, SizesStaySmallOrAddUpToAFullPayload) {
    std::uint64_t fullTotal = 0;
    for (const SampleFile& file : kSampleFiles) {
        const std::uint64_t small = GeneratedFileSize(file, SampleSize::Small);
        EXPECT_GE(small, 256u) << file.path;
        EXPECT_LE(small, 4096u) << file.path;
        const std::uint64_t full = GeneratedFileSize(file, SampleSize::Full);
        if (file.kind == SampleKind::Large) {
            EXPECT_EQ(full, kLargeFileSize);
        } else {
            EXPECT_LT(full, 1u << 20) << file.path;
        }
        if (file.kind != SampleKind::Program) {
            fullTotal += full;
        }
    }
    EXPECT_GT(fullTotal, 90u << 20);
    EXPECT_LT(fullTotal, 110u << 20);
}

TEST(SampleContent, IsAFunctionOfNameAndSize) {
    const auto content = [](std::string_view path, std::uint64_t size) {
        std::string bytes;
        GenerateContent(path, size, [&bytes](const char* data, std::size_t count) { bytes.append(data, count); });
        return bytes;
    };
    const std::string a = content("QTXData/Wood.mat", 3000);
    EXPECT_EQ(a.size(), 3000u);
    EXPECT_TRUE(a.starts_with("Vectrace sample payload file QTXData/Wood.mat\r\n"));
    EXPECT_EQ(a, content("QTXData/Wood.mat", 3000));
    EXPECT_NE(a.substr(100), content("QTXData/Glass.mat", 3000).substr(100));
    // Bytes beyond the first chunk continue the same stream, and a short file is a cut header.
    EXPECT_EQ(content("QTXData/Wood.mat", (1 << 20) + 10).substr(0, 3000), a);
    EXPECT_EQ(content("QTXData/Wood.mat", 5), "Vectr");
}

}  // namespace
}  // namespace sample
