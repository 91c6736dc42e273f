#pragma once
// Where the install command and the driver command say what happened. Both run the same code from the
// window and from the command line; only the reporter differs. The window shows their messages as
// message boxes; an unattended run writes them, with every step, to its log and turns them into its
// exit code. The window writes its log too when given /LOG.

#include <windows.h>

#include <string>

class SetupLog;

class Reporter {
public:
    enum class Kind {
        Failure,  // the command did not complete; the window shows it in a box
        Done,     // the closing word of a completed installation ("Install OK!")
    };

    virtual ~Reporter() = default;
    // A step of the running command: a line of the log, nothing on screen.
    virtual void Step(const std::wstring& text) = 0;
    // A step in the system code page, as paths come: English words around a path need no wide copy.
    void Step(const std::string& ansiText);
    // A message that the window shows over `window`, or over the main window when it is null.
    virtual void Message(Kind kind, const std::wstring& text, HWND window = nullptr) = 0;
    // Something the user can put right and try again: the window asks with Retry and Cancel (true for
    // Retry); an unattended run, which asks nobody, tells it as a failure and gives up.
    virtual bool AskRetry(const std::wstring& text, HWND window = nullptr) = 0;
};

// The unattended run's reporter: log lines only.
class LogReporter : public Reporter {
public:
    explicit LogReporter(SetupLog* log) : m_log(log) {}

    using Reporter::Step;
    void Step(const std::wstring& text) override;
    void Message(Kind kind, const std::wstring& text, HWND window = nullptr) override;
    bool AskRetry(const std::wstring& text, HWND window = nullptr) override;

private:
    SetupLog* m_log;
};

// The window's reporter: each message in a message box, and in the log when there is one.
class MessageBoxReporter : public LogReporter {
public:
    explicit MessageBoxReporter(SetupLog* log = nullptr) : LogReporter(log) {}

    void Message(Kind kind, const std::wstring& text, HWND window = nullptr) override;
    bool AskRetry(const std::wstring& text, HWND window = nullptr) override;
};
