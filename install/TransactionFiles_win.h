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
    bool OpenJournal(const std::string& path) override;
    bool WriteJournal(std::string_view line) override;
    void CloseJournal() override;
    void Wait(unsigned milliseconds) override;

    SystemTransactionFiles() = default;
    SystemTransactionFiles(const SystemTransactionFiles&) = delete;
    SystemTransactionFiles& operator=(const SystemTransactionFiles&) = delete;
    ~SystemTransactionFiles() { CloseJournal(); }

private:
    bool Done(bool ok);

    unsigned long m_error = 0;
    void* m_journal = nullptr;  // the open journal's handle
};

// The whole of a journal an earlier run left; false when it cannot be read.
bool ReadJournal(const std::string& path, std::string* text);
