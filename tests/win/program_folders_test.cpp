// The loose folders beside the setup as an installation brings them into the program folder: planned
// by PlanProgramFolders, run by the transaction, on real files under Wine. "QTXCfg\" is copied by
// content (the user's calibrated settings are compared and kept), the others by the system's copy.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/SystemLeadByte_win.h"
#include "install/InstallTransaction_win.h"
#include "install/PlanSteps_win.h"
#include "tests/win/WineTestSupport_win.h"

namespace {

using wintest::Content;
using wintest::MakeFolder;

bool WriteFile(const std::string& path, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    return wintest::WriteWholeFile(path, bytes) && SetFileAttributesA(path.c_str(), attributes);
}

bool IsReadOnly(const std::string& path) {
    return (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0;
}

std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    }
    return bytes;
}

class ProgramFoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        setupFolder = MakeFolder(scratch / "setup\\");
        target = MakeFolder(scratch / "Vectrace\\");
        // The plans take nothing from the archive; the transaction still reads through the setup's file.
        ASSERT_TRUE(wintest::WriteWholeFile(scratch / "setup.bin", "no archive"));
        ASSERT_TRUE(setup.Open(scratch / "setup.bin", CFile::Mode::Read, FILE_SHARE_READ));
    }

    InstallRun Install(std::initializer_list<const char*> names) {
        std::vector<install::InstallPlan> plans;
        plans.emplace_back(target, target, IsSystemLeadByte);
        PlanProgramFolders(plans.back(), setupFolder, target, names, 3);
        return RunInstallPlans(plans, setup, nullptr);
    }

    wintest::TempFolder scratch;
    std::string setupFolder;
    std::string target;
    CFile setup;
};

// Every file lying directly in the folder, hidden and system ones too, replaces the one of its name
// whole (shorter, empty, larger than the copy buffer); sub-folders stay behind; the program folder's
// other files stay. A read-only file stays read-only through the system's copy only.
TEST_F(ProgramFoldersTest, EveryFileOfOneLevelReplacesItsNamesakeWhole) {
    const std::string big = Pattern(3 * 512000 + 77);
    for (const char* name : {"QTXRes\\", "QTXCfg\\"}) {
        const std::string from = MakeFolder(setupFolder + name);
        const std::string to = MakeFolder(target + name);
        MakeFolder(from + "sub\\");
        ASSERT_TRUE(WriteFile(from + "a.ini", "new"));
        ASSERT_TRUE(WriteFile(from + "hidden.dat", "h", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
        ASSERT_TRUE(WriteFile(from + "sub\\inner.txt", "inner"));
        ASSERT_TRUE(WriteFile(from + "short.ini", "ab"));
        ASSERT_TRUE(WriteFile(from + "empty.ini", ""));
        ASSERT_TRUE(WriteFile(from + "locked.ini", "ro", FILE_ATTRIBUTE_READONLY));
        ASSERT_TRUE(WriteFile(from + "big.bin", big));
        ASSERT_TRUE(WriteFile(to + "a.ini", "older and longer"));
        ASSERT_TRUE(WriteFile(to + "kept.txt", "kept"));
        ASSERT_TRUE(WriteFile(to + "short.ini", "0123456789"));
        ASSERT_TRUE(WriteFile(to + "empty.ini", "old"));
    }

    const InstallRun run = Install({"QTXRes\\", "QTXCfg\\"});

    ASSERT_EQ(run.stop, InstallRun::Stop::None) << run.failure.path;
    for (const char* name : {"QTXRes\\", "QTXCfg\\"}) {
        SCOPED_TRACE(name);
        const std::string to = target + name;
        EXPECT_EQ(Content(to + "a.ini"), "new");
        EXPECT_EQ(Content(to + "hidden.dat"), "h");
        EXPECT_EQ(Content(to + "kept.txt"), "kept");
        EXPECT_EQ(Content(to + "short.ini"), "ab");
        EXPECT_EQ(Content(to + "empty.ini"), "");
        EXPECT_EQ(Content(to + "locked.ini"), "ro");
        EXPECT_TRUE(Content(to + "big.bin") == big);
        EXPECT_FALSE(wintest::Exists(to + "sub"));
        EXPECT_FALSE(wintest::Exists(to + "inner.txt"));
    }
    EXPECT_TRUE(IsReadOnly(target + "QTXRes\\locked.ini"));
    EXPECT_FALSE(IsReadOnly(target + "QTXCfg\\locked.ini"));
}

// A loose folder the vendor left out gives an empty folder of that name, and nothing else goes wrong.
TEST_F(ProgramFoldersTest, AFolderMissingBesideTheSetupIsMadeEmpty) {
    ASSERT_TRUE(WriteFile(MakeFolder(setupFolder + "QTXRes\\") + "title.ico", "icon"));
    ASSERT_TRUE(WriteFile(MakeFolder(setupFolder + "QTXCfg\\") + "SoftCfg.ini", "[BaseCfg]\r\nLanguage=0\r\n"));

    const InstallRun run = Install({"QTXDoc\\", "QTXRes\\", "QTXCfg\\"});

    ASSERT_EQ(run.stop, InstallRun::Stop::None)
        << run.failure.path << " kind " << static_cast<int>(run.failure.kind) << " error " << run.failure.systemError;
    EXPECT_TRUE(wintest::Exists(target + "QTXDoc"));
    EXPECT_TRUE(wintest::ListFiles(target + "QTXDoc\\").empty());
    EXPECT_EQ(Content(target + "QTXRes\\title.ico"), "icon");
    EXPECT_EQ(wintest::ListFiles(target + "QTXCfg\\"), std::vector<std::string>{"SoftCfg.ini"});
}

// A settings file that another program holds open cannot be read: the installation stops naming it and
// leaves the program folder as it was (the copy used to skip such a file and install without it).
TEST_F(ProgramFoldersTest, ASettingsFileHeldOpenStopsTheInstallationNamingIt) {
    const std::string from = MakeFolder(setupFolder + "QTXCfg\\");
    ASSERT_TRUE(WriteFile(from + "held.ini", "held"));
    ASSERT_TRUE(WriteFile(from + "free.ini", "free"));
    ASSERT_TRUE(WriteFile(MakeFolder(target + "QTXCfg\\") + "free.ini", "before"));

    wintest::FileHolder holder(from + "held.ini");
    ASSERT_TRUE(holder.Holding());
    const InstallRun run = Install({"QTXCfg\\"});

    EXPECT_EQ(run.stop, InstallRun::Stop::Failed);
    EXPECT_EQ(run.failure.kind, ExtractFailure::Kind::Read);
    EXPECT_EQ(run.failure.path, from + "held.ini");
    EXPECT_EQ(Content(target + "QTXCfg\\free.ini"), "before");
    EXPECT_FALSE(wintest::Exists(target + "QTXCfg\\held.ini"));
}

}  // namespace
