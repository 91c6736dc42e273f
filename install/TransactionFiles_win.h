#pragma once
// The file-system calls of an install transaction (install/Transaction.h) made on the system.

#include "install/Transaction.h"

class SystemTransactionFiles : public install::TransactionFiles {
public:
    bool Exists(const std::string& path) override;
    bool MakeFolder(const std::string& folder, FolderKind kind) override;
    bool RemoveFolder(const std::string& folder) override;
    bool Move(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& file) override;
    unsigned long LastError() override { return m_error; }

private:
    bool Done(bool ok);

    unsigned long m_error = 0;
};
