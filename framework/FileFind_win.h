#pragma once
// One folder's entries through the system's file search, hidden and system files included, in the
// order the file system returns them:
//     for (bool more = find.FindFirst(pattern); more; more = find.FindNext()) { ... }

#include <windows.h>

#include <string>

class CFileFind {
public:
    CFileFind() = default;
    ~CFileFind();
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // Starts a search over a wildcard pattern; false when nothing matches or the folder is missing.
    bool FindFirst(const std::string& pattern);
    // Moves to the next entry; false after the last one, which also closes the search.
    bool FindNext();
    void Close();

    std::string Name() const { return m_data.cFileName; }
    bool IsDirectory() const { return (m_data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    DWORD Attributes() const { return m_data.dwFileAttributes; }
    unsigned long long Size() const {
        return (static_cast<unsigned long long>(m_data.nFileSizeHigh) << 32) | m_data.nFileSizeLow;
    }
    // The "." and ".." entries that every folder but a root lists.
    bool IsDots() const;

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_data{};
};
