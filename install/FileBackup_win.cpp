#include "install/FileBackup_win.h"

#include <windows.h>

#include <cstring>
#include <memory>

#include "framework/PathFolder.h"
#include "framework/SystemLeadByte_win.h"
#include "install/BackupName.h"

namespace {

constexpr DWORD kCompareChunk = 64 * 1024;
// Enough for any number of installations within one second.
constexpr unsigned kMaxAttempts = 1000;

class ReadHandle {
public:
    explicit ReadHandle(const std::string& path)
        : m_handle(CreateFileA(path.c_str(),
                               GENERIC_READ,
                               FILE_SHARE_READ,
                               nullptr,
                               OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN,
                               nullptr)) {}
    ~ReadHandle() {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
    }
    ReadHandle(const ReadHandle&) = delete;
    ReadHandle& operator=(const ReadHandle&) = delete;
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

enum class Comparison { Same, Different, Unreadable };

// Reads until count bytes are in or the file ends; false on a read error.
bool ReadUpTo(HANDLE file, char* buffer, DWORD count, DWORD& got) {
    got = 0;
    while (got < count) {
        DWORD read = 0;
        if (!ReadFile(file, buffer + got, count - got, &read, nullptr)) {
            return false;
        }
        if (read == 0) {
            break;
        }
        got += read;
    }
    return true;
}

Comparison CompareContent(HANDLE a, HANDLE b) {
    LARGE_INTEGER sizeA;
    LARGE_INTEGER sizeB;
    if (!GetFileSizeEx(a, &sizeA) || !GetFileSizeEx(b, &sizeB)) {
        return Comparison::Unreadable;
    }
    if (sizeA.QuadPart != sizeB.QuadPart) {
        return Comparison::Different;
    }
    auto bufferA = std::make_unique<char[]>(kCompareChunk);
    auto bufferB = std::make_unique<char[]>(kCompareChunk);
    for (;;) {
        DWORD gotA = 0;
        DWORD gotB = 0;
        if (!ReadUpTo(a, bufferA.get(), kCompareChunk, gotA) || !ReadUpTo(b, bufferB.get(), kCompareChunk, gotB)) {
            return Comparison::Unreadable;
        }
        if (gotA != gotB || std::memcmp(bufferA.get(), bufferB.get(), gotA) != 0) {
            return Comparison::Different;
        }
        if (gotA < kCompareChunk) {
            return Comparison::Same;
        }
    }
}

install::LocalTime Now() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    install::LocalTime time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    return time;
}

}  // namespace

FileBackup::FileBackup() : m_stamp(install::BackupStamp(Now())) {}

bool FileBackup::KeepBeforeReplacing(const std::string& source, const std::string& destination) {
    Comparison comparison;
    {
        ReadHandle existing(destination);
        if (!existing.IsOpen()) {
            const DWORD error = GetLastError();
            // Nothing there is nothing to lose; anything else (held open, say) can't be kept.
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        }
        // A device has no bytes of its own to keep; what is written to it goes where it goes.
        if (GetFileType(existing.Get()) != FILE_TYPE_DISK) {
            return true;
        }
        ReadHandle replacement(source);
        if (!replacement.IsOpen()) {
            return true;
        }
        comparison = CompareContent(existing.Get(), replacement.Get());
    }
    switch (comparison) {
        case Comparison::Same:
            return true;
        case Comparison::Different:
            return KeepCopy(destination);
        case Comparison::Unreadable:
            break;
    }
    return false;
}

bool FileBackup::KeepCopy(const std::string& destination) {
    const std::string folder(text::FolderOfPath(destination, IsSystemLeadByte));
    const std::string name = destination.substr(folder.size());
    CreateDirectoryA((folder + install::kBackupFolderName).c_str(), nullptr);
    for (unsigned attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        const std::string backupFolder = install::BackupFolder(folder, m_stamp, attempt);
        CreateDirectoryA(backupFolder.c_str(), nullptr);
        // Fails on an existing file: an earlier copy under this name stays as it is.
        if (CopyFileA(destination.c_str(), (backupFolder + name).c_str(), TRUE)) {
            return true;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    return false;
}
