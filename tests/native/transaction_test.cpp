// The install transaction on a file system in memory: what success leaves, that a failure at any step
// leaves everything exactly as before, and the order in which a rollback undoes the steps.
#include <gtest/gtest.h>

#include <map>
#include <string_view>
#include <set>
#include <string>
#include <vector>

#include "install/Transaction.h"

namespace {

using install::Transaction;
using install::TransactionFiles;

// Folders are kept without their trailing "\"; every changing call is logged, and the failAt-th one
// (counting from 0) fails.
class MemoryFiles : public TransactionFiles {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::vector<std::string> log;
    int failAt = -1;

    bool Exists(const std::string& path) override { return files.count(path) != 0 || folders.count(Folder(path)) != 0; }
    bool MakeFolder(const std::string& folder, FolderKind kind) override {
        if (Fails() || Exists(folder)) {
            return false;
        }
        folders.insert(Folder(folder));
        log.push_back(std::string(kind == FolderKind::Hidden ? "make hidden " : "make ") + Folder(folder));
        return true;
    }
    bool RemoveFolder(const std::string& folder) override {
        const std::string name = Folder(folder);
        for (const auto& [path, content] : files) {
            if (path.rfind(name + "\\", 0) == 0) {
                return false;  // not empty
            }
        }
        if (Fails() || folders.erase(name) == 0) {
            return false;
        }
        log.push_back("rmdir " + name);
        return true;
    }
    bool Move(const std::string& from, const std::string& to) override {
        if (stuck.count(from) || stuck.count(to) || Fails() || files.count(from) == 0 || Exists(to)) {
            return false;
        }
        files[to] = files[from];
        files.erase(from);
        log.push_back("move " + from + " -> " + to);
        return true;
    }
    bool Remove(const std::string& file) override {
        if (stuck.count(file) || Fails() || files.erase(file) == 0) {
            return false;
        }
        log.push_back("remove " + file);
        return true;
    }
    unsigned long LastError() override { return 32; }
    bool OpenJournal(const std::string& path) override {
        if (Exists(path)) {
            return false;
        }
        journalPath = path;
        files[path] = std::string();
        return true;
    }
    bool WriteJournal(std::string_view line) override {
        files[journalPath].append(line);
        return true;
    }
    void CloseJournal() override {}
    void Wait(unsigned milliseconds) override {
        waited += milliseconds;
        if (healAfter >= 0 && waited >= static_cast<unsigned>(healAfter)) {
            failAt = -1;
            stuck.clear();
        }
    }

    std::string journalPath;
    unsigned waited = 0;
    int healAfter = -1;  // the failing calls succeed after this many milliseconds of waiting
    std::set<std::string> stuck;  // files no call may remove or move

private:
    static std::string Folder(const std::string& path) {
        return !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
    }
    bool Fails() { return failAt >= 0 && failAt-- == 0; }
};

const std::string kRollback = "C:\\I\\~vtsetup.rollback\\";

MemoryFiles FirstVersion() {
    MemoryFiles disk;
    disk.folders = {"C:\\I", "C:\\I\\QTXPrograms"};
    disk.files = {
        {"C:\\I\\QTXPrograms\\Vectrace.exe", "v1 program"},
        {"C:\\I\\QTXPrograms\\Old.dll", "v1 only"},
        {"C:\\I\\Readme.txt", "v1 readme"},
    };
    return disk;
}

// The second version as an install branch writes it: a new folder, three files staged and written,
// one file deleted, then everything moved into place. False at the first step that fails.
bool InstallSecondVersion(Transaction& transaction, MemoryFiles& disk) {
    if (!transaction.MakeFolder("C:\\I\\QTXCfg")) {
        return false;
    }
    const struct {
        const char* temporary;
        const char* destination;
        const char* content;
    } staged[] = {
        {"C:\\I\\QTXPrograms\\~vtsetup0.tmp", "C:\\I\\QTXPrograms\\Vectrace.exe", "v2 program"},
        {"C:\\I\\QTXCfg\\~vtsetup1.tmp", "C:\\I\\QTXCfg\\SoftCfg.ini", "v2 settings"},
        {"C:\\I\\~vtsetup2.tmp", "C:\\I\\Readme.txt", "v2 readme"},
    };
    for (const auto& file : staged) {
        transaction.Creating(file.temporary);
        disk.files[file.temporary] = file.content;
        transaction.Staged(file.temporary);
    }
    if (!transaction.PlanRemove("C:\\I\\QTXPrograms\\Old.dll", kRollback)) {
        return false;
    }
    for (const auto& file : staged) {
        if (!transaction.PlanReplace(file.temporary, file.destination, kRollback)) {
            return false;
        }
    }
    return transaction.Commit();
}

std::vector<std::string> NotRestored(const Transaction& transaction) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < transaction.NotRestoredCount(); ++i) {
        paths.push_back(transaction.NotRestoredPath(i));
    }
    return paths;
}

TEST(Transaction, SuccessLeavesTheNewFilesAndNothingOfTheRollback) {
    MemoryFiles disk = FirstVersion();
    Transaction transaction(disk);

    ASSERT_TRUE(InstallSecondVersion(transaction, disk));
    transaction.Finish();

    EXPECT_EQ(disk.files, (std::map<std::string, std::string>{
                              {"C:\\I\\QTXCfg\\SoftCfg.ini", "v2 settings"},
                              {"C:\\I\\QTXPrograms\\Vectrace.exe", "v2 program"},
                              {"C:\\I\\Readme.txt", "v2 readme"},
                          }));
    EXPECT_EQ(disk.folders, (std::set<std::string>{"C:\\I", "C:\\I\\QTXCfg", "C:\\I\\QTXPrograms"}));
    EXPECT_TRUE(transaction.Empty());
}

// Whichever step fails, the disk is the first version again, byte for byte and folder for folder.
TEST(Transaction, AFailureAtAnyStepLeavesTheFirstVersionExactly) {
    MemoryFiles counted = FirstVersion();
    Transaction counting(counted);
    ASSERT_TRUE(InstallSecondVersion(counting, counted));
    const int steps = static_cast<int>(counted.log.size());
    ASSERT_EQ(steps, 8);  // two folders, three files moved aside, three moved in

    for (int failing = 0; failing < steps; ++failing) {
        SCOPED_TRACE("failing step " + std::to_string(failing) + ": " + counted.log[failing]);
        MemoryFiles disk = FirstVersion();
        disk.failAt = failing;
        Transaction transaction(disk);

        EXPECT_FALSE(InstallSecondVersion(transaction, disk));
        EXPECT_FALSE(transaction.FailedPath().empty());
        EXPECT_EQ(transaction.FailedError(), 32u);
        transaction.Rollback();
        EXPECT_EQ(transaction.NotRestoredCount(), 0u);

        const MemoryFiles first = FirstVersion();
        EXPECT_EQ(disk.files, first.files);
        EXPECT_EQ(disk.folders, first.folders);
    }
}

// The last step first: a moved-in file goes before the file it replaced comes back, and a folder goes
// only after what was put into it.
TEST(Transaction, RollbackUndoesTheLastStepFirst) {
    MemoryFiles disk = FirstVersion();
    Transaction transaction(disk);
    ASSERT_TRUE(InstallSecondVersion(transaction, disk));
    disk.log.clear();

    transaction.Rollback();

    EXPECT_EQ(transaction.NotRestoredCount(), 0u);
    EXPECT_EQ(disk.log, (std::vector<std::string>{
                            "remove C:\\I\\Readme.txt",
                            "move C:\\I\\~vtsetup.rollback\\3 -> C:\\I\\Readme.txt",
                            "remove C:\\I\\QTXCfg\\SoftCfg.ini",
                            "remove C:\\I\\QTXPrograms\\Vectrace.exe",
                            "move C:\\I\\~vtsetup.rollback\\2 -> C:\\I\\QTXPrograms\\Vectrace.exe",
                            "move C:\\I\\~vtsetup.rollback\\1 -> C:\\I\\QTXPrograms\\Old.dll",
                            "rmdir C:\\I\\~vtsetup.rollback",
                            "rmdir C:\\I\\QTXCfg",
                        }));
    EXPECT_EQ(disk.waited, 0u);
}

// A file held for a moment (a virus scanner opens new programs) is tried again and the rollback
// completes; one held for longer than two seconds is named with where its original stays, and the
// rest is still undone.
TEST(Transaction, RollbackRetriesForTwoSecondsThenNamesWhereTheOriginalStays) {
    {
        MemoryFiles disk = FirstVersion();
        Transaction transaction(disk);
        ASSERT_TRUE(InstallSecondVersion(transaction, disk));
        disk.stuck = {"C:\\I\\QTXPrograms\\Vectrace.exe"};
        disk.healAfter = 1000;

        transaction.Rollback();

        EXPECT_EQ(transaction.NotRestoredCount(), 0u);
        EXPECT_EQ(disk.waited, 1000u);
        EXPECT_EQ(disk.files, FirstVersion().files);
    }
    {
        MemoryFiles disk = FirstVersion();
        Transaction transaction(disk);
        ASSERT_TRUE(InstallSecondVersion(transaction, disk));
        disk.stuck = {"C:\\I\\~vtsetup.rollback\\3"};  // Readme.txt cannot be moved back

        transaction.Rollback();

        ASSERT_EQ(NotRestored(transaction), std::vector<std::string>{"C:\\I\\Readme.txt"});
        EXPECT_EQ(transaction.NotRestoredStandsAt(0), "C:\\I\\~vtsetup.rollback\\3");
        EXPECT_EQ(disk.waited, install::kRetryMilliseconds);
        EXPECT_EQ(disk.files.at("C:\\I\\QTXPrograms\\Vectrace.exe"), "v1 program");
        EXPECT_EQ(disk.files.at("C:\\I\\QTXPrograms\\Old.dll"), "v1 only");
        EXPECT_EQ(disk.files.count("C:\\I\\Readme.txt"), 0u);
        EXPECT_EQ(disk.files.at("C:\\I\\~vtsetup.rollback\\3"), "v1 readme");  // still there to be found
    }
}

// A killed run's file in the rollback folder is passed over, never moved onto; a file that is not
// there is nothing to delete; a folder that exists is not made and so not removed by a rollback.
TEST(Transaction, LeavesWhatItDidNotMake) {
    MemoryFiles disk = FirstVersion();
    disk.folders.insert("C:\\I\\~vtsetup.rollback");
    disk.files["C:\\I\\~vtsetup.rollback\\1"] = "a killed run's";
    Transaction transaction(disk);

    EXPECT_TRUE(transaction.MakeFolder("C:\\I\\QTXPrograms"));
    EXPECT_TRUE(transaction.PlanRemove("C:\\I\\Missing.dll", kRollback));
    EXPECT_TRUE(transaction.Empty());
    ASSERT_TRUE(transaction.PlanRemove("C:\\I\\Readme.txt", kRollback));
    ASSERT_TRUE(transaction.Commit());
    EXPECT_EQ(disk.files.at("C:\\I\\~vtsetup.rollback\\2"), "v1 readme");
    EXPECT_EQ(disk.files.at("C:\\I\\~vtsetup.rollback\\1"), "a killed run's");

    transaction.Rollback();
    EXPECT_EQ(transaction.NotRestoredCount(), 0u);
    EXPECT_EQ(disk.files.at("C:\\I\\Readme.txt"), "v1 readme");
    EXPECT_EQ(disk.folders.count("C:\\I\\QTXPrograms"), 1u);
}

// What a run killed at some point leaves, and what the next run's replay of its journal makes of it.
MemoryFiles killedAt;
MemoryFiles* watched = nullptr;
std::size_t killAfterMoves = 0;

// The disk as a run killed right after that move leaves it.
void SnapshotAfterMoves(std::size_t moved) {
    if (moved == killAfterMoves) {
        killedAt = *watched;
    }
}

struct Replayed : install::JournalReport {
    std::vector<std::string> restored, removed, stays;
    void Restored(const std::string& path) override { restored.push_back(path); }
    void Removed(const std::string& path) override { removed.push_back(path); }
    void Stays(const std::string& path, const std::string& standsAt) override { stays.push_back(path + " at " + standsAt); }
};

const std::string kJournal = kRollback + "journal1";

// Killed after any number of moves of the commit: the replay puts back every original, removes the
// temporary files, and leaves the new file that had no original (the next run writes it again).
TEST(Transaction, AJournalOfARunKilledWhileItMovedPutsEveryOriginalBack) {
    for (std::size_t moves = 1; moves <= 6; ++moves) {
        SCOPED_TRACE("killed after move " + std::to_string(moves));
        MemoryFiles disk = FirstVersion();
        {
            Transaction transaction(disk);
            ASSERT_TRUE(transaction.Begin(kRollback));
            killAfterMoves = moves;
            watched = &disk;
            Transaction::SetMoveHook(&SnapshotAfterMoves);
            EXPECT_TRUE(InstallSecondVersion(transaction, disk));
            Transaction::SetMoveHook(nullptr);
        }
        MemoryFiles next = killedAt;
        Replayed report;
        EXPECT_TRUE(install::ReplayJournal(next, next.files.at(kJournal), report));
        next.files.erase(kJournal);

        std::map<std::string, std::string> expected = FirstVersion().files;
        if (next.files.count("C:\\I\\QTXCfg\\SoftCfg.ini")) {
            expected["C:\\I\\QTXCfg\\SoftCfg.ini"] = "v2 settings";
        }
        EXPECT_EQ(next.files, expected);
        EXPECT_TRUE(report.stays.empty());
    }
}

// Killed while it wrote the temporary files: exactly those the journal names go; a name it took back
// and a file named like a temporary one that no journal names stay.
TEST(Transaction, AJournalOfARunKilledWhileItWroteRemovesOnlyTheFilesItNames) {
    MemoryFiles disk = FirstVersion();
    disk.files["C:\\I\\QTXPrograms\\~vtsetup7.tmp"] = "someone else's";
    disk.files["C:\\I\\QTXPrograms\\~vtsetup1.tmp"] = "read-only, a killed run's of long ago";
    Transaction transaction(disk);
    ASSERT_TRUE(transaction.Begin(kRollback));
    transaction.Creating("C:\\I\\QTXPrograms\\~vtsetup0.tmp");
    disk.files["C:\\I\\QTXPrograms\\~vtsetup0.tmp"] = "v2 program, half";
    transaction.Staged("C:\\I\\QTXPrograms\\~vtsetup0.tmp");
    transaction.Creating("C:\\I\\QTXPrograms\\~vtsetup1.tmp");  // taken meanwhile
    transaction.NotCreated("C:\\I\\QTXPrograms\\~vtsetup1.tmp");

    Replayed report;
    EXPECT_TRUE(install::ReplayJournal(disk, disk.files.at(kJournal), report));
    EXPECT_EQ(report.removed, std::vector<std::string>{"C:\\I\\QTXPrograms\\~vtsetup0.tmp"});
    EXPECT_EQ(disk.files.at("C:\\I\\QTXPrograms\\~vtsetup7.tmp"), "someone else's");
    EXPECT_EQ(disk.files.at("C:\\I\\QTXPrograms\\~vtsetup1.tmp"), "read-only, a killed run's of long ago");
}

// A rollback that could not put an original back keeps the journal that names it; the next run puts
// it back (after removing the new file standing in its place, which that run moved there). A journal
// of a commit that completed deletes the originals instead.
TEST(Transaction, AJournalNamingAnOriginalNotPutBackRestoresItOnTheNextRun) {
    MemoryFiles disk = FirstVersion();
    {
        Transaction transaction(disk);
        ASSERT_TRUE(transaction.Begin(kRollback));
        ASSERT_TRUE(InstallSecondVersion(transaction, disk));
        disk.stuck = {"C:\\I\\Readme.txt"};
        transaction.Rollback();
        ASSERT_EQ(transaction.NotRestoredCount(), 2u);  // the new file stands, the original is aside
    }
    ASSERT_EQ(disk.files.count(kJournal), 1u);
    disk.stuck.clear();
    Replayed report;
    EXPECT_TRUE(install::ReplayJournal(disk, disk.files.at(kJournal), report));
    EXPECT_EQ(report.restored, std::vector<std::string>{"C:\\I\\Readme.txt"});
    disk.files.erase(kJournal);
    EXPECT_EQ(disk.files, FirstVersion().files);

    MemoryFiles done = FirstVersion();
    Transaction transaction(done);
    ASSERT_TRUE(transaction.Begin(kRollback));
    ASSERT_TRUE(InstallSecondVersion(transaction, done));
    done.files[kJournal] += "C\r\n";  // killed while it deleted what was moved aside
    Replayed afterCommit;
    EXPECT_TRUE(install::ReplayJournal(done, done.files.at(kJournal), afterCommit));
    EXPECT_TRUE(afterCommit.restored.empty());
    EXPECT_EQ(afterCommit.removed.size(), 3u);
    EXPECT_EQ(done.files.at("C:\\I\\Readme.txt"), "v2 readme");
}

}  // namespace
