#pragma once
// The log a run writes when given /LOG: UTF-8 with a byte-order mark, so Notepad and PowerShell read
// its Chinese right, one time-stamped line per entry. Each line is written through at once, so a run
// that is stopped still leaves what it did.

#include <windows.h>

#include <string>

class SetupLog {
public:
    SetupLog() = default;
    ~SetupLog();
    SetupLog(const SetupLog&) = delete;
    SetupLog& operator=(const SetupLog&) = delete;

    // Creates or overwrites the file (a path in the system code page); false with the system's error.
    bool Open(const std::string& path, DWORD* error);
    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }

    // A text of several lines goes in as several, the later ones indented under the first.
    void Line(const std::wstring& text);
    // The same for a text in the system code page, as English words around a path come.
    void Line(const std::string& ansiText);

private:
    void Write(const std::wstring& text);

    HANDLE m_file = INVALID_HANDLE_VALUE;
};
