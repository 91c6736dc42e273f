// The install transaction on a file system in memory: what success leaves, that a failure at any step
// leaves everything exactly as before, and the order in which a rollback undoes the steps.
#include <gtest/gtest.h>

#include <map>
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
        if (Fails() || files.count(from) == 0 || Exists(to)) {
            return false;
        }
        files[to] = files[from];
        files.erase(from);
        log.push_back("move " + from + " -> " + to);
        return true;
    }
    bool Remove(const std::string& file) override {
        if (Fails() || files.erase(file) == 0) {
            return false;
        }
        log.push_back("remove " + file);
        return true;
    }
    unsigned long LastError() override { return 32; }

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
        transaction.Staged(file.temporary);
        disk.files[file.temporary] = file.content;
    }
    if (!transaction.Remove("C:\\I\\QTXPrograms\\Old.dll", kRollback)) {
        return false;
    }
    for (const auto& file : staged) {
        if (!transaction.Replace(file.temporary, file.destination, kRollback)) {
            return false;
        }
    }
    return true;
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
        EXPECT_TRUE(transaction.Rollback().empty());

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

    EXPECT_TRUE(transaction.Rollback().empty());

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
}

// Nothing the rollback cannot undo is hidden: each such path is named, and the rest is still undone.
TEST(Transaction, RollbackNamesWhatItCouldNotPutBackAndUndoesTheRest) {
    MemoryFiles disk = FirstVersion();
    Transaction transaction(disk);
    ASSERT_TRUE(InstallSecondVersion(transaction, disk));
    disk.failAt = 1;  // the second undo: Readme.txt cannot be moved back

    EXPECT_EQ(transaction.Rollback(), std::vector<std::string>{"C:\\I\\Readme.txt"});

    EXPECT_EQ(disk.files.at("C:\\I\\QTXPrograms\\Vectrace.exe"), "v1 program");
    EXPECT_EQ(disk.files.at("C:\\I\\QTXPrograms\\Old.dll"), "v1 only");
    EXPECT_EQ(disk.files.count("C:\\I\\Readme.txt"), 0u);
    EXPECT_EQ(disk.files.at("C:\\I\\~vtsetup.rollback\\3"), "v1 readme");  // still there to be found
}

// A killed run's file in the rollback folder is passed over, never moved onto; a file that is not
// there is nothing to delete; a folder that exists is not made and so not removed by a rollback.
TEST(Transaction, LeavesWhatItDidNotMake) {
    MemoryFiles disk = FirstVersion();
    disk.folders.insert("C:\\I\\~vtsetup.rollback");
    disk.files["C:\\I\\~vtsetup.rollback\\1"] = "a killed run's";
    Transaction transaction(disk);

    EXPECT_TRUE(transaction.MakeFolder("C:\\I\\QTXPrograms"));
    EXPECT_TRUE(transaction.Remove("C:\\I\\Missing.dll", kRollback));
    EXPECT_TRUE(transaction.Empty());
    ASSERT_TRUE(transaction.Remove("C:\\I\\Readme.txt", kRollback));
    EXPECT_EQ(disk.files.at("C:\\I\\~vtsetup.rollback\\2"), "v1 readme");
    EXPECT_EQ(disk.files.at("C:\\I\\~vtsetup.rollback\\1"), "a killed run's");

    EXPECT_TRUE(transaction.Rollback().empty());
    EXPECT_EQ(disk.files.at("C:\\I\\Readme.txt"), "v1 readme");
    EXPECT_EQ(disk.folders.count("C:\\I\\QTXPrograms"), 1u);
}

}  // namespace
