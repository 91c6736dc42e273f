// vtpack build in-process: what the payload tree gives for each kind of entry, a file that changes
// between the tree's reading and the writing, and the temporary output beside the setup.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/common/PeImage.h"
#include "tools/vtpack/Commands.h"
#include "tools/vtpack/PayloadTree.h"
#include "tools/vtpack/TemporaryOutput.h"

namespace fs = std::filesystem;

namespace {

class TempTree {
public:
    TempTree() {
        std::string pattern = (fs::temp_directory_path() / "vtpack_test.XXXXXX").string();
        m_root = mkdtemp(pattern.data());
    }
    ~TempTree() {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const fs::path& Root() const { return m_root; }
    fs::path operator/(const std::string& relative) const { return m_root / relative; }
    fs::path Write(const std::string& relative, const std::string& bytes) const {
        const fs::path path = m_root / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

private:
    fs::path m_root;
};

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Names(const std::vector<std::string>& problems, const fs::path& path) {
    for (const std::string& problem : problems) {
        if (problem.rfind("\"" + path.string() + "\": ", 0) == 0) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> Listing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Links are refused under their own name, whatever they point to; the files beside them are taken.
TEST(PayloadTree, EveryLinkIsAProblemNamedByItsOwnPath) {
    TempTree tree;
    tree.Write("payload/QTXPrograms/Vectrace.exe", "program");
    tree.Write("outside/secret.txt", "secret");
    const fs::path payload = tree / "payload";
    const struct {
        const char* link;
        fs::path target;
    } cases[] = {
        {"QTXPrograms/loop", payload / "QTXPrograms/loop"},  // points to itself
        {"QTXPrograms/ring1", payload / "QTXPrograms/ring2"},
        {"QTXPrograms/ring2", payload / "QTXPrograms/ring1"},
        {"QTXPrograms/dangling", payload / "QTXPrograms/gone"},
        {"QTXPrograms/to-a-file", tree / "outside/secret.txt"},
        {"to-a-folder", tree / "outside"},
        {"to-the-root", "/"},
    };
    for (const auto& c : cases) {
        fs::create_symlink(c.target, payload / c.link);
    }

    const PayloadTree read = ReadPayloadTree(payload);

    ASSERT_EQ(read.items.size(), 1u);
    EXPECT_EQ(read.items[0].name, "QTXPrograms\\Vectrace.exe");
    EXPECT_EQ(read.problems.size(), std::size(cases));
    for (const auto& c : cases) {
        EXPECT_TRUE(Names(read.problems, payload / c.link)) << c.link << ": " << testing::PrintToString(read.problems);
    }
    for (const std::string& problem : read.problems) {
        EXPECT_EQ(problem.find("secret"), std::string::npos) << problem;
    }
}

// The listing named it, then it went: a problem naming it, not an exception.
TEST(PayloadTree, EntryGoneAfterTheListingIsNamed) {
    TempTree tree;
    const fs::path gone = tree / "QTXPrograms/gone.dll";
    PayloadTree read;
    EXPECT_FALSE(TakeTreeEntry(tree.Root(), gone, read).has_value());
    EXPECT_TRUE(read.items.empty());
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_TRUE(Names(read.problems, gone)) << read.problems[0];
}

TEST(PayloadTree, PipeIsNotAFile) {
    TempTree tree;
    ASSERT_EQ(mkfifo((tree / "pipe").c_str(), 0600), 0);
    const PayloadTree read = ReadPayloadTree(tree.Root());
    EXPECT_TRUE(read.items.empty());
    EXPECT_TRUE(Names(read.problems, tree / "pipe")) << testing::PrintToString(read.problems);
}

// Between reading the tree and writing the setup a file may go, shrink or grow; the setup written
// would not hold what was checked, so nothing is written.
TEST(WriteSetup, FileChangedAfterTheTreeWasReadWritesNothing) {
    const struct {
        const char* what;
        void (*change)(const fs::path&);
    } cases[] = {
        {"removed", [](const fs::path& file) { fs::remove(file); }},
        {"shorter", [](const fs::path& file) { std::ofstream(file, std::ios::binary) << "x"; }},
        {"longer", [](const fs::path& file) { std::ofstream(file, std::ios::binary | std::ios::app) << "more"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree tree;
        tree.Write("payload/QTXPrograms/a.dll", "first file");
        const fs::path changed = tree.Write("payload/QTXPrograms/b.dll", "second file");
        const fs::path stub = tree.Write("stub.exe", "MZ stub");
        fs::create_directory(tree / "out");
        PayloadTree read = ReadPayloadTree(tree / "payload");
        ASSERT_EQ(read.items.size(), 2u);
        c.change(changed);

        testing::internal::CaptureStderr();
        const int exitCode = WriteSetup(read.items, stub.string(), (tree / "out/VtSetup.exe").string());
        const std::string errors = testing::internal::GetCapturedStderr();

        EXPECT_EQ(exitCode, 1);
        EXPECT_NE(errors.find("\"" + changed.string() + "\""), std::string::npos) << errors;
        EXPECT_TRUE(Listing(tree / "out").empty()) << testing::PrintToString(Listing(tree / "out"));
    }
}

// The checksum as pefile computes it, in 32-bit words with the carries folded at the end: another road
// to the same sum of 16-bit words. `field` is where the checksum lies, a multiple of 4.
std::uint32_t ReferenceChecksum(std::string file, std::size_t field) {
    const std::size_t length = file.size();
    file.append((4 - file.size() % 4) % 4, '\0');
    std::uint64_t sum = 0;
    for (std::size_t at = 0; at < file.size(); at += 4) {
        if (at != field) {
            sum =
                (sum & 0xFFFFFFFF) + payload::ReadLe32(reinterpret_cast<const unsigned char*>(&file[at])) + (sum >> 32);
        }
    }
    sum = (sum & 0xFFFFFFFF) + (sum >> 32);
    sum = (sum & 0xFFFF) + (sum >> 16);
    sum = (sum + (sum >> 16)) & 0xFFFF;
    return static_cast<std::uint32_t>(sum + length);
}

// The header of the setup names the checksum of the whole file, payload and padding included, where the
// stub's linker gave it one; a stub without one stays without, and nothing else of the stub changes.
TEST(WriteSetup, ChecksumIsTheWholeFilesWhereTheStubCarriesOne) {
    for (const bool plus : {false, true}) {
        for (const std::uint32_t stubChecksum : {0u, 0x2DA55u}) {
            SCOPED_TRACE(testing::Message() << (plus ? "PE32+" : "PE32") << ", stub checksum " << stubChecksum);
            TempTree tree;
            tree.Write("payload/QTXPrograms/a.dll", std::string(70001, '\xC3'));
            tree.Write("payload/QTXPrograms/b.dll", "second file");
            std::string stubBytes = testing_pe::Image(plus) + std::string(3001, '\x90');
            const std::size_t field = testing_pe::kOptionalHeader + 64;
            testing_pe::Put32(stubBytes, field, stubChecksum);
            const fs::path stub = tree.Write("stub.exe", stubBytes);
            PayloadTree read = ReadPayloadTree(tree / "payload");
            const fs::path output = tree / "VtSetup.exe";
            testing::internal::CaptureStdout();
            ASSERT_EQ(WriteSetup(read.items, stub.string(), output.string()), 0);
            testing::internal::GetCapturedStdout();

            const std::string setup = Read(output);
            const std::uint32_t written = payload::ReadLe32(reinterpret_cast<const unsigned char*>(&setup[field]));
            if (stubChecksum == 0) {
                EXPECT_EQ(written, 0u);
            } else {
                EXPECT_EQ(written, ReferenceChecksum(setup, field));
                EXPECT_NE(written, stubChecksum);
            }
            EXPECT_EQ(setup.substr(0, field), stubBytes.substr(0, field));
            EXPECT_EQ(setup.substr(field + 4, stubBytes.size() - field - 4), stubBytes.substr(field + 4));
        }
    }
}

TEST(TemporaryOutput, NewNameBesideTheOutputRemovedUnlessCommitted) {
    TempTree tree;
    const std::string output = (tree / "VtSetup.exe").string();
    std::string firstPath;
    {
        TemporaryOutput first(output);
        TemporaryOutput second(output);
        ASSERT_TRUE(first.IsOpen()) << first.Error();
        ASSERT_TRUE(second.IsOpen()) << second.Error();
        EXPECT_NE(first.Path(), second.Path());
        EXPECT_EQ(fs::path(first.Path()).parent_path(), tree.Root());
        first.Stream() << "half a setup";
        firstPath = first.Path();
        EXPECT_TRUE(fs::exists(firstPath));
    }
    EXPECT_TRUE(Listing(tree.Root()).empty());
}

TEST(TemporaryOutput, CommitRenamesWithTheUsualPermissions) {
    TempTree tree;
    const std::string output = (tree / "VtSetup.exe").string();
    const mode_t mask = umask(022);
    {
        TemporaryOutput temporary(output);
        ASSERT_TRUE(temporary.IsOpen());
        temporary.Stream() << "setup";
        ASSERT_TRUE(temporary.Commit()) << temporary.Error();
    }
    umask(mask);
    EXPECT_EQ(Read(output), "setup");
    EXPECT_EQ(fs::status(output).permissions(), fs::perms(0644));
    EXPECT_EQ(Listing(tree.Root()), std::vector<std::string>{"VtSetup.exe"});
}

// A link planted where a fixed temporary name would be does not get written through.
TEST(TemporaryOutput, PlantedLinkUnderAKnownNameIsNotFollowed) {
    TempTree tree;
    const fs::path victim = tree.Write("victim.txt", "precious");
    const std::string output = (tree / "VtSetup.exe").string();
    for (const std::string& planted : {output + ".tmp", (tree / ".VtSetup.exe.XXXXXX").string()}) {
        fs::create_symlink(victim, planted);
    }
    TemporaryOutput temporary(output);
    ASSERT_TRUE(temporary.IsOpen());
    temporary.Stream() << "setup";
    ASSERT_TRUE(temporary.Commit()) << temporary.Error();
    EXPECT_EQ(Read(victim), "precious");
    EXPECT_EQ(Read(output), "setup");
    EXPECT_TRUE(fs::is_symlink(output + ".tmp"));
}

TEST(TemporaryOutput, MissingFolderIsAnErrorNamingTheOutput) {
    TempTree tree;
    const std::string output = (tree / "missing/VtSetup.exe").string();
    TemporaryOutput temporary(output);
    EXPECT_FALSE(temporary.IsOpen());
    EXPECT_NE(temporary.Error().find(output), std::string::npos) << temporary.Error();
}

}  // namespace
