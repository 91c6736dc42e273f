#include "app/services/SetupLog_win.h"

#include "framework/GbkText_win.h"

SetupLog::~SetupLog() {
    if (IsOpen()) {
        CloseHandle(m_file);
    }
}

bool SetupLog::Open(const std::string& path, DWORD* error) {
    m_file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
    if (!IsOpen()) {
        *error = GetLastError();
        return false;
    }
    static const char kByteOrderMark[] = "\xEF\xBB\xBF";
    DWORD written = 0;
    WriteFile(m_file, kByteOrderMark, 3, &written, nullptr);
    return true;
}

void SetupLog::Line(const std::string& ansiText) {
    Line(AnsiToWide(ansiText));
}

void SetupLog::Line(const std::wstring& text) {
    if (!IsOpen()) {
        return;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t stamp[32];
    wsprintfW(stamp, L"%04u-%02u-%02u %02u:%02u:%02u.%03u  ", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
              now.wSecond, now.wMilliseconds);
    const std::wstring indent(lstrlenW(stamp) + 2, L' ');

    std::wstring out = stamp;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r') {
            continue;
        }
        if (text[i] == L'\n') {
            out += L"\r\n" + indent;
            continue;
        }
        out += text[i];
    }
    out += L"\r\n";
    Write(out);
}

void SetupLog::Write(const std::wstring& text) {
    const std::string bytes = WideToUtf8(text);
    DWORD written = 0;
    WriteFile(m_file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
