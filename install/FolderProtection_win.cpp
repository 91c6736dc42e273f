#include "install/FolderProtection_win.h"

#include <sddl.h>

#include "framework/FileFind_win.h"
#include "framework/File_win.h"
#include "framework/GbkText_win.h"
#include "install/FolderProtection.h"

bool CreateProtectedFolder(const std::string& folder, DWORD* error) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(install::ProtectedFolderSddl().c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
        *error = GetLastError();
        return false;
    }
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor, FALSE};
    const bool created = CreateDirectoryA(folder.c_str(), &attributes) != 0;
    *error = created ? ERROR_SUCCESS : GetLastError();
    LocalFree(descriptor);
    return created;
}

namespace {

class Descriptor {
public:
    explicit Descriptor(const std::string& sddl) {
        ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &m_descriptor, nullptr);
    }
    ~Descriptor() { LocalFree(m_descriptor); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    PSECURITY_DESCRIPTOR Get() const { return m_descriptor; }

private:
    PSECURITY_DESCRIPTOR m_descriptor = nullptr;
};

// The restore privilege lets an administrator write the owner and permissions of a file whose
// permissions shut Administrators out; enabled for the walk, set back after.
class RestorePrivilege {
public:
    RestorePrivilege() {
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &m_token)) {
            m_token = nullptr;
            return;
        }
        TOKEN_PRIVILEGES wanted{1, {{{0, 0}, SE_PRIVILEGE_ENABLED}}};
        if (!LookupPrivilegeValueA(nullptr, "SeRestorePrivilege", &wanted.Privileges[0].Luid)) {
            return;
        }
        DWORD size = sizeof(m_previous);
        m_adjusted = AdjustTokenPrivileges(m_token, FALSE, &wanted, sizeof(m_previous), &m_previous, &size) &&
                     GetLastError() == ERROR_SUCCESS;
    }
    ~RestorePrivilege() {
        if (m_adjusted) {
            AdjustTokenPrivileges(m_token, FALSE, &m_previous, 0, nullptr, nullptr);
        }
        if (m_token) {
            CloseHandle(m_token);
        }
    }
    RestorePrivilege(const RestorePrivilege&) = delete;
    RestorePrivilege& operator=(const RestorePrivilege&) = delete;

private:
    HANDLE m_token = nullptr;
    TOKEN_PRIVILEGES m_previous{};
    bool m_adjusted = false;
};

constexpr SECURITY_INFORMATION kOwnerAndDacl = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;

class TreeWalk {
public:
    explicit TreeWalk(FolderProtection& result)
        : m_result(result),
          m_protected(install::ProtectedFolderWithOwnerSddl()),
          m_folderBelow(install::InheritedBelowSddl(true)),
          m_fileBelow(install::InheritedBelowSddl(false)) {}

    bool Ready() const { return m_protected.Get() && m_folderBelow.Get() && m_fileBelow.Get(); }

    void Root(const std::string& folder) {
        BY_HANDLE_FILE_INFORMATION info;
        const HANDLE handle = Open(folder, &info);
        if (handle == INVALID_HANDLE_VALUE) {
            Fail(folder, GetLastError());
            return;
        }
        if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            m_result.outcome = FolderProtection::Outcome::Link;
            m_result.path = folder;
        } else if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            Fail(folder, ERROR_DIRECTORY);
        } else {
            Set(handle, folder, m_protected);
            Below(folder + "\\");
        }
        CloseHandle(handle);
    }

private:
    // Opened as itself, never as what a link points to; shared for reading and writing, not for deleting
    // or renaming while it is held.
    static HANDLE Open(const std::string& path, BY_HANDLE_FILE_INFORMATION* info) {
        const HANDLE handle =
            CreateFileA(path.c_str(), READ_CONTROL | WRITE_DAC | WRITE_OWNER, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (handle != INVALID_HANDLE_VALUE && !GetFileInformationByHandle(handle, info)) {
            const DWORD error = GetLastError();
            CloseHandle(handle);
            SetLastError(error);
            return INVALID_HANDLE_VALUE;
        }
        return handle;
    }

    void Below(const std::string& folder) {
        CFileFind find;
        for (bool more = find.FindFirst(folder + "*"); more; more = find.FindNext()) {
            if (find.IsDots()) {
                continue;
            }
            const std::string path = folder + find.Name();
            BY_HANDLE_FILE_INFORMATION info;
            const HANDLE handle = Open(path, &info);
            if (handle == INVALID_HANDLE_VALUE) {
                Fail(path, GetLastError());
                continue;
            }
            const bool isFolder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || (!isFolder && info.nNumberOfLinks > 1)) {
                ++m_result.skippedLinks;
            } else {
                Set(handle, path, isFolder ? m_folderBelow : m_fileBelow);
                KeepReadOnly(path, info.dwFileAttributes);
                if (isFolder) {
                    Below(path + "\\");
                }
            }
            CloseHandle(handle);
        }
    }

    // Wine turns permissions into the Unix mode, and so a read-only file it is given them into a writable
    // one; Windows keeps the two apart. By name, while the handle held keeps the file from being renamed.
    static void KeepReadOnly(const std::string& path, DWORD attributes) {
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            const DWORD now = GetFileAttributesA(path.c_str());
            if (now != INVALID_FILE_ATTRIBUTES && !(now & FILE_ATTRIBUTE_READONLY)) {
                SetFileAttributesA(path.c_str(), now | FILE_ATTRIBUTE_READONLY);
            }
        }
    }

    void Set(HANDLE handle, const std::string& path, const Descriptor& descriptor) {
        if (!SetKernelObjectSecurity(handle, kOwnerAndDacl, descriptor.Get())) {
            Fail(path, GetLastError());
        }
    }

    void Fail(const std::string& path, DWORD error) {
        if (m_result.outcome == FolderProtection::Outcome::Protected) {
            m_result.outcome = FolderProtection::Outcome::Failed;
            m_result.path = path;
            m_result.error = error;
        }
    }

    FolderProtection& m_result;
    Descriptor m_protected;
    Descriptor m_folderBelow;
    Descriptor m_fileBelow;
};

bool VolumeKeepsPermissions(const std::string& folder) {
    char volume[MAX_PATH] = {};
    DWORD flags = 0;
    if (!GetVolumePathNameA(folder.c_str(), volume, MAX_PATH) ||
        !GetVolumeInformationA(volume, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) {
        return true;  // not known: the writing tells
    }
    return (flags & FILE_PERSISTENT_ACLS) != 0;
}

}  // namespace

FolderProtection ProtectExistingFolder(const std::string& folder) {
    FolderProtection result;
    if (!VolumeKeepsPermissions(folder)) {
        result.outcome = FolderProtection::Outcome::NoPermissions;
        result.path = folder;
        return result;
    }
    TreeWalk walk(result);
    if (!walk.Ready()) {
        result.outcome = FolderProtection::Outcome::Failed;
        result.path = folder;
        result.error = GetLastError();
        return result;
    }
    const RestorePrivilege privilege;
    walk.Root(folder);
    return result;
}

std::wstring ExistingFolderNote(const std::string& folder, const FolderProtection& protection) {
    switch (protection.outcome) {
        case FolderProtection::Outcome::Protected:
            return AnsiToWide(folder +
                              " exists: given owner Administrators and the permissions of Program Files, and "
                              "everything below it only what it inherits from them" +
                              (protection.skippedLinks ? " (links and files with other names left as they are)" : ""));
        case FolderProtection::Outcome::NoPermissions:
            return AnsiToWide(folder + " exists on a volume that keeps no permissions: it cannot be protected");
        case FolderProtection::Outcome::Link:
            return AnsiToWide(folder + " exists and is a link: its permissions are left alone");
        case FolderProtection::Outcome::Failed:
            break;
    }
    return AnsiToWide(folder + " exists: could not give " + protection.path + " the permissions of Program Files: ") +
           SystemErrorTextWide(protection.error);
}
