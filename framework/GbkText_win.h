#pragma once
// The program's own texts are stored once as GBK bytes and shown through the wide-character
// functions, so they read as Chinese whatever the system's ANSI code page is. Paths and values read
// from files keep the ANSI functions.

#include <windows.h>

#include <string>

// GBK (code page 936) bytes to UTF-16.
std::wstring GbkToWide(const char* gbk);
// ANSI (the system code page) bytes to UTF-16, for names that come from the system.
std::wstring AnsiToWide(const char* ansi);
inline std::wstring AnsiToWide(const std::string& ansi) {
    return AnsiToWide(ansi.c_str());
}
// UTF-16 to the system code page, only when it writes every character: true and `ansi` set, or false.
bool WideToAnsiExactly(const std::wstring& text, std::string& ansi);
// UTF-16 to UTF-8, for logs.
std::string WideToUtf8(const std::wstring& text);

bool SetWindowTextGbk(HWND window, const char* gbk);
