#pragma once
// Error policy of the Win32 layer.
// - Functions that touch the system return their result (bool, or the int 1/0 and the platform
//   result codes that callers test) and never throw; the cause stays in GetLastError or, for the
//   file object, in LastError(), together with the path it concerns.
// - A failed read or write is a result like any other, never an exception: the caller decides how to
//   tell the user, and nothing is ever written from a buffer that a read did not fill.
// - The dialog trampoline and the command handlers are the boundary where a failure becomes one
//   message box; no C++ exception crosses a Win32 callback.
// - Dialog framework (Dialog_win.h, MessageBox_win.h): window calls whose failure leaves nothing to
//   decide (setting a text, enabling a control, filling a list) are fire and forget; a dialog that
//   cannot be created shows as DoModal -1 / Create false. The one dialog procedure catches every C++
//   exception that a handler lets out and ends that command there, silently, its stack objects (wait
//   cursor, banner, files) released on the way; the program itself raises none on purpose.
// - Texts: the program's own are GBK bytes shown through the W functions (GbkText_win.h); paths,
//   file names and values read from files stay ANSI on the A functions.

#include <windows.h>

#include <cstdint>
#include <string>

// A file opened without sharing: while it is open, no other process can write or delete it.
class CFile {
public:
    enum class Mode {
        Read,         // an existing file
        CreateWrite,  // created, or truncated when it exists
        CreateNew,    // created; fails when anything of that name exists, a link included
    };

    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // shareMode lets a reader allow other readers; the default shares nothing.
    bool Open(const std::string& path, Mode mode, DWORD shareMode = 0);
    // By a UTF-16 path, which reaches any file; Path() then holds it in the system code page, for messages.
    bool Open(const std::wstring& path, Mode mode, DWORD shareMode = 0);
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    void Close();

    bool Seek(std::uint64_t offset);
    // Reads exactly count bytes; fewer is a failure (ERROR_HANDLE_EOF when the system reported none).
    bool Read(void* buffer, std::uint32_t count);
    bool Write(const void* buffer, std::uint32_t count);
    // The file's length, or UINT64_MAX when it cannot be had.
    std::uint64_t Length();

    const std::string& Path() const { return m_path; }
    // The system's error code of the last failed operation.
    DWORD LastError() const { return m_lastError; }

private:
    bool Fail();
    bool Opened(HANDLE handle);

    HANDLE m_handle = INVALID_HANDLE_VALUE;
    std::string m_path;
    DWORD m_lastError = ERROR_SUCCESS;
};

// The system's own text for an error code, without the trailing line break; in the system code page,
// or in UTF-16 for texts shown or logged through the wide functions.
std::string SystemErrorText(DWORD error);
std::wstring SystemErrorTextWide(DWORD error);
