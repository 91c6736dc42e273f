#pragma once
// An install branch's changes on disk, each one recorded once it is made so that all of them can be
// undone until the branch has succeeded. New files are written under temporary names beside their
// destinations (staged); at the end each one is moved into place, and a file it replaces, or a file
// the branch deletes, is first moved aside into a rollback folder on the same volume. Success deletes
// what was moved aside; a failure, or a stop asked for between two files, undoes every step, the last
// one first: new files removed, moved files put back, made folders removed when empty.
//
// A run deletes only what it created. Before it creates a temporary file or moves an original aside,
// a journal in the rollback folder names it, so a run killed on the way leaves a record: the next run
// puts back the originals it names as set aside (ReplayJournal), then removes the temporary files it
// names, and leaves alone every file no journal names.
//
// The commit (every move) is planned with all it needs before the first file moves, so that neither
// the commit nor a rollback allocates: a fatal error (memory ran out) can still roll back.

#include <cstddef>
#include <string>
#include <string_view>
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
    // The journal: made new (never over an existing file), each line on disk once the call returns, so
    // that a killed process leaves every line written before.
    virtual bool OpenJournal(const std::string& path) = 0;
    virtual bool WriteJournal(std::string_view line) = 0;
    virtual void CloseJournal() = 0;
    // Lets a moment pass before a call is tried again (a virus scanner holds a new file briefly).
    virtual void Wait(unsigned milliseconds) = 0;

protected:
    ~TransactionFiles() = default;
};

// How long a remove or a move back is tried before the file is named as not put back.
inline constexpr unsigned kRetryMilliseconds = 2000;
inline constexpr unsigned kRetryPause = 50;

// The journal file's name in a rollback folder: this, then a number.
inline constexpr const char* kJournalPrefix = "journal";

class Transaction {
public:
    explicit Transaction(TransactionFiles& files) : m_files(files) {}
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Makes `rollbackFolder` (ending in "\", hidden) when missing and the journal in it. Before any other
    // call; without it nothing is journalled (tests of the steps alone). False names the failure.
    bool Begin(const std::string& rollbackFolder);

    // Makes the folder when it is missing. False names it as the failure.
    bool MakeFolder(const std::string& folder, TransactionFiles::FolderKind kind = TransactionFiles::FolderKind::Plain);
    // Whether this transaction made `folder` (without a trailing "\"): nothing of an earlier
    // installation stands in it, so a new file there may be written under its own name.
    bool Made(const std::string& folder) const;

    // A temporary file is about to be created: the journal names it first. False names the journal.
    bool Creating(const std::string& temporary);
    // It was not created (the name was taken meanwhile, or the system refused): the journal takes it back.
    void NotCreated(const std::string& temporary);
    // This run created the file (a temporary one, or one under its own name in a folder made here):
    // recorded only now, so a rollback never deletes a file someone else made.
    void Staged(const std::string& path);

    // The commit's steps, planned before the first file moves; nothing on disk changes but the rollback
    // folders, made here when something may be moved aside into them. An existing destination moves
    // aside into `rollbackFolder` (ending in "\") before `temporary` takes its place; a file to delete
    // moves aside when it exists. False names the failure.
    bool PlanReplace(const std::string& temporary, const std::string& destination, const std::string& rollbackFolder);
    bool PlanRemove(const std::string& path, const std::string& rollbackFolder);
    // Moves everything planned into place, in order. False names the destination (or the file to
    // delete) that could not be moved, with the system's reason; the moves done stay until Rollback.
    bool Commit();

    // The branch succeeded: deletes what was moved aside, the journal, then the rollback folders.
    void Finish();
    // The branch failed or was stopped: undoes every step, the last one first, a remove or a move back
    // tried for up to kRetryMilliseconds. Allocates nothing once the commit has started.
    void Rollback();
    // After a rollback: each file it could not put back as it was, in the order met; where the original
    // now is, when it was moved aside and stays there (never deleted: the journal still names it).
    std::size_t NotRestoredCount() const { return m_notRestored.size(); }
    const std::string& NotRestoredPath(std::size_t i) const { return m_steps[m_notRestored[i]].path; }
    const std::string& NotRestoredStandsAt(std::size_t i) const;

    // The file of the last failed call and the system's reason.
    const std::string& FailedPath() const { return m_failedPath; }
    unsigned long FailedError() const { return m_failedError; }
    // Whether anything was changed yet.
    bool Empty() const;
    // Whether files are being moved: from Commit until Finish or Rollback.
    bool Committing() const { return m_committing; }

    // A test's hook, called after each file moved during a commit with the count moved so far.
    using MoveHook = void (*)(std::size_t moved);
    static void SetMoveHook(MoveHook hook);

private:
    enum class Kind : unsigned char {
        MadeFolder,  // path: the folder
        Staged,      // path: the new file
        MoveAside,   // path: where it was; other: where it goes (planned; done once moved)
        MoveIn,      // path: the destination; other: the temporary file
    };
    struct Step {
        Kind kind;
        bool done;
        std::string path;
        std::string other;
    };

    bool Fail(const std::string& path);
    bool PlanAside(const std::string& path, const std::string& rollbackFolder);
    void Journal(char kind, const std::string& first, const std::string& second = std::string());
    bool Retried(bool (TransactionFiles::*call)(const std::string&), const std::string& path);
    bool MovedBack(const std::string& from, const std::string& to);

    TransactionFiles& m_files;
    std::vector<Step> m_steps;
    std::vector<std::string> m_rollbackFolders;  // made by this transaction
    std::vector<std::size_t> m_notRestored;      // steps
    std::string m_line;                          // the journal line being written: reserved before the commit
    std::string m_journal;                       // the journal's path; empty when none is kept
    std::string m_journalFolder;
    bool m_journalFolderMade = false;
    bool m_committing = false;
    unsigned m_asideCount = 0;
    std::string m_failedPath;
    unsigned long m_failedError = 0;
    const std::string m_nowhere;  // where a new file that could not be removed was set aside: nowhere
};

// The transaction whose commit or rollback is on the way, or null; the fatal-error handler rolls it
// back before the process ends.
Transaction* OpenTransaction();

// What a journal left by an earlier run asks, done: originals it set aside and did not restore put back
// (the new file standing in their place removed only when the journal says that run moved it there),
// then the temporary files it names removed; after a commit that completed, the originals it set aside
// deleted instead. Each call of `restored` names an original put back, `removed` a file removed and
// `stays` an original that could not be put back, with where it stays. True when nothing is left to do.
struct JournalReport {
    virtual void Restored(const std::string& path) = 0;
    virtual void Removed(const std::string& path) = 0;
    virtual void Stays(const std::string& path, const std::string& standsAt) = 0;

protected:
    ~JournalReport() = default;
};
bool ReplayJournal(TransactionFiles& files, std::string_view journal, JournalReport& report);

}  // namespace install
