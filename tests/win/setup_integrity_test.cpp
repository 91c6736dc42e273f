// The check of the setup's own file on real files of a Wine prefix, the extraction of a signed setup,
// and the install command refusing a damaged setup in every branch and language before it writes.
#include <gtest/gtest.h>

#include "app/commands/InstallCommand_win.h"
#include "framework/GbkText_win.h"
#include "install/MessageTable.h"
#include "payload/PayloadExtractor_win.h"
#include "payload/SetupIntegrity_win.h"
#include "tests/common/ArchiveBytes.h"
#include "tests/common/PeImage.h"
#include "tests/win/WineTestSupport_win.h"

namespace ta = testing_archive;
namespace tp = testing_pe;
using payload::Damage;
using payload::Integrity;
using wintest::TempFolder;

namespace {

const ta::Entries kEntries = {
    {"QTXPrograms\\Vectrace.exe", std::string(700000, 'v')},  // more than one read buffer
    {"QTXDriver\\InstallDriver.exe", "i"},
    {"QTXDriver\\amd64\\a.dll", "a"},
};

std::string Flipped(std::string bytes, std::size_t at) {
    bytes[at] = static_cast<char>(bytes[at] ^ 0x40);
    return bytes;
}

std::string Signed(std::string bytes, bool plus) {
    tp::Sign(bytes, plus);
    return bytes;
}

}  // namespace

TEST(SetupIntegrity, CheckOfTheSetupFile) {
    const std::string sealed = ta::BuildSealed(kEntries, tp::Image(false));
    const std::string sealed64 = ta::BuildSealed(kEntries, tp::Image(true));
    const std::size_t firstData = ta::Offset(sealed, 0) + payload::kNameFieldSize;
    const struct {
        const char* what;
        std::string bytes;
        Integrity state;
        Damage damage;
    } cases[] = {
        {"sealed", sealed, Integrity::Verified, Damage::None},
        {"packed without a record", ta::Build(kEntries, tp::Image(false)), Integrity::Unrecorded, Damage::None},
        {"signed PE32", Signed(sealed, false), Integrity::Verified, Damage::None},
        {"signed PE32+", Signed(sealed64, true), Integrity::Verified, Damage::None},
        {"a payload byte flipped", Flipped(sealed, firstData + 123456), Integrity::Damaged, Damage::DigestMismatch},
        {"signed, then a payload byte flipped", Flipped(Signed(sealed, false), firstData), Integrity::Damaged,
         Damage::DigestMismatch},
        {"truncated", sealed.substr(0, sealed.size() - 100), Integrity::Damaged, Damage::Layout},
        {"signed, then truncated", Signed(sealed, false).substr(0, sealed.size() + 100), Integrity::Damaged,
         Damage::Layout},
    };
    TempFolder work;
    for (const auto& c : cases) {
        const std::string path = work / "VtSetup.exe";
        ASSERT_TRUE(wintest::WriteWholeFile(path, c.bytes));
        CFile setup;
        ASSERT_TRUE(setup.Open(path, CFile::Mode::Read, FILE_SHARE_READ));
        const payload::IntegrityCheck check = CheckSetupArchive(&setup);
        EXPECT_EQ(check.state, c.state) << c.what;
        EXPECT_EQ(check.damage, c.damage) << c.what;
        // The same handle again, left at the end of the file by the first check.
        EXPECT_EQ(IsSetupArchiveIntact(&setup), c.state != Integrity::Damaged) << c.what;
    }
    EXPECT_EQ(CheckSetupArchive(nullptr).damage, Damage::Unreadable);
    EXPECT_FALSE(IsSetupArchiveIntact(nullptr));
}

TEST(SetupIntegrity, SignedSetupsAreExtractedWhole) {
    for (const bool plus : {false, true}) {
        TempFolder work, destination;
        const std::string path = work / "VtSetup.exe";
        ASSERT_TRUE(wintest::WriteWholeFile(path, Signed(ta::BuildSealed(kEntries, tp::Image(plus)), plus)));
        CFile setup;
        ASSERT_TRUE(setup.Open(path, CFile::Mode::Read, FILE_SHARE_READ));
        ASSERT_TRUE(IsSetupArchiveIntact(&setup));
        ExtractFailure failure;
        ASSERT_EQ(ExtractArchiveFiles(&setup, destination.Path(), payload::Selection::Payload, &failure), 1)
            << static_cast<int>(failure.archiveError);
        for (const auto& [name, data] : kEntries) {
            EXPECT_TRUE(wintest::Content(destination / name) == data) << name;
        }
    }
}

TEST(InstallCommand, DamagedSetupIsRefusedInEveryBranchBeforeAnythingIsWritten) {
    const std::string sealed = ta::BuildSealed(kEntries, tp::Image(false));
    TempFolder work;
    const std::string setup = work / "VtSetup.exe";
    ASSERT_TRUE(wintest::WriteWholeFile(setup, Flipped(sealed, ta::Offset(sealed, 1) + 500)));
    CFile damaged;
    ASSERT_TRUE(damaged.Open(setup, CFile::Mode::Read, FILE_SHARE_READ));
    const struct {
        int position;
        const wchar_t* message;
    } languages[] = {
        {0, L"安装文件已损坏,请重新下载!"},
        {1, L"The setup file is damaged, please download it again!"},
        {2, L"The setup file is damaged, please download it again!"},
    };
    // This test program never opened its own file: that counts as a setup that could not be opened.
    for (CFile* file : {&damaged, static_cast<CFile*>(nullptr)}) {
        for (int type = 0; type <= 3; ++type) {
            for (const auto& language : languages) {
                TempFolder target;
                InstallCommandSettings settings;
                settings.installType = type;
                settings.targetFolder = target.Path();
                settings.languagePosition = language.position;
                settings.productName = "Vectrace";
                settings.setupFile = file;
                settings.setupFolder = work / "";
                const InstallOutcome result = RunInstallCommand(settings);
                EXPECT_FALSE(result.Installed()) << "type " << type;
                EXPECT_TRUE(OutcomeBox(result, install::MessageTable(language.position)) == language.message)
                    << "type " << type << ", position " << language.position;
                EXPECT_TRUE(wintest::ListFiles(target.Path()).empty()) << "type " << type;
                EXPECT_TRUE(RemoveDirectoryA(target.Path().c_str())) << "type " << type << ": a folder was made in it";
                CreateDirectoryA(target.Path().c_str(), nullptr);
            }
        }
    }
}

// No path of the system code page reaches the folder beside the setup: every branch says so instead of
// reading the current folder's files, and writes nothing.
TEST(InstallCommand, WithoutAPathToTheSetupFolderEveryBranchSaysSoBeforeAnythingIsWritten) {
    TempFolder work;
    const std::string setup = work / "VtSetup.exe";
    ASSERT_TRUE(wintest::WriteWholeFile(setup, ta::BuildSealed(kEntries, tp::Image(false))));
    CFile intact;
    ASSERT_TRUE(intact.Open(setup, CFile::Mode::Read, FILE_SHARE_READ));
    for (int type = 0; type <= 3; ++type) {
        for (const int position : {0, 2}) {
            TempFolder target;
            InstallCommandSettings settings;
            settings.installType = type;
            settings.targetFolder = target.Path();
            settings.languagePosition = position;
            settings.productName = "Vectrace";
            settings.setupFile = &intact;
            const InstallOutcome result = RunInstallCommand(settings);
            EXPECT_FALSE(result.Installed()) << "type " << type;
            EXPECT_TRUE(OutcomeBox(result, install::MessageTable(position)) ==
                        GbkToWide(install::MessageTable(position).Text(install::MsgSetupFolderUnreadable)))
                << "type " << type;
            EXPECT_TRUE(wintest::ListFiles(target.Path()).empty()) << "type " << type;
        }
    }
}
