// The extractors on real files of a Wine prefix: what lands where, and every way an archive or a
// destination can make them stop.
#include <gtest/gtest.h>

#include "payload/PayloadExtractor_win.h"
#include "payload/PayloadFormat.h"
#include "payload/SetupFile_win.h"
#include "tests/common/ArchiveBytes.h"
#include "tests/win/WineTestSupport_win.h"

namespace ta = testing_archive;
using payload::Selection;
using wintest::TempFolder;

namespace {

std::string Pattern(std::size_t size, char seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(seed + i * 7 + i / 251);
    }
    return bytes;
}

struct Extracted {
    int result;
    ExtractFailure failure;
};

Extracted Extract(const std::string& archive,
                  const std::string& destination,
                  Selection selection,
                  const TempFolder& work) {
    const std::string archivePath = work / "setup.bin";
    EXPECT_TRUE(wintest::WriteWholeFile(archivePath, archive));
    Extracted extracted{};
    CFile file;
    EXPECT_TRUE(file.Open(archivePath, CFile::Mode::Read, FILE_SHARE_READ));
    extracted.result = ExtractArchiveFiles(&file, destination, selection, &extracted.failure);
    return extracted;
}

using wintest::Content;

}  // namespace

TEST(PayloadExtractor, EntriesArriveByteForByteWhateverTheirSize) {
    // Sizes around the copy buffer show a chunk boundary error as a wrong byte.
    const ta::Entries entries = {
        {"top.txt", "t"},
        {"QTXPrograms\\one.bin", "1"},
        {"QTXPrograms\\buffer.bin", Pattern(payload::kCopyBufferSize, 'a')},
        {"QTXPrograms\\buffer+1.bin", Pattern(payload::kCopyBufferSize + 1, 'b')},
        {"QTXPrograms\\large.bin", Pattern(3 * payload::kCopyBufferSize + 12345, 'c')},
        {"QTXDriver\\i.exe", "driver"},
        {"QTXDriver\\amd64\\w.dll", "64"},
    };
    TempFolder work, destination;
    const Extracted extracted = Extract(ta::Build(entries), destination.Path(), Selection::Payload, work);
    ASSERT_EQ(extracted.result, 1);
    for (const auto& [name, data] : entries) {
        EXPECT_TRUE(Content(destination / name) == data) << name;
    }
    EXPECT_EQ(wintest::ListFiles(destination.Path()).size(), entries.size());
}

TEST(PayloadExtractor, EachExtractorTakesItsOwnFolders) {
    const ta::Entries entries = {
        {"MxDriver\\a.sys", "a"},         {"mxdriver\\c.txt", "c"},
        {"MxDriver\\sub\\b.txt", "b"},    {"QTXDriver\\i.exe", "i"},
        {"QTXDriver\\amd64\\x.dll", "x"}, {"QTXDriver\\x86\\y.dll", "y"},
        {"QTXDriver\\ia64\\z.dll", "z"},  {"QTXPrograms\\p.exe", "p"},
        {"Contour\\k.dat", "k"},          {"top.txt", "t"},
    };
    const struct {
        const char* name;
        bool byPayload;
        bool byDrivers;
    } expected[] = {
        {"MxDriver\\a.sys", false, true},        {"MxDriver\\c.txt", true, false},
        {"MxDriver\\sub\\b.txt", true, false},   {"QTXDriver\\i.exe", true, true},
        {"QTXDriver\\amd64\\x.dll", true, true}, {"QTXDriver\\x86\\y.dll", true, true},
        {"QTXDriver\\ia64\\z.dll", true, false}, {"QTXPrograms\\p.exe", true, false},
        {"Contour\\k.dat", false, false},        {"top.txt", true, false},
    };
    const std::string archive = ta::Build(entries);
    for (Selection selection : {Selection::Payload, Selection::Drivers}) {
        TempFolder work, destination;
        // The sub-folder of "MxDriver" needs its parent, which the application install never creates.
        CreateDirectoryA((destination / "MxDriver").c_str(), nullptr);
        ASSERT_EQ(Extract(archive, destination.Path(), selection, work).result, 1);
        for (const auto& e : expected) {
            const bool wanted = selection == Selection::Payload ? e.byPayload : e.byDrivers;
            EXPECT_EQ(wintest::Exists(destination / e.name), wanted)
                << e.name
                << (selection == Selection::Payload ? " by the payload extractor" : " by the driver extractor");
        }
    }
}

TEST(PayloadExtractor, BrokenArchivesStopAndKeepWhatCameBefore) {
    const std::string good = ta::Build({{"first.txt", "11111"}, {"second.txt", "22222"}, {"third.txt", "33333"}});
    const std::uint32_t second = ta::Offset(good, 1);
    auto patched = [&](auto change) {
        std::string bytes = good;
        change(bytes);
        return bytes;
    };
    std::string contourOnly;
    {
        ta::Entries entries;
        for (std::uint32_t i = 0; i < payload::kMaxEntryCount; ++i) {
            entries.emplace_back("Contour\\c" + std::to_string(i), "x");
        }
        contourOnly = ta::Build(entries);
    }
    std::string truncatedTable = ta::BareTable(3);
    truncatedTable.erase(0, 4);
    const struct {
        const char* what;
        std::string bytes;
        int result;
        std::vector<std::string> files;
    } cases[] = {
        {"only the sentinel", ta::Build({}), 1, {}},
        {"7749 entries, all skipped", contourOnly, 1, {}},
        {"count 0", patched([](std::string& b) { ta::SetCount(b, 0); }), 0, {}},
        {"count 7751", patched([](std::string& b) { ta::SetCount(b, 7751); }), 0, {}},
        {"file of three bytes", "abc", 0, {}},
        {"table longer than the file", truncatedTable, 0, {}},
        {"last entry ends at the file end",
         patched([](std::string& b) { ta::SetOffset(b, 3, static_cast<std::uint32_t>(b.size())); }),
         0,
         {"first.txt", "second.txt"}},
        {"second entry without data",
         patched([&](std::string& b) { ta::SetOffset(b, 1, ta::Offset(b, 0) + 400); }),
         0,
         {}},
        {"third entry without data",
         patched([&](std::string& b) { ta::SetOffset(b, 2, second + 400); }),
         0,
         {"first.txt"}},
        {"descending offset", patched([&](std::string& b) { ta::SetOffset(b, 2, second - 10); }), 0, {"first.txt"}},
    };
    for (const auto& c : cases) {
        TempFolder work, destination;
        const Extracted extracted = Extract(c.bytes, destination.Path(), Selection::Payload, work);
        EXPECT_EQ(extracted.result, c.result) << c.what;
        EXPECT_EQ(wintest::ListFiles(destination.Path()), c.files) << c.what;
        if (c.result == 0) {
            EXPECT_EQ(extracted.failure.kind, ExtractFailure::Kind::BadArchive) << c.what;
        }
    }
}

TEST(PayloadExtractor, NestedFolderBeforeItsParentFails) {
    TempFolder work, destination;
    const Extracted extracted = Extract(ta::Build({{"QTXDriver\\amd64\\w.dll", "w"}, {"QTXDriver\\i.exe", "i"}}),
                                        destination.Path(), Selection::Payload, work);
    EXPECT_EQ(extracted.result, 0);
    EXPECT_EQ(extracted.failure.kind, ExtractFailure::Kind::CreateFile);
    EXPECT_EQ(extracted.failure.path, destination / "QTXDriver\\amd64\\w.dll");
    EXPECT_TRUE(wintest::ListFiles(destination.Path()).empty());
}

TEST(PayloadExtractor, UnsafeNamesWriteNothingOutsideTheDestination) {
    for (const char* unsafe :
         {"..\\escaped.txt", "QTXPrograms\\..\\..\\escaped.txt", "QTXPrograms/../../escaped.txt", "\\escaped.txt"}) {
        TempFolder work, outer;
        const std::string destination = outer / "dest\\";
        CreateDirectoryA(destination.c_str(), nullptr);
        const Extracted extracted =
            Extract(ta::Build({{"QTXPrograms\\ok.txt", "ok"}, {unsafe, "bad"}}), destination, Selection::Payload, work);
        EXPECT_EQ(extracted.result, 0) << unsafe;
        EXPECT_EQ(extracted.failure.kind, ExtractFailure::Kind::UnsafeName) << unsafe;
        EXPECT_EQ(wintest::ListFiles(outer.Path()), std::vector<std::string>{"dest\\QTXPrograms\\ok.txt"}) << unsafe;
    }
}

// "aux.txt" would go to the serial port (the laser's, perhaps), not into a file; the others would be
// refused by Windows or written under another name.
TEST(PayloadExtractor, NamesWindowsReadsSpeciallyAreNotWritten) {
    for (const char* special : {"QTXDoc\\aux.txt", "CON", "COM1.log", "QTXDoc\\lpt1", "QTXDoc\\a|b.txt", "a<b",
                                "a?.txt", "a\x01.txt", "QTXDoc\\a.txt.", "QTXDoc\\a.txt ", "QTXDoc.\\a.txt"}) {
        TempFolder work, destination;
        const Extracted extracted = Extract(ta::Build({{"QTXDoc\\ok.txt", "ok"}, {special, "bad"}}), destination.Path(),
                                            Selection::Payload, work);
        EXPECT_EQ(extracted.result, 0) << special;
        EXPECT_EQ(extracted.failure.kind, ExtractFailure::Kind::UnsafeName) << special;
        EXPECT_EQ(wintest::ListFiles(destination.Path()), std::vector<std::string>{"QTXDoc\\ok.txt"}) << special;
    }
}

TEST(PayloadExtractor, FileHeldOpenByAnotherProcessStopsTheExtraction) {
    TempFolder work, destination;
    CreateDirectoryA((destination / "QTXPrograms").c_str(), nullptr);
    wintest::FileHolder holder(destination / "QTXPrograms\\Vectrace.exe");
    ASSERT_TRUE(holder.Holding());
    const Extracted extracted =
        Extract(ta::Build({{"QTXPrograms\\a.dll", "a"}, {"QTXPrograms\\Vectrace.exe", "new"}, {"QTXPrograms\\z", "z"}}),
                destination.Path(), Selection::Payload, work);
    EXPECT_EQ(extracted.result, 0);
    EXPECT_EQ(extracted.failure.kind, ExtractFailure::Kind::CreateFile);
    EXPECT_EQ(extracted.failure.systemError, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(Content(destination / "QTXPrograms\\a.dll"), "a");
    EXPECT_FALSE(wintest::Exists(destination / "QTXPrograms\\z"));
}

TEST(PayloadExtractor, FullDiskIsAFailureWithTheSystemsReason) {
    if (!wintest::Exists("S:\\")) {
        GTEST_SKIP() << "no small drive S: in this prefix";
    }
    TempFolder work;
    const std::string destination = "S:\\full\\";
    wintest::RemoveTree(destination);
    CreateDirectoryA(destination.c_str(), nullptr);
    const Extracted extracted = Extract(ta::Build({{"small.txt", "s"}, {"big.bin", Pattern(1 << 20, 'f')}}),
                                        destination, Selection::Payload, work);
    EXPECT_EQ(extracted.result, 0);
    EXPECT_EQ(extracted.failure.kind, ExtractFailure::Kind::Write);
    EXPECT_EQ(extracted.failure.path, destination + "big.bin");
    EXPECT_EQ(extracted.failure.systemError, static_cast<DWORD>(ERROR_DISK_FULL));
    EXPECT_EQ(Content(destination + "small.txt"), "s");
    wintest::RemoveTree(destination);
}

TEST(PayloadExtractor, MissingArchiveIsReported) {
    TempFolder destination;
    ExtractFailure failure;
    EXPECT_EQ(ExtractArchiveFiles(nullptr, destination.Path(), Selection::Payload, &failure), 0);
    EXPECT_EQ(failure.kind, ExtractFailure::Kind::OpenArchive);
    // The running program never opened its own file: the listing an installation plans from and the
    // driver extraction both refuse, and nothing is written.
    std::vector<ArchiveFile> files;
    failure = ExtractFailure();
    EXPECT_FALSE(ListArchiveFiles(RunningSetupFile(), Selection::Payload, &files, &failure));
    EXPECT_EQ(failure.kind, ExtractFailure::Kind::OpenArchive);
    EXPECT_TRUE(files.empty());
    EXPECT_EQ(ExtractDriverFiles(destination.Path(), &failure), 0);
    EXPECT_EQ(failure.kind, ExtractFailure::Kind::OpenArchive);
    EXPECT_TRUE(wintest::ListFiles(destination.Path()).empty());
}

TEST(PayloadExtractor, ProgramExtractsTheArchiveBehindItsOwnImage) {
    std::string image;
    ASSERT_TRUE(wintest::ReadWholeFile(wintest::ProgramFolder() + "vt_extract_self.exe", image));
    const ta::Entries entries = {{"MxDriver\\u.exe", "u"}, {"QTXDriver\\i.exe", "i"}, {"QTXPrograms\\v.exe", "v"}};
    TempFolder work;
    const std::string program = work / "carrier.exe";
    ASSERT_TRUE(wintest::WriteWholeFile(program, ta::Build(entries, image)));
    const struct {
        const char* selection;
        std::vector<std::string> files;
    } cases[] = {
        {"payload", {"QTXDriver\\i.exe", "QTXPrograms\\v.exe"}},
        {"drivers", {"MxDriver\\u.exe", "QTXDriver\\i.exe"}},
    };
    for (const auto& c : cases) {
        TempFolder destination;
        // A "\" before the closing quote must be doubled, or it escapes the quote.
        EXPECT_EQ(wintest::RunAndWait("\"" + program + "\" \"" + destination.Path() + "\\\" " + c.selection), 1);
        EXPECT_EQ(wintest::ListFiles(destination.Path()), c.files) << c.selection;
    }
}

// The one listing of the archive: what an installation plans from and what the driver installation checks
// for links. The selected entries in table order with their data's place, or why there are none.
TEST(ListArchiveFiles, SelectedEntriesInTableOrderOrWhyNot) {
    const ta::Entries entries = {
        {"MxDriver\\a.sys", "aa"}, {"QTXPrograms\\p.exe", "ppp"}, {"QTXDriver\\i.exe", "i"}, {"top.txt", "tttt"}};
    TempFolder work;
    const std::string archivePath = work / "setup.bin";
    ASSERT_TRUE(wintest::WriteWholeFile(archivePath, ta::Build(entries)));
    CFile file;
    ASSERT_TRUE(file.Open(archivePath, CFile::Mode::Read, FILE_SHARE_READ));
    const struct {
        Selection selection;
        std::vector<std::string> names;
    } cases[] = {
        {Selection::Payload, {"QTXPrograms\\p.exe", "QTXDriver\\i.exe", "top.txt"}},
        {Selection::Drivers, {"MxDriver\\a.sys", "QTXDriver\\i.exe"}},
    };
    for (const auto& c : cases) {
        std::vector<ArchiveFile> files;
        ExtractFailure failure;
        ASSERT_TRUE(ListArchiveFiles(&file, c.selection, &files, &failure));
        EXPECT_EQ(failure.kind, ExtractFailure::Kind::None);
        std::vector<std::string> names;
        for (const ArchiveFile& listed : files) {
            names.push_back(listed.name);
            std::string data(listed.dataSize, '\0');
            ASSERT_TRUE(file.Seek(listed.dataOffset) && file.Read(data.data(), listed.dataSize)) << listed.name;
            for (const auto& [name, bytes] : entries) {
                if (name == listed.name) {
                    EXPECT_EQ(data, bytes) << name;
                }
            }
        }
        EXPECT_EQ(names, c.names);
    }

    // Cut short, as by a broken download: no entry, and the archive named as broken.
    std::string cut = ta::Build(entries);
    cut.resize(cut.size() - 3);
    ASSERT_TRUE(wintest::WriteWholeFile(work / "cut.bin", cut));
    CFile cutFile;
    ASSERT_TRUE(cutFile.Open(work / "cut.bin", CFile::Mode::Read, FILE_SHARE_READ));
    std::vector<ArchiveFile> files = {{"stale", 0, 0}};
    ExtractFailure failure;
    EXPECT_FALSE(ListArchiveFiles(&cutFile, Selection::Payload, &files, &failure));
    EXPECT_EQ(failure.kind, ExtractFailure::Kind::BadArchive);
    EXPECT_EQ(failure.path, work / "cut.bin");
    EXPECT_TRUE(files.empty());
}
