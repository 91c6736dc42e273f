// The sealed archive vtpack writes (padding and integrity record) and the check the setup makes of it
// before anything is written.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "payload/ArchiveCheck.h"
#include "payload/ArchiveDigest.h"
#include "payload/ArchiveIntegrity.h"
#include "payload/ArchiveReader.h"
#include "payload/IntegrityRecord.h"
#include "payload/ProcessorFeatures.h"
#include "tests/common/ArchiveBytes.h"
#include "tests/common/MemorySource.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

using namespace payload;
namespace ta = testing_archive;

namespace {

const ta::Entries kEntries = {
    {"QTXPrograms\\Vectrace.exe", std::string(5000, 'v')},
    {"QTXDriver\\i.exe", "i"},
    {"QTXDriver\\amd64\\a.dll", std::string(777, 'a')},
};

IntegrityCheck Check(const std::string& bytes) {
    ta::MemorySource source(bytes);
    return CheckArchiveIntegrity(source);
}

std::vector<std::string> NamesAndData(const std::string& bytes) {
    ta::MemorySource source(bytes);
    std::vector<std::string> walked;
    const WalkResult walk = WalkArchive(source, [&](const EntryView& entry) {
        std::string data(entry.dataSize, '\0');
        source.ReadAt(entry.dataOffset, data.data(), entry.dataSize);
        walked.push_back(entry.name + "=" + data);
        return true;
    });
    EXPECT_TRUE(walk.ok());
    return walked;
}

}  // namespace

TEST(ArchiveDigest, IsXxh3With64BitsAndSeedZero) {
    // Published values of XXH3_64bits: a change of algorithm would make every shipped setup "damaged".
    EXPECT_EQ(ArchiveDigest().Value(), 0x2D06800538D394C2ull);
    ta::MemorySource empty("");
    std::uint64_t digest = 0;
    ASSERT_TRUE(DigestRange(empty, 0, 0, digest));
    EXPECT_EQ(digest, 0x2D06800538D394C2ull);
    EXPECT_FALSE(DigestRange(empty, 1, 0, digest));
    // Chunked and whole agree across the read buffer's size.
    std::string big(kCopyBufferSize * 2 + 13, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<char>(i * 131 + (i >> 9));
    }
    ArchiveDigest whole;
    whole.Update(big.data(), big.size());
    ta::MemorySource source(big);
    ASSERT_TRUE(DigestRange(source, 0, big.size(), digest));
    EXPECT_EQ(digest, whole.Value());
    EXPECT_FALSE(DigestRange(source, 0, big.size() + 1, digest));
}

TEST(ArchiveDigest, BothKernelsGiveXxh3sOneShotDigestWhateverThePieces) {
    // Lengths around XXH3's own boundaries (its short-input paths, a 64-byte stripe, a 1 KiB block, its
    // 256-byte internal buffer), fed whole, byte by byte, and in pieces that straddle them.
    std::string data(70000, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<char>(i * 2654435761u >> 13);
    }
    const std::size_t lengths[] = {0, 1, 3, 4, 8, 9, 16, 17, 128, 129, 240, 241, 255, 256, 257, 1024, 1025, 4096, 69999};
    const std::size_t pieces[] = {1, 7, 64, 255, 4096, 70000};
    std::vector<const Xxh3Kernel*> kernels = {&kXxh3Scalar, &kXxh3Sse2};
    if (ProcessorHasAvx2()) {
        kernels.push_back(&kXxh3Avx2);
    } else {
        std::printf("this processor has no AVX2: that kernel is not run here\n");
    }
    for (const Xxh3Kernel* kernel : kernels) {
        for (std::size_t length : lengths) {
            const std::uint64_t expected = XXH3_64bits(data.data(), length);
            for (std::size_t piece : pieces) {
                if (piece == 1 && length > 4096) {
                    continue;
                }
                ArchiveDigest digest(*kernel);
                for (std::size_t at = 0; at < length; at += piece) {
                    digest.Update(data.data() + at, std::min(piece, length - at));
                }
                EXPECT_EQ(digest.Value(), expected) << kernel->name << ", " << length << " bytes in pieces of " << piece;
            }
        }
    }
}

TEST(SealedArchive, LengthIsAMultipleOf8AndTheEntriesAreThoseOfAPlainOne) {
    for (std::size_t imageSize = 0; imageSize < 8; ++imageSize) {
        for (std::size_t dataSize = 1; dataSize <= 8; ++dataSize) {
            const ta::Entries entries = {{"a", std::string(dataSize, 'd')}, {"b\\c", "x"}};
            const std::string image(imageSize, 'I');
            const std::string sealed = ta::BuildSealed(entries, image);
            SCOPED_TRACE("image " + std::to_string(imageSize) + ", data " + std::to_string(dataSize));
            EXPECT_EQ(sealed.size() % 8, 0u);
            EXPECT_EQ(NamesAndData(sealed), NamesAndData(ta::Build(entries, image)));
            // Padding and record lie between the image and the first entry; the record ends at it.
            const std::uint32_t first = ta::Offset(sealed, 0);
            EXPECT_EQ(sealed.compare(first - kIntegrityRecordSize, 8, "VtDigest"), 0);
            EXPECT_LT(first - kIntegrityRecordSize - imageSize, 8u);
            EXPECT_EQ(sealed.find_first_not_of('\0', imageSize), first - kIntegrityRecordSize);
            EXPECT_EQ(sealed.compare(0, imageSize, image), 0);
            EXPECT_EQ(Check(sealed).state, Integrity::Verified);
        }
    }
    const std::string empty = ta::BuildSealed({});
    EXPECT_EQ(empty.size() % 8, 0u);
    EXPECT_EQ(Check(empty).state, Integrity::Verified);
}

TEST(SealedArchive, WriterHoldsToItsPlan) {
    std::ostringstream out;
    ArchivePlan plan;
    plan.entryCount = 2;
    plan.dataBytes = 3;
    ArchiveWriter fewer(out, 0, plan);
    ASSERT_TRUE(fewer.Add("a", "abc"));
    EXPECT_FALSE(fewer.Finish());
    EXPECT_NE(fewer.Error().find("planned"), std::string::npos) << fewer.Error();
    ArchiveWriter moreBytes(out, 0, plan);
    ASSERT_TRUE(moreBytes.Add("a", "ab"));
    ASSERT_TRUE(moreBytes.Add("b", "cd"));
    EXPECT_FALSE(moreBytes.Finish());
}

TEST(IntegrityCheck, DamageAnywhereFromTheFirstEntryToTheCountIsFound) {
    const std::string sound = ta::BuildSealed(kEntries);
    const std::uint32_t first = ta::Offset(sound, 0);
    const std::size_t record = first - kIntegrityRecordSize;
    auto flipped = [&](std::size_t at) {
        std::string bytes = sound;
        bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
        return bytes;
    };
    auto patched = [&](std::size_t at, std::uint32_t value) {
        std::string bytes = sound;
        WriteLe32(reinterpret_cast<unsigned char*>(&bytes[at]), value);
        return bytes;
    };
    std::string countZero = sound;
    ta::SetCount(countZero, 0);
    std::string sentinelMoved = sound;  // a layout the walk still takes: only the digest sees it
    ta::SetOffset(sentinelMoved, 3, ta::Offset(sound, 3) - 1);

    const struct {
        const char* what;
        std::string bytes;
        Integrity state;
        Damage damage;
    } cases[] = {
        {"sound", sound, Integrity::Verified, Damage::None},
        {"record-less", ta::Build(kEntries), Integrity::Unrecorded, Damage::None},
        {"first name byte", flipped(first), Integrity::Damaged, Damage::DigestMismatch},
        {"a data byte", flipped(first + kNameFieldSize + 4321), Integrity::Damaged, Damage::DigestMismatch},
        {"last data byte", flipped(sound.size() - 4 - 4 * 4 - 1), Integrity::Damaged, Damage::DigestMismatch},
        {"sentinel", sentinelMoved, Integrity::Damaged, Damage::DigestMismatch},
        {"the digest itself", flipped(first - 1), Integrity::Damaged, Damage::DigestMismatch},
        {"count", countZero, Integrity::Damaged, Damage::Layout},
        {"truncated by one byte", sound.substr(0, sound.size() - 1), Integrity::Damaged, Damage::Layout},
        {"truncated in the data", sound.substr(0, first + 3000), Integrity::Damaged, Damage::Layout},
        {"unknown version", patched(record + 8, 2), Integrity::Damaged, Damage::UnsupportedRecord},
        {"unknown algorithm", patched(record + 12, 7), Integrity::Damaged, Damage::UnsupportedRecord},
        // Outside what the digest covers: the image and the padding in front of the record.
        {"image byte", flipped(3), Integrity::Verified, Damage::None},
        // A record whose magic is gone reads as none; the layout still has to hold.
        {"magic", flipped(record), Integrity::Unrecorded, Damage::None},
    };
    for (const auto& c : cases) {
        const IntegrityCheck check = Check(c.bytes);
        EXPECT_EQ(check.state, c.state) << c.what;
        EXPECT_EQ(check.damage, c.damage) << c.what;
        EXPECT_EQ(check.Intact(), c.state != Integrity::Damaged) << c.what;
    }
}

// The one checking is told every byte the digest reads, and its stop ends the check as a stop, not as
// damage: also on a damaged archive, whose damage is not known yet when the stop comes.
TEST(IntegrityCheck, TellsTheBytesReadAndEndsAsStoppedWhenAsked) {
    std::string big = ta::BuildSealed({{"QTXPrograms\\big.bin", std::string(3 * 256 * 1024 + 17, 'b')}});
    const std::uint32_t first = ta::Offset(big, 0);
    std::uint64_t told = 0;
    ta::MemorySource whole(big);
    const IntegrityCheck verified = CheckArchiveIntegrity(whole, [&](std::uint64_t bytes) {
        told += bytes;
        return true;
    });
    EXPECT_EQ(verified.state, Integrity::Verified);
    EXPECT_EQ(told, big.size() - first);

    std::string damaged = big;
    damaged[first + kNameFieldSize] ^= 0x01;
    for (const std::string* bytes : {&big, &damaged}) {
        for (const int stopAt : {1, 3}) {
            int asked = 0;
            ta::MemorySource source(*bytes);
            const IntegrityCheck check = CheckArchiveIntegrity(source, [&](std::uint64_t) { return ++asked < stopAt; });
            EXPECT_EQ(check.state, Integrity::Stopped) << stopAt;
            EXPECT_EQ(check.damage, Damage::None) << stopAt;
            EXPECT_FALSE(check.Intact());
            EXPECT_EQ(asked, stopAt) << "asked again after the stop";
        }
    }
}

TEST(IntegrityCheck, VerifyReportsADigestThatDiffers) {
    std::string damaged = ta::BuildSealed(kEntries);
    damaged[ta::Offset(damaged, 1) + kNameFieldSize] ^= 0x20;
    ta::MemorySource source(damaged);
    const ArchiveCheckResult result = CheckArchive(source);
    ASSERT_EQ(result.problems.size(), 1u) << ::testing::PrintToString(result.problems);
    EXPECT_NE(result.problems[0].find("damaged"), std::string::npos) << result.problems[0];
    EXPECT_NE(IntegrityText(Check(ta::BuildSealed(kEntries))).find("matches"), std::string::npos);
}
