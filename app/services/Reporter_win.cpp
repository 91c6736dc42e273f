#include "app/services/Reporter_win.h"

#include "app/services/SetupLog_win.h"
#include "framework/GbkText_win.h"
#include "framework/MessageBox_win.h"

void Reporter::Step(const std::string& ansiText) {
    Step(AnsiToWide(ansiText));
}

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

bool LogReporter::AskRetry(const std::wstring& text, HWND window) {
    Message(Kind::Failure, text, window);
    return false;
}

bool MessageBoxReporter::AskRetry(const std::wstring& text, HWND window) {
    Step(L"Asked: " + text);
    const bool retry = ::AskRetry(text, window);
    Step(retry ? "Retry" : "Cancel");
    return retry;
}
