// The link rule held over a whole branch: what it checks before writing and before the first move (the
// plan's paths and the files copied in from beside the setup), and what it answers for a single path
// the commit, the rollback or the cleanup is about to touch.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "install/InstallPlan.h"
#include "install/LinkGuard.h"

namespace {

using install::InstallPlan;
using install::LinkGuard;
using install::Source;

std::set<std::string> g_links;
bool IsLink(const std::string& path) {
    return g_links.count(path) != 0;
}

InstallPlan SamplePlan() {
    InstallPlan plan("C:\\", "C:\\Vectrace\\");
    plan.Write("C:\\Vectrace\\QTXPrograms\\Vectrace.exe", Source::Archive);
    install::PlannedFile& doc = plan.Write("C:\\Vectrace\\QTXDoc\\Manual.pdf", Source::Copy);
    doc.source = "E:\\Shared\\Setup\\QTXDoc\\Manual.pdf";
    install::PlannedFile& config = plan.Write("C:\\Vectrace\\QTXCfg\\SoftCfg.ini", Source::SoftConfig);
    config.source = "E:\\Shared\\Setup\\QTXCfg\\SoftCfg.ini";
    const std::string programs = "D:\\Profiles\\Ann\\Programs\\";
    const unsigned char menu = plan.AddRoot(programs + "Vectrace\\", programs);
    plan.Write(programs + "Vectrace\\Vectrace.lnk", Source::Shortcut, menu);
    return plan;
}

}  // namespace

TEST(LinkGuard, FindsALinkOnTheWayToWhatIsWrittenOrCopiedInButNotAboveTheChosenFolders) {
    const InstallPlan plan = SamplePlan();
    const struct {
        const char* link;
        bool found;
    } cases[] = {
        {"C:\\Vectrace\\QTXPrograms", true},
        {"C:\\Vectrace\\QTXPrograms\\Vectrace.exe", true},
        {"E:\\Shared\\Setup\\QTXDoc", true},  // a loose folder beside the setup
        {"E:\\Shared\\Setup\\QTXDoc\\Manual.pdf", true},
        {"E:\\Shared\\Setup\\QTXCfg\\SoftCfg.ini", true},
        {"E:\\Shared\\Setup", false},  // the setup's own folder: where the user started it
        {"E:\\Shared", false},
        {"D:\\Profiles\\Ann\\Programs\\Vectrace", true},
        {"D:\\Profiles\\Ann\\Programs", false},  // the shell folder and what lies above it
        {"D:\\Profiles", false},
    };
    for (const auto& c : cases) {
        g_links = {c.link};
        const LinkGuard guard(plan, &IsLink, text::IsGbkLeadByte);
        EXPECT_EQ(guard.FirstLink(), c.found ? c.link : "") << c.link;
    }
    g_links.clear();
    EXPECT_EQ(LinkGuard(plan, &IsLink, text::IsGbkLeadByte).FirstLink(), "");
}

// One path at a time, below the innermost folder it lies in: a staged file, the rollback folder's
// entries, a made folder.
TEST(LinkGuard, APathIsCheckedBelowTheInnermostFolderItLiesIn) {
    const InstallPlan plan = SamplePlan();
    const LinkGuard guard(plan, &IsLink, text::IsGbkLeadByte);
    g_links = {"C:\\Vectrace\\QTXPrograms"};
    EXPECT_EQ(guard.LinkOnTheWayTo("C:\\Vectrace\\QTXPrograms\\~vtsetup0.tmp"), "C:\\Vectrace\\QTXPrograms");
    EXPECT_EQ(guard.LinkOnTheWayTo("C:\\Vectrace\\~vtsetup.rollback\\1"), "");
    g_links = {"C:\\Vectrace\\~vtsetup.rollback"};
    EXPECT_EQ(guard.LinkOnTheWayTo("C:\\Vectrace\\~vtsetup.rollback\\1"), "C:\\Vectrace\\~vtsetup.rollback");
    g_links = {"D:\\Profiles\\Ann\\Programs"};
    EXPECT_EQ(guard.LinkOnTheWayTo("D:\\Profiles\\Ann\\Programs\\Vectrace\\~vtsetup3.tmp"), "");
    g_links = {"D:\\Profiles\\Ann\\Programs\\Vectrace"};
    EXPECT_EQ(guard.LinkOnTheWayTo("D:\\Profiles\\Ann\\Programs\\Vectrace\\~vtsetup3.tmp"),
              "D:\\Profiles\\Ann\\Programs\\Vectrace");
    // The levels of a chosen target, made when missing, lie at or above the link root: the user's choice,
    // a link among them too. The install folder below it is the branch's.
    const InstallPlan chosen("C:\\Chosen\\New\\", "C:\\Chosen\\New\\Vectrace\\");
    const LinkGuard chosenGuard(chosen, &IsLink, text::IsGbkLeadByte);
    g_links = {"C:\\Chosen"};
    EXPECT_EQ(chosenGuard.LinkOnTheWayTo("C:\\Chosen\\New"), "");
    EXPECT_EQ(chosenGuard.LinkOnTheWayTo("C:\\Chosen\\New\\Vectrace"), "");
    g_links = {"C:\\Chosen\\New\\Vectrace"};
    EXPECT_EQ(chosenGuard.LinkOnTheWayTo("C:\\Chosen\\New\\Vectrace"), "C:\\Chosen\\New\\Vectrace");
    g_links = {"C:\\Vectrace"};
    EXPECT_EQ(guard.LinkOnTheWayTo("C:\\Vectrace"), "C:\\Vectrace");  // below the drive's root, the branch's
    // In none of the plan's folders: every level from the top of its drive.
    g_links = {"F:\\Elsewhere"};
    EXPECT_EQ(guard.LinkOnTheWayTo("F:\\Elsewhere\\x"), "F:\\Elsewhere");
    g_links.clear();
}
