#include "framework/FileFind_win.h"

#include <cstring>

CFileFind::~CFileFind() {
    Close();
}

bool CFileFind::FindFirst(const std::string& pattern) {
    Close();
    m_handle = FindFirstFileA(pattern.c_str(), &m_data);
    return m_handle != INVALID_HANDLE_VALUE;
}

bool CFileFind::FindNext() {
    if (m_handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    if (!FindNextFileA(m_handle, &m_data)) {
        Close();
        return false;
    }
    return true;
}

void CFileFind::Close() {
    if (m_handle != INVALID_HANDLE_VALUE) {
        FindClose(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
}

bool CFileFind::IsDots() const {
    return std::strcmp(m_data.cFileName, ".") == 0 || std::strcmp(m_data.cFileName, "..") == 0;
}
