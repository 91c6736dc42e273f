#pragma once
// The file-system calls of an install transaction (install/Transaction.h) made on the system.

#include <string_view>
#include <vector>

#include "install/InstallPlan.h"
#include "install/LinkGuard.h"
#include "install/Transaction.h"

class SystemTransactionFiles : public install::TransactionFiles {
public:
    // With plans, no path is made, moved, deleted or removed through a link on the way below the root
    // it lies in (install/LinkGuard.h): the call fails with ERROR_STOPPED_ON_SYMLINK instead.
    SystemTransactionFiles() = default;
    explicit SystemTransactionFiles(const std::vector<install::InstallPlan>& plans);
    explicit SystemTransactionFiles(const install::InstallPlan& plan);
    bool Exists(const std::string& path) override;
    bool MakeFolder(const std::string& folder, FolderKind kind) override;
    bool RemoveFolder(const std::string& folder) override;
    bool Move(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& file) override;
    unsigned long LastError() override { return m_error; }
    // The link on the way to `path` below the root it lies in, empty when there is none (or no plan).
    std::string LinkOnTheWayTo(const std::string& path) const;
    bool OpenJournal(const std::string& path) override;
    bool WriteJournal(std::string_view line) override;
    void CloseJournal() override;
    void Wait(unsigned milliseconds) override;

    SystemTransactionFiles(const SystemTransactionFiles&) = delete;
    SystemTransactionFiles& operator=(const SystemTransactionFiles&) = delete;
    ~SystemTransactionFiles() { CloseJournal(); }

private:
    bool Done(bool ok);
    bool LinkFree(const std::string& path);

    unsigned long m_error = 0;
    std::vector<install::LinkGuard> m_guards;  // one for each plan
    void* m_journal = nullptr;  // the open journal's handle
};

// The whole of a journal an earlier run left; false when it cannot be read.
bool ReadJournal(const std::string& path, std::string* text);
