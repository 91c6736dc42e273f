#pragma once
// The file-system calls of an install transaction (install/Transaction.h) made on the system.

#include <memory>

#include "install/InstallPlan.h"
#include "install/LinkGuard.h"
#include "install/Transaction.h"

class SystemTransactionFiles : public install::TransactionFiles {
public:
    // With a plan, no path is made, moved, deleted or removed through a link on the way below its root
    // (install/LinkGuard.h): the call fails with ERROR_STOPPED_ON_SYMLINK instead.
    explicit SystemTransactionFiles(const install::InstallPlan* plan = nullptr);
    bool Exists(const std::string& path) override;
    bool MakeFolder(const std::string& folder, FolderKind kind) override;
    bool RemoveFolder(const std::string& folder) override;
    bool Move(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& file) override;
    unsigned long LastError() override { return m_error; }
    // The link on the way to `path` below its root, empty when there is none (or no plan).
    std::string LinkOnTheWayTo(const std::string& path) const;

private:
    bool Done(bool ok);
    bool LinkFree(const std::string& path);

    unsigned long m_error = 0;
    std::unique_ptr<install::LinkGuard> m_guard;
};
