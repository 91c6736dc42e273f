// The install plan on paths alone: which write or deletion wins, what the link check and the space
// check are given, the temporary names; the space arithmetic and the text naming files in use.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/DiskSpace.h"
#include "install/FilesInUseText.h"
#include "install/InstallPlan.h"

namespace {

using install::InstallPlan;
using install::Source;

std::vector<std::string> Destinations(const InstallPlan& plan) {
    std::vector<std::string> destinations;
    for (const install::PlannedFile& file : plan.Files()) {
        destinations.push_back(file.destination);
    }
    return destinations;
}

// A branch states its steps in the order the installation always took them: the later one wins, the
// same file in another letter case included.
TEST(InstallPlan, TheLaterOfAWriteAndADeletionOfOneFileWins) {
    InstallPlan plan("C:\\Adobe\\", "C:\\Adobe\\");
    plan.Write("C:\\Adobe\\Windows\\QTXCorel11.gms", Source::Archive);
    plan.Write("C:\\Adobe\\Windows\\Kept.dll", Source::Archive);
    plan.Delete("C:\\Adobe\\Plug-ins\\QTXPlugin_CCX64.aip");
    plan.Delete("C:\\Adobe\\Plug-ins\\QtxPlugin.aip");
    // Deleted after the extraction wrote it: not written at all, and still deleted if it is there.
    plan.Delete("C:\\ADOBE\\windows\\qtxcorel11.GMS");
    // Written after the older plug-ins were deleted: written, not deleted.
    plan.Write("C:\\Adobe\\Plug-ins\\QTXPlugin_CCx64.aip", Source::Archive);
    plan.Delete("C:\\Adobe\\Plug-ins\\QtxPlugin.aip");  // twice is once

    EXPECT_EQ(Destinations(plan),
              (std::vector<std::string>{"C:\\Adobe\\Windows\\Kept.dll", "C:\\Adobe\\Plug-ins\\QTXPlugin_CCx64.aip"}));
    EXPECT_EQ(plan.Deletions(),
              (std::vector<std::string>{"C:\\Adobe\\Plug-ins\\QtxPlugin.aip", "C:\\ADOBE\\windows\\qtxcorel11.GMS"}));
}

// A loose folder's file the payload holds too: one destination, written once, from the later source,
// whose flags stand (the loose settings file is compared before it replaces the user's).
TEST(InstallPlan, TwoSourcesOfOneDestinationLeaveTheLaterOne) {
    InstallPlan plan("C:\\", "C:\\Vectrace\\");
    plan.Write("C:\\Vectrace\\QTXLanguage\\English.lng", Source::Archive).offset = 7;
    plan.Write("C:\\Vectrace\\QTXCfg\\Laser.ini", Source::Archive);
    plan.Write("C:\\Vectrace\\Readme.txt", Source::Archive);
    install::PlannedFile& loose = plan.Write("C:\\Vectrace\\qtxlanguage\\ENGLISH.LNG.", Source::Copy);
    loose.source = "D:\\QTXLanguage\\English.lng";
    plan.Write("C:\\Vectrace\\QTXCfg\\Laser.ini", Source::Content).keepUsersCopy = true;

    ASSERT_EQ(Destinations(plan), (std::vector<std::string>{"C:\\Vectrace\\Readme.txt",
                                                            "C:\\Vectrace\\qtxlanguage\\ENGLISH.LNG.",
                                                            "C:\\Vectrace\\QTXCfg\\Laser.ini"}));
    EXPECT_EQ(plan.Files()[1].kind, Source::Copy);
    EXPECT_EQ(plan.Files()[1].source, "D:\\QTXLanguage\\English.lng");
    EXPECT_EQ(plan.Files()[2].kind, Source::Content);
    EXPECT_TRUE(plan.Files()[2].keepUsersCopy);
}

// A key of the caller's decides what is one file.
TEST(InstallPlan, TheNameKeyGivenDecidesWhatIsOneFile) {
    InstallPlan plan("C:\\", "C:\\V\\", payload::IsGbkLeadByte,
                     [](std::string_view path) { return std::string(path.substr(0, 6)); });
    plan.Write("C:\\V\\a1", Source::Archive);
    plan.Write("C:\\V\\a2", Source::Archive);
    plan.Write("C:\\V\\b1", Source::Archive);
    EXPECT_EQ(Destinations(plan), (std::vector<std::string>{"C:\\V\\a2", "C:\\V\\b1"}));
}

// The link check sees every path the branch touches below its link root, with the backup folder of a
// user's file and the rollback folder; a shortcut's own folder is not below it.
TEST(InstallPlan, TheLinkCheckIsGivenEveryPathBelowTheLinkRoot) {
    InstallPlan plan("C:\\Laser\\", "C:\\Laser\\Vectrace\\");
    const unsigned char desktop = plan.AddRoot("C:\\Users\\Ann\\Desktop\\");
    plan.MakeFolder("C:\\Laser\\Vectrace\\QTXDoc\\");
    plan.Write("C:\\Laser\\Vectrace\\QTXPrograms\\Vectrace.exe", Source::Archive);
    plan.Write("C:\\Laser\\Vectrace\\QTXCfg\\Laser.ini", Source::Content).keepUsersCopy = true;
    plan.Write("C:\\Users\\Ann\\Desktop\\Vectrace.lnk", Source::Shortcut, desktop);
    plan.Delete("C:\\Laser\\Vectrace\\QTXCad\\Old.dll");
    plan.RemoveIfEmpty("C:\\Laser\\Vectrace\\QTXCad\\");

    std::vector<std::string> paths;
    for (const install::PathBelow& below : plan.PathsBelowLinkRoot()) {
        EXPECT_EQ(below.root, "C:\\Laser\\");
        paths.push_back(below.path);
    }
    EXPECT_EQ(paths, (std::vector<std::string>{
                         "C:\\Laser\\Vectrace\\~vtsetup.rollback\\",
                         "C:\\Laser\\Vectrace\\QTXDoc\\",
                         "C:\\Laser\\Vectrace\\QTXPrograms\\Vectrace.exe",
                         "C:\\Laser\\Vectrace\\QTXCfg\\Laser.ini",
                         "C:\\Laser\\Vectrace\\QTXCfg\\Backup\\",
                         "C:\\Laser\\Vectrace\\QTXCad\\Old.dll",
                         "C:\\Laser\\Vectrace\\QTXCad\\",
                     }));
}

// A shortcut root is checked from the shell folder it lies in, never from the drive's root: a profile
// moved elsewhere through a link is the system's business, the start-menu folder the branch makes and
// the shortcuts are not. A root given no link root is not checked.
TEST(InstallPlan, AShortcutRootIsCheckedBelowItsShellFolder) {
    InstallPlan plan("C:\\", "C:\\Vectrace\\");
    const std::string programs = "D:\\Users\\Ann\\Programs\\";
    const unsigned char desktop = plan.AddRoot("D:\\Users\\Ann\\Desktop\\", "D:\\Users\\Ann\\Desktop\\");
    plan.MakeFolder(programs + "Vectrace\\");
    const unsigned char menu = plan.AddRoot(programs + "Vectrace\\", programs);
    const unsigned char unchecked = plan.AddRoot("E:\\Other\\");
    plan.Write("D:\\Users\\Ann\\Desktop\\Vectrace.lnk", Source::Shortcut, desktop);
    plan.Write(programs + "Vectrace\\Vectrace.lnk", Source::Shortcut, menu);
    plan.Write("E:\\Other\\x.lnk", Source::Shortcut, unchecked);

    std::vector<std::string> seen;
    for (const install::PathBelow& below : plan.PathsBelowLinkRoot()) {
        seen.push_back(below.root + " | " + below.path);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "C:\\ | C:\\Vectrace\\~vtsetup.rollback\\",
                        programs + " | " + programs + "Vectrace\\",
                        "D:\\Users\\Ann\\Desktop\\ | D:\\Users\\Ann\\Desktop\\~vtsetup.rollback\\",
                        programs + " | " + programs + "Vectrace\\~vtsetup.rollback\\",
                        "D:\\Users\\Ann\\Desktop\\ | D:\\Users\\Ann\\Desktop\\Vectrace.lnk",
                        programs + " | " + programs + "Vectrace\\Vectrace.lnk",
                    }));
    // What the rule then finds: a link at the shell folder or above it is not on the way, one at the
    // start-menu folder the branch makes is.
    const auto linkAt = [](const char* link) {
        static std::string where;
        where = link;
        return [](const std::string& path) { return path == where; };
    };
    EXPECT_EQ(install::FirstLinkOnTheWay(plan.PathsBelowLinkRoot(), linkAt("D:\\Users")), "");
    EXPECT_EQ(install::FirstLinkOnTheWay(plan.PathsBelowLinkRoot(), linkAt("D:\\Users\\Ann\\Programs")), "");
    EXPECT_EQ(install::FirstLinkOnTheWay(plan.PathsBelowLinkRoot(), linkAt("D:\\Users\\Ann\\Programs\\Vectrace")),
              "D:\\Users\\Ann\\Programs\\Vectrace");
    EXPECT_EQ(install::FirstLinkOnTheWay(plan.PathsBelowLinkRoot(), linkAt("D:\\Users\\Ann\\Desktop\\Vectrace.lnk")),
              "D:\\Users\\Ann\\Desktop\\Vectrace.lnk");
}

// What the space check asks for: every new file of the install folder in whole clusters, beside the
// old ones; a shortcut elsewhere does not count.
TEST(InstallPlan, BytesNeededCountsWholeClustersOfTheInstallFolderOnly) {
    InstallPlan plan("C:\\", "C:\\Vectrace\\");
    const unsigned char desktop = plan.AddRoot("D:\\Desktop\\");
    plan.Write("C:\\Vectrace\\a", Source::Archive).size = 1;
    plan.Write("C:\\Vectrace\\b", Source::Archive).size = 4096;
    plan.Write("C:\\Vectrace\\c", Source::Copy).size = 4097;
    plan.Write("D:\\Desktop\\Vectrace.lnk", Source::Shortcut, desktop).size = 100000;

    EXPECT_EQ(plan.BytesNeeded(4096), 4096u + 4096u + 8192u);
    EXPECT_EQ(plan.BytesNeeded(512), 512u + 4096u + 4608u);
}

TEST(DiskSpace, WholeClustersAndMissingMegabytesRoundedUp) {
    constexpr std::uint64_t MiB = 1024 * 1024;
    const struct {
        std::uint64_t size, cluster, onDisk;
    } files[] = {
        {0, 4096, 0},       {1, 4096, 4096}, {4096, 4096, 4096},
        {4097, 4096, 8192}, {10, 0, 10},     {5000000000ull, 65536, 5000003584ull},
        {1, 3000, 4096},  // no volume has such clusters: counted as the next power of two
    };
    for (const auto& f : files) {
        EXPECT_EQ(install::BytesOnDisk(f.size, f.cluster), f.onDisk) << f.size << " in clusters of " << f.cluster;
    }
    const struct {
        std::uint64_t needed, available, missing;
    } volumes[] = {
        {0, 0, 0},
        {MiB, MiB, 0},
        {MiB, MiB + 1, 0},
        {MiB + 1, MiB, 1},
        {100 * MiB, 256 * 1024, 100},
        {100 * MiB + 1, 0, 101},
        {6ull * 1024 * MiB, 0, 6144},
    };
    for (const auto& v : volumes) {
        EXPECT_EQ(install::MissingMegabytes(v.needed, v.available), v.missing) << v.needed << " on " << v.available;
    }
}

TEST(StagedName, ATemporaryNameInTheDestinationsFolder) {
    EXPECT_EQ(install::StagedName("C:\\Vectrace\\QTXPrograms\\Vectrace.exe", 0),
              "C:\\Vectrace\\QTXPrograms\\~vtsetup0.tmp");
    EXPECT_EQ(install::StagedName("C:\\Vectrace\\QTXCfg\\SoftCfg.ini", 168), "C:\\Vectrace\\QTXCfg\\~vtsetup168.tmp");
    // "\" as the trail byte of a double-byte character is no separator ("表" is 0xB1 0x5C).
    EXPECT_EQ(install::StagedName("C:\\\xb1\x5c\\a\xb1\x5c", 7), "C:\\\xb1\x5c\\~vtsetup7.tmp");
}

TEST(FilesInUseText, NamesUpToTenFilesAndCountsTheRest) {
    const std::wstring leadIn = L"These files are in use. Close the program that uses them, then click Retry:";
    std::vector<std::wstring> paths;
    for (int i = 1; i <= 13; ++i) {
        paths.push_back(L"C:\\Vectrace\\f" + std::to_wstring(i));
    }
    const std::wstring ten = leadIn +
                             L"\r\nC:\\Vectrace\\f1\r\nC:\\Vectrace\\f2\r\nC:\\Vectrace\\f3\r\nC:\\Vectrace\\f4"
                             L"\r\nC:\\Vectrace\\f5\r\nC:\\Vectrace\\f6\r\nC:\\Vectrace\\f7\r\nC:\\Vectrace\\f8"
                             L"\r\nC:\\Vectrace\\f9\r\nC:\\Vectrace\\f10";
    const struct {
        std::size_t count;
        std::wstring text;
    } cases[] = {
        {0, leadIn},
        {1, leadIn + L"\r\nC:\\Vectrace\\f1"},
        {10, ten},
        {11, ten + L"\r\nand 1 more"},
        {13, ten + L"\r\nand 3 more"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(install::FilesInUseText(leadIn, std::vector<std::wstring>(paths.begin(), paths.begin() + c.count),
                                          L"and % more"),
                  c.text)
            << c.count << " files";
    }
    // The Chinese "and N more" has its number inside.
    EXPECT_EQ(install::FilesInUseText(L"L:", paths, L"\x8fd8\x6709 % \x4e2a\x6587\x4ef6"),
              L"L:\r\nC:\\Vectrace\\f1\r\nC:\\Vectrace\\f2\r\nC:\\Vectrace\\f3\r\nC:\\Vectrace\\f4\r\nC:\\Vectrace\\f5"
              L"\r\nC:\\Vectrace\\f6\r\nC:\\Vectrace\\f7\r\nC:\\Vectrace\\f8\r\nC:\\Vectrace\\f9\r\nC:\\Vectrace\\f10"
              L"\r\n\x8fd8\x6709 3 \x4e2a\x6587\x4ef6");
}

}  // namespace
