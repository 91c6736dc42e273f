#pragma once
// The program's message boxes, titled with the executable's base name: one OK button, or Retry and
// Cancel where the user can put something right and try again.

#include <windows.h>

#include <string>

// The running executable's file name without folder and extension ("VtSetup"), read from its UTF-16
// path: no byte of a double-byte character is taken for a "\".
std::wstring ExecutableBaseName();

// Shows one of the program's own texts (GBK bytes) modally over owner (the main window when null).
void ShowMessage(const char* gbkText, HWND owner = nullptr);
// The same for a text already converted, such as one that joins our words with a path.
void ShowMessage(const std::wstring& text, HWND owner = nullptr);

// Retry and Cancel over owner (the main window when null): true when the user chose Retry.
bool AskRetry(const std::wstring& text, HWND owner = nullptr);
// Yes and No over owner (the main window when null): true when the user chose Yes.
bool AskYesNo(const std::wstring& text, HWND owner = nullptr);
