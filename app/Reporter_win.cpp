#include "app/Reporter_win.h"

#include "app/SetupLog_win.h"
#include "framework/MessageBox_win.h"

void LogReporter::Step(const std::wstring& text) {
    if (m_log) {
        m_log->Line(text);
    }
}

void LogReporter::Message(Kind kind, const std::wstring& text, HWND) {
    if (m_log) {
        m_log->Line((kind == Kind::Failure ? L"Failed: " : L"Done: ") + text);
    }
}

void MessageBoxReporter::Message(Kind kind, const std::wstring& text, HWND window) {
    LogReporter::Message(kind, text, window);
    ShowMessage(text, window);
}
