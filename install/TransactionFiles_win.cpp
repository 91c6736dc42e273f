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
