// The install-path dialog's version lists and the plug-in installations' per-version tables are read
// by the same position: they must stay the same length, and every position the dialog offers must
// find its installation data.
#include <gtest/gtest.h>

#include <iterator>

#include "plugins/CorelDrawVersions.h"
#include "plugins/IllustratorVersions.h"
#include "plugins/InstallPathTexts.h"

namespace {

static_assert(std::size(installpath::kCorelVersions) == std::size(plugins::kCorelDrawVersions));
static_assert(std::size(installpath::kIllustratorVersions) == std::size(plugins::kIllustratorPluginFiles));

TEST(InstallPathVersions, EveryListedVersionHasItsInstallationData) {
    for (int i = 0; i < static_cast<int>(std::size(installpath::kCorelVersions)); ++i) {
        EXPECT_NE(plugins::FindCorelDrawVersion(i), nullptr) << installpath::kCorelVersions[i];
    }
    for (int i = 0; i < static_cast<int>(std::size(installpath::kIllustratorVersions)); ++i) {
        EXPECT_NE(plugins::FindIllustratorPluginFile(i), nullptr) << installpath::kIllustratorVersions[i];
    }
    EXPECT_NE(plugins::FindCorelDrawVersion(installpath::kCorelDefaultVersion), nullptr);
    EXPECT_NE(plugins::FindIllustratorPluginFile(installpath::kIllustratorDefaultVersion), nullptr);
}

}  // namespace
