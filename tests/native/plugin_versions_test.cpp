#include <gtest/gtest.h>

#include <strings.h>
#include <algorithm>
#include <string>

#include "plugins/CorelDrawVersions.h"
#include "plugins/IllustratorVersions.h"

namespace {

TEST(CorelDrawVersions, FoldersKeysAndModulesByListPosition) {
    const std::string corel = "SOFTWARE\\Corel\\Setup\\";
    const struct {
        int index;
        std::string firstKey;
        std::string secondKey;  // empty when there is none
        std::string program;
        std::string module;
    } cases[] = {
        {0, "Corel Graphics Suite 11", "CorelDRAW SA 11", "C:\\Corel\\Programs\\", "QTXCorel11.gms"},
        {1, "CorelDRAW Graphics Suite 12", "", "C:\\Corel\\Programs\\", "QTXCorel12.gms"},
        {2, "CorelDRAW Graphics Suite 13", "", "C:\\Corel\\Programs\\", "QTXCorelX34.gms"},
        {3, "CorelDRAW Graphics Suite 14", "", "C:\\Corel\\Programs\\", "QTXCorelX34.gms"},
        {4, "CorelDRAW Graphics Suite 15", "", "C:\\Corel\\Programs\\", "QTXCorelX5.gms"},
        {5, "CorelDRAW Graphics Suite 16", "CorelDRAW Technical Suite 16", "C:\\Corel\\Programs\\", "QTXCorelEx.gms"},
        {6, "CorelDRAW Graphics Suite 16", "CorelDRAW Technical Suite 16", "C:\\Corel\\Programs64\\",
         "QTXCorelEx64.gms"},
        {7, "CorelDRAW Graphics Suite 17", "CorelDRAW Technical Suite 17", "C:\\Corel\\Programs\\", "QTXCorelEx.gms"},
        {8, "CorelDRAW Graphics Suite 17", "CorelDRAW Technical Suite 17", "C:\\Corel\\Programs64\\",
         "QTXCorelEx64.gms"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        const plugins::CorelDrawVersion* version = plugins::FindCorelDrawVersion(c.index);
        ASSERT_NE(version, nullptr);
        EXPECT_EQ(version->registryKeys[0], corel + c.firstKey);
        EXPECT_EQ(version->registryKeys[1] ? version->registryKeys[1] : "",
                  c.secondKey.empty() ? "" : corel + c.secondKey);
        const plugins::CorelDrawFolders folders = plugins::CorelDrawFoldersUnder("C:\\Corel\\", *version);
        EXPECT_EQ(folders.program, c.program);
        EXPECT_EQ(folders.gms, "C:\\Corel\\Draw\\GMS\\");
        EXPECT_EQ(version->module, c.module);
        // The clean-up lists hold every module, so no other version's module outlives a reinstall.
        for (const auto& list : {plugins::kGmsFolderModules, plugins::kProgramFolderModules}) {
            EXPECT_NE(std::find(list.begin(), list.end(), c.module), list.end());
        }
    }
    EXPECT_EQ(plugins::FindCorelDrawVersion(-1), nullptr);
    EXPECT_EQ(plugins::FindCorelDrawVersion(9), nullptr);
}

TEST(CorelDrawVersions, RegistryDestinationEndingInBackslashGivesADoubledSeparator) {
    const plugins::CorelDrawFolders folders =
        plugins::CorelDrawFoldersUnder(std::string("D:\\Corel\\") + "\\", *plugins::FindCorelDrawVersion(8));
    EXPECT_EQ(folders.program, "D:\\Corel\\\\Programs64\\");
    EXPECT_EQ(folders.gms, "D:\\Corel\\\\Draw\\GMS\\");
}

TEST(IllustratorVersions, EachVersionsPluginIsAmongTheOlderFilesRemovedFirst) {
    EXPECT_STREQ(plugins::FindIllustratorPluginFile(0), "QTXPlugin_C5OnlyWin32.aip");
    EXPECT_STREQ(plugins::FindIllustratorPluginFile(2), "QTXPlugin_C6X64.aip");
    EXPECT_STREQ(plugins::FindIllustratorPluginFile(4), "QTXPlugin_CCX64.aip");
    EXPECT_STREQ(plugins::FindIllustratorPluginFile(10), "QTXPlugin_CC2017X64.aip");
    EXPECT_EQ(plugins::FindIllustratorPluginFile(11), nullptr);
    EXPECT_EQ(plugins::FindIllustratorPluginFile(-1), nullptr);
    // A reinstall of another version must leave only its own file, so every one is in the removal list.
    for (const char* file : plugins::kIllustratorPluginFiles) {
        const auto& older = plugins::kOlderIllustratorPlugins;
        EXPECT_NE(std::find_if(older.begin(), older.end(), [&](const char* name) { return strcmp(name, file) == 0; }),
                  older.end())
            << file;
    }
}

}  // namespace
