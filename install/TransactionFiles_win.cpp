#include "install/TransactionFiles_win.h"

#include <windows.h>

#include "install/FolderProtection_win.h"
#include "install/LinkOnTheWay_win.h"

namespace {

// ERROR_STOPPED_ON_SYMLINK, which not every SDK names: "The create operation stopped after reaching a
// symbolic link."
constexpr DWORD kStoppedAtLink = 681;

}  // namespace

SystemTransactionFiles::SystemTransactionFiles(const install::InstallPlan* plan)
    : m_guard(plan ? std::make_unique<install::LinkGuard>(SystemLinkGuard(*plan)) : nullptr) {}

std::string SystemTransactionFiles::LinkOnTheWayTo(const std::string& path) const {
    return m_guard ? m_guard->LinkOnTheWayTo(path) : std::string();
}

bool SystemTransactionFiles::LinkFree(const std::string& path) {
    if (!LinkOnTheWayTo(path).empty()) {
        m_error = kStoppedAtLink;
        return false;
    }
    return true;
}

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
    if (!LinkFree(folder)) {
        return false;
    }
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
    return LinkFree(folder) && Done(RemoveDirectoryA(folder.c_str()));
}

bool SystemTransactionFiles::Move(const std::string& from, const std::string& to) {
    // No copy across volumes: the rollback folder and the staged files lie beside what they stand for.
    return LinkFree(from) && LinkFree(to) && Done(MoveFileExA(from.c_str(), to.c_str(), 0));
}

bool SystemTransactionFiles::Remove(const std::string& file) {
    if (!LinkFree(file)) {
        return false;
    }
    const DWORD attributes = GetFileAttributesA(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesA(file.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return Done(DeleteFileA(file.c_str()));
}
