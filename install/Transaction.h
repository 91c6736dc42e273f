#pragma once
// An install branch's changes on disk, each one recorded as it is made so that all of them can be
// undone until the branch has succeeded. New files are written under temporary names beside their
// destinations (staged); at the end each one is moved into place, and a file it replaces, or a file
// the branch deletes, is first moved aside into a rollback folder on the same volume. Success deletes
// what was moved aside; a failure, or a stop asked for between two files, undoes every step, the last
// one first: new files removed, moved files put back, made folders removed when empty.

#include <string>
#include <vector>

namespace install {

// The file-system calls a transaction makes: the system's in install/TransactionFiles_win.h.
class TransactionFiles {
public:
    enum class FolderKind { Plain, Protected, Hidden };

    virtual bool Exists(const std::string& path) = 0;
    // One level; Protected gets Program Files' permissions, Hidden the hidden attribute.
    virtual bool MakeFolder(const std::string& folder, FolderKind kind) = 0;
    virtual bool RemoveFolder(const std::string& folder) = 0;               // only an empty one
    virtual bool Move(const std::string& from, const std::string& to) = 0;  // never over an existing file
    virtual bool Remove(const std::string& file) = 0;                       // a read-only one too
    // The system's reason for the last call that failed.
    virtual unsigned long LastError() = 0;

protected:
    ~TransactionFiles() = default;
};

class Transaction {
public:
    explicit Transaction(TransactionFiles& files) : m_files(files) {}
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Makes the folder when it is missing. False names it as the failure.
    bool MakeFolder(const std::string& folder, TransactionFiles::FolderKind kind = TransactionFiles::FolderKind::Plain);
    // Whether this transaction made `folder` (without a trailing "\"): nothing of an earlier
    // installation stands in it, so a new file there may be written under its own name.
    bool Made(const std::string& folder) const;
    // A new file about to be written: under a temporary name, or under its own in a folder made here.
    void Staged(const std::string& temporary);
    // Moves `temporary` to `destination`, an existing destination aside into `rollbackFolder` (ending
    // in "\", made on first use) before. False names the destination as the failure.
    bool Replace(const std::string& temporary, const std::string& destination, const std::string& rollbackFolder);
    // Moves an existing file aside into `rollbackFolder`; a missing one is nothing to do.
    bool Remove(const std::string& path, const std::string& rollbackFolder);

    // The branch succeeded: deletes what was moved aside, then the rollback folders.
    void Finish();
    // The branch failed or was stopped: undoes every step, the last one first. The paths that could not
    // be put back as they were, in that order; empty when everything is as before.
    std::vector<std::string> Rollback();

    // The file of the last failed call and the system's reason.
    const std::string& FailedPath() const { return m_failedPath; }
    unsigned long FailedError() const { return m_failedError; }
    // Whether anything was changed yet.
    bool Empty() const { return m_steps.empty(); }

private:
    enum class Kind : unsigned char {
        MadeFolder,  // path: the folder
        Staged,      // path: the temporary file
        MovedAside,  // path: where it was; other: where it is now
        MovedIn,     // path: the destination
    };
    struct Step {
        Kind kind;
        std::string path;
        std::string other;
    };

    bool MoveAside(const std::string& path, const std::string& rollbackFolder);
    bool Fail(const std::string& path);

    TransactionFiles& m_files;
    std::vector<Step> m_steps;
    std::vector<std::string> m_rollbackFolders;  // made by this transaction
    unsigned m_asideCount = 0;
    std::string m_failedPath;
    unsigned long m_failedError = 0;
};

}  // namespace install
