// Finding the archive of a signed setup: the certificate table named by the PE image's security data
// directory, and the archive's end in front of it.
#include <gtest/gtest.h>

#include "payload/ArchiveCheck.h"
#include "payload/ArchiveIntegrity.h"
#include "payload/CertificateTable.h"
#include "tests/common/ArchiveBytes.h"
#include "tests/common/MemorySource.h"
#include "tests/common/PeImage.h"

using namespace payload;
namespace ta = testing_archive;
namespace tp = testing_pe;

namespace {

const ta::Entries kEntries = {{"QTXDriver\\i.exe", "installer"}, {"QTXDriver\\amd64\\a.dll", std::string(3000, 'a')}};

}  // namespace

TEST(CertificateTable, SignedSetupsOfBothBitnessesEndTheirArchiveAtTheTable) {
    for (const bool plus : {false, true}) {
        SCOPED_TRACE(plus ? "PE32+" : "PE32");
        std::string setup = ta::BuildSealed(kEntries, tp::Image(plus));
        const std::uint64_t unsignedLength = setup.size();
        ta::MemorySource unsignedFile(setup);
        EXPECT_FALSE(FindCertificateTable(unsignedFile).Present());
        EXPECT_EQ(ArchiveEnd(unsignedFile), unsignedLength);

        tp::Sign(setup, plus);
        ta::MemorySource signedFile(setup);
        const CertificateTable table = FindCertificateTable(signedFile);
        ASSERT_TRUE(table.Present());
        EXPECT_EQ(table.offset, unsignedLength);  // the sealed length needs no padding of the signer
        EXPECT_EQ(table.size, 1024u);
        EXPECT_EQ(ArchiveEnd(signedFile), unsignedLength);

        ArchiveSpan span(signedFile);
        const ArchiveCheckResult check = CheckArchive(span);
        EXPECT_TRUE(check.problems.empty()) << ::testing::PrintToString(check.problems);
        EXPECT_EQ(check.entries.size(), kEntries.size());
        EXPECT_EQ(check.integrity.state, Integrity::Verified);
        // Read as the whole file, the signature's bytes stand where the count should be.
        ta::MemorySource whole(setup);
        EXPECT_FALSE(CheckArchiveIntegrity(whole).Intact());
    }
}

TEST(CertificateTable, OnlyATableThatEndsTheFileMovesTheArchiveEnd) {
    const std::string image = tp::Image(false);
    std::string signedFile = image + std::string(100, 'x');
    tp::Sign(signedFile, false, 64);
    const std::uint64_t tableStart = signedFile.size() - 64;

    std::string trailingSeven = signedFile + std::string(7, '\0');  // padding a signer left after it
    std::string trailingEight = signedFile + std::string(8, '\0');  // data appended after signing
    std::string pastTheEnd = signedFile.substr(0, signedFile.size() - 1);
    std::string zeroSize = signedFile;
    tp::SetSecurityDirectory(zeroSize, false, static_cast<std::uint32_t>(tableStart), 0);
    std::string zeroOffset = signedFile;
    tp::SetSecurityDirectory(zeroOffset, false, 0, 64);
    std::string fewDirectories = signedFile;
    tp::Put32(fewDirectories, tp::kOptionalHeader + 92, 4);
    std::string shortOptionalHeader = signedFile;
    tp::Put16(shortOptionalHeader, tp::kPeOffset + 4 + 16, 96 + 4 * 8 + 7);
    std::string unknownMagic = signedFile;
    tp::Put16(unknownMagic, tp::kOptionalHeader, 0x107);
    std::string noPeSignature = signedFile;
    noPeSignature[tp::kPeOffset + 1] = 'X';
    std::string noMz = signedFile;
    noMz[0] = 'Z';
    std::string peOffsetOutside = signedFile;
    tp::Put32(peOffsetOutside, 0x3C, 0xFFFFFFF0u);

    const struct {
        const char* what;
        std::string bytes;
        bool present;
        std::uint64_t end;
    } cases[] = {
        {"signed", signedFile, true, tableStart},
        {"7 bytes after the table", trailingSeven, true, tableStart},
        {"8 bytes after the table", trailingEight, true, trailingEight.size()},
        {"table past the end of the file", pastTheEnd, false, pastTheEnd.size()},
        {"directory of size 0", zeroSize, false, zeroSize.size()},
        {"directory at offset 0", zeroOffset, false, zeroOffset.size()},
        {"only 4 data directories", fewDirectories, false, fewDirectories.size()},
        {"optional header too short for the entry", shortOptionalHeader, false, shortOptionalHeader.size()},
        {"unknown optional header magic", unknownMagic, false, unknownMagic.size()},
        {"no PE signature", noPeSignature, false, noPeSignature.size()},
        {"no MZ", noMz, false, noMz.size()},
        {"PE header beyond the file", peOffsetOutside, false, peOffsetOutside.size()},
        {"empty file", "", false, 0},
        {"a bare archive", ta::Build(kEntries, ""), false, ta::Build(kEntries, "").size()},
    };
    for (const auto& c : cases) {
        ta::MemorySource file(c.bytes);
        EXPECT_EQ(FindCertificateTable(file).Present(), c.present) << c.what;
        EXPECT_EQ(ArchiveEnd(file), c.end) << c.what;
    }
}

TEST(CertificateTable, SpanReadsNothingPastTheArchiveEnd) {
    std::string setup = ta::BuildSealed(kEntries, tp::Image(true));
    const auto end = static_cast<std::uint32_t>(setup.size());
    tp::Sign(setup, true, 16);
    ta::MemorySource file(setup);
    ArchiveSpan span(file);
    EXPECT_EQ(span.Length(), end);
    char bytes[8];
    EXPECT_TRUE(span.ReadAt(end - 4, bytes, 4));
    EXPECT_FALSE(span.ReadAt(end - 4, bytes, 5));
    EXPECT_FALSE(span.ReadAt(end + 1, bytes, 0));
}
