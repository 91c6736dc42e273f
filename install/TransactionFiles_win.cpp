#include "install/TransactionFiles_win.h"

#include <windows.h>

#include "install/FolderProtection_win.h"

bool SystemTransactionFiles::Done(bool ok) {
    if (!ok) {
        m_error = GetLastError();
    }
    return ok;
}

bool SystemTransactionFiles::Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SystemTransactionFiles::MakeFolder(const std::string& folder, FolderKind kind) {
    if (kind == FolderKind::Protected) {
        DWORD error = ERROR_SUCCESS;
        const bool made = CreateProtectedFolder(folder, &error);
        m_error = error;
        return made;
    }
    // The rollback folder is the setup's business for a moment, not something to show on a desktop.
    return Done(CreateDirectoryA(folder.c_str(), nullptr) &&
                (kind != FolderKind::Hidden || SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_HIDDEN)));
}

bool SystemTransactionFiles::RemoveFolder(const std::string& folder) {
    return Done(RemoveDirectoryA(folder.c_str()));
}

bool SystemTransactionFiles::Move(const std::string& from, const std::string& to) {
    // No copy across volumes: the rollback folder and the staged files lie beside what they stand for.
    return Done(MoveFileExA(from.c_str(), to.c_str(), 0));
}

bool SystemTransactionFiles::Remove(const std::string& file) {
    const DWORD attributes = GetFileAttributesA(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesA(file.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return Done(DeleteFileA(file.c_str()));
}

bool SystemTransactionFiles::OpenJournal(const std::string& path) {
    CloseJournal();
    // Written through the system's cache: a killed process leaves every line written.
    const HANDLE journal = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (journal == INVALID_HANDLE_VALUE) {
        m_error = GetLastError();
        return false;
    }
    m_journal = journal;
    return true;
}

bool SystemTransactionFiles::WriteJournal(std::string_view line) {
    DWORD written = 0;
    return m_journal && Done(WriteFile(m_journal, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
                             written == line.size());
}

void SystemTransactionFiles::CloseJournal() {
    if (m_journal) {
        CloseHandle(m_journal);
        m_journal = nullptr;
    }
}

void SystemTransactionFiles::Wait(unsigned milliseconds) {
    Sleep(milliseconds);
}

bool ReadJournal(const std::string& path, std::string* text) {
    const HANDLE journal =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (journal == INVALID_HANDLE_VALUE) {
        return false;
    }
    text->clear();
    char buffer[4096];
    DWORD read = 0;
    bool ok;
    while ((ok = ReadFile(journal, buffer, sizeof(buffer), &read, nullptr) != FALSE) && read > 0) {
        text->append(buffer, read);
    }
    CloseHandle(journal);
    return ok;
}
