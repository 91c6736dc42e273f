#include "sample/SampleTree.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace sample {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteAll(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Relative path ('/' separators) to content, of every file under root.
std::map<std::string, std::string> ReadTree(const fs::path& root) {
    std::map<std::string, std::string> tree;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_directory()) {
            tree[fs::relative(entry.path(), root).generic_string()] = ReadAll(entry.path());
        }
    }
    return tree;
}

class SampleTreeTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vtsample-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        programs_ = root_ / "bin";
        fs::create_directories(programs_);
        for (const char* name : {"Vectrace.exe", "Uninstall.exe", "UsbDriver.exe", "InstallDriver.exe"}) {
            WriteAll(programs_ / name, std::string("MZ stand-in ") + name);
        }
    }
    void TearDown() override { fs::remove_all(root_); }

    SampleTreeResult Write(const fs::path& payload) { return WriteSampleTree({payload, programs_, SampleSize::Small}); }

    fs::path root_;
    fs::path programs_;
};

TEST_F(SampleTreeTest, WritesEveryFileOfTheTableAndNothingElse) {
    const SampleTreeResult result = Write(root_ / "payload");
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.fileCount, 169u);

    const std::map<std::string, std::string> tree = ReadTree(root_ / "payload");
    ASSERT_EQ(tree.size(), 169u);
    std::map<std::string, int> perFolder;
    std::uint64_t bytes = 0;
    for (const auto& [path, content] : tree) {
        EXPECT_FALSE(content.empty()) << path;
        ++perFolder[path.substr(0, path.rfind('/'))];
        bytes += content.size();
    }
    EXPECT_EQ(bytes, result.byteCount);
    const std::map<std::string, int> kExpectedPerFolder = {
        {"MxDriver", 14}, {"QTXDriver", 10}, {"QTXDriver/amd64", 3}, {"QTXDriver/x86", 3}, {"QTXPrograms", 88},
        {"QTXFonts", 6},  {"QTXCad", 5},     {"QTXCorel", 12},       {"QtxAi", 13},        {"QTXData", 15},
    };
    EXPECT_EQ(perFolder, kExpectedPerFolder);

    for (const SampleFile& file : kSampleFiles) {
        const auto found = tree.find(std::string(file.path));
        ASSERT_NE(found, tree.end()) << file.path;
        const std::string name(file.path.substr(file.path.rfind('/') + 1));
        if (file.kind == SampleKind::Program) {
            EXPECT_EQ(found->second, "MZ stand-in " + name);
        } else {
            EXPECT_TRUE(found->second.starts_with("Vectrace sample payload file " + std::string(file.path)));
        }
    }
}

TEST_F(SampleTreeTest, TwoRunsGiveIdenticalTrees) {
    ASSERT_EQ(Write(root_ / "a").error, "");
    ASSERT_EQ(Write(root_ / "b").error, "");
    EXPECT_EQ(ReadTree(root_ / "a"), ReadTree(root_ / "b"));
}

TEST_F(SampleTreeTest, RerunReplacesAnEarlierPayload) {
    const fs::path payload = root_ / "payload";
    ASSERT_EQ(Write(payload).error, "");
    const std::map<std::string, std::string> first = ReadTree(payload);
    WriteAll(payload / "QTXPrograms" / "Stale.dll", "left over");
    WriteAll(payload / "QTXData" / "Wood.mat", "edited");

    ASSERT_EQ(Write(payload).error, "");
    EXPECT_EQ(ReadTree(payload), first);
}

TEST_F(SampleTreeTest, RefusesAFolderThatHoldsAnythingElse) {
    const fs::path folder = root_ / "home";
    for (const char* stranger : {"notes.txt", "Projects", "qtxprograms"}) {
        fs::create_directories(folder);
        const fs::path path = folder / stranger;
        if (std::string_view(stranger).find('.') != std::string_view::npos) {
            WriteAll(path, "keep me");
        } else {
            fs::create_directories(path);
        }
        fs::create_directories(folder / "QTXPrograms");
        const SampleTreeResult result = Write(folder);
        EXPECT_NE(result.error.find("refusing"), std::string::npos) << stranger;
        EXPECT_TRUE(fs::exists(path)) << stranger;
        EXPECT_TRUE(fs::is_empty(folder / "QTXPrograms")) << stranger;
        fs::remove_all(folder);
    }
}

TEST_F(SampleTreeTest, MissingStandInStopsBeforeTheFolderIsTouched) {
    const fs::path payload = root_ / "payload";
    ASSERT_EQ(Write(payload).error, "");
    fs::remove(programs_ / "InstallDriver.exe");
    const SampleTreeResult result = Write(payload);
    EXPECT_NE(result.error.find("InstallDriver.exe"), std::string::npos);
    EXPECT_EQ(ReadTree(payload).size(), 169u);
}

}  // namespace
}  // namespace sample
