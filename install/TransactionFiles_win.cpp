#include "install/TransactionFiles_win.h"

#include <windows.h>

#include "install/FolderProtection_win.h"
#include "install/LinkOnTheWay_win.h"

namespace {

// ERROR_STOPPED_ON_SYMLINK, which not every SDK names: "The create operation stopped after reaching a
// symbolic link."
constexpr DWORD kStoppedAtLink = 681;

}  // namespace

SystemTransactionFiles::SystemTransactionFiles(const std::vector<install::InstallPlan>& plans) {
    m_guards.reserve(plans.size());
    for (const install::InstallPlan& plan : plans) {
        m_guards.push_back(SystemLinkGuard(plan));
    }
}

SystemTransactionFiles::SystemTransactionFiles(const install::InstallPlan& plan) {
    m_guards.push_back(SystemLinkGuard(plan));
}

// A guard asked about a path outside its plan's roots checks it from the top of the drive, which is
// stricter than the guard of the plan it lies in: the path is free when any guard finds it free, and
// the link to name is the innermost one found.
std::string SystemTransactionFiles::LinkOnTheWayTo(const std::string& path) const {
    std::string innermost;
    for (const install::LinkGuard& guard : m_guards) {
        std::string link = guard.LinkOnTheWayTo(path);
        if (link.empty()) {
            return link;
        }
        if (link.size() > innermost.size()) {
            innermost.swap(link);
        }
    }
    return innermost;
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
    char buffer[1024];  // journals are short; a page on the stack would need a probe
    DWORD read = 0;
    bool ok;
    while ((ok = ReadFile(journal, buffer, sizeof(buffer), &read, nullptr) != FALSE) && read > 0) {
        text->append(buffer, read);
    }
    CloseHandle(journal);
    return ok;
}
