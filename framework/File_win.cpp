#include "framework/File_win.h"

#include "framework/FormatNumber.h"

CFile::~CFile() {
    Close();
}

bool CFile::Fail() {
    m_lastError = GetLastError();
    if (m_lastError == ERROR_SUCCESS) {
        m_lastError = ERROR_GEN_FAILURE;
    }
    return false;
}

namespace {

constexpr DWORD AccessFor(CFile::Mode mode) {
    return mode == CFile::Mode::Read ? GENERIC_READ : GENERIC_WRITE;
}

constexpr DWORD DispositionFor(CFile::Mode mode) {
    return mode == CFile::Mode::Read ? OPEN_EXISTING : mode == CFile::Mode::CreateWrite ? CREATE_ALWAYS : CREATE_NEW;
}

}  // namespace

bool CFile::Opened(HANDLE handle) {
    m_handle = handle;
    if (m_handle == INVALID_HANDLE_VALUE) {
        return Fail();
    }
    m_lastError = ERROR_SUCCESS;
    return true;
}

bool CFile::Open(const std::string& path, Mode mode, DWORD shareMode) {
    Close();
    m_path = path;
    return Opened(CreateFileA(path.c_str(), AccessFor(mode), shareMode, nullptr, DispositionFor(mode),
                              FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool CFile::Open(const std::wstring& path, Mode mode, DWORD shareMode) {
    Close();
    const int length = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
    m_path.assign(length > 1 ? static_cast<size_t>(length - 1) : 0, '\0');
    if (length > 1) {
        WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, m_path.data(), length, nullptr, nullptr);
    }
    return Opened(CreateFileW(path.c_str(), AccessFor(mode), shareMode, nullptr, DispositionFor(mode),
                              FILE_ATTRIBUTE_NORMAL, nullptr));
}

void CFile::Close() {
    if (m_handle != INVALID_HANDLE_VALUE) {
        CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
}

bool CFile::Seek(std::uint64_t offset) {
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(m_handle, distance, nullptr, FILE_BEGIN) || Fail();
}

bool CFile::Read(void* buffer, std::uint32_t count) {
    DWORD done = 0;
    if (!ReadFile(m_handle, buffer, count, &done, nullptr)) {
        return Fail();
    }
    if (done != count) {
        m_lastError = ERROR_HANDLE_EOF;
        return false;
    }
    return true;
}

bool CFile::Write(const void* buffer, std::uint32_t count) {
    DWORD done = 0;
    if (!WriteFile(m_handle, buffer, count, &done, nullptr)) {
        return Fail();
    }
    if (done != count) {
        m_lastError = ERROR_DISK_FULL;  // the system took fewer bytes without saying why
        return false;
    }
    return true;
}

std::uint64_t CFile::Length() {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_handle, &size)) {
        Fail();
        return UINT64_MAX;
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::string SystemErrorText(DWORD error) {
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length ? std::string(text, length) : "error " + FormatDecimal(error);
    if (text) {
        LocalFree(text);
    }
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) {
        result.pop_back();
    }
    return result;
}

std::wstring SystemErrorTextWide(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result = length ? std::wstring(text, length) : L"error " + FormatDecimalWide(error);
    if (text) {
        LocalFree(text);
    }
    while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' ')) {
        result.pop_back();
    }
    return result;
}
