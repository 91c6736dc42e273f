#pragma once
// Drives another process's windows the way a user would, from outside: finds windows by caption,
// selects list entries with the notification a real selection sends, clicks, types, ticks, and reads
// texts, states, list contents, message boxes and progress bars. Commands that make the target run a
// handler are posted, so a handler that opens a modal dialog never blocks the driver.

#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
// A Unix path ("/work/x") as Wine's Windows programs see it ("Z:\work\x"); other paths unchanged.
std::string ToWindowsPath(const std::string& path);
// A system error as a failed step tells it: its number and the system's text ("error 2: The system
// cannot find the file specified."), in UTF-8.
std::string SystemErrorWords(DWORD error);

class TargetProcess {
public:
    TargetProcess() = default;
    ~TargetProcess();  // never leaves the target running
    TargetProcess(const TargetProcess&) = delete;
    TargetProcess& operator=(const TargetProcess&) = delete;

    // arguments is appended to the quoted program name as it is, so a scenario can give a command
    // line exactly as a person would type it. When it fails, StartError() has the system's reason.
    bool Start(const std::string& exe, const std::string& workingFolder, const std::string& arguments = "");
    DWORD StartError() const { return m_startError; }
    bool Running() const;
    // Waits for the process to end; its exit code, or -1 on timeout.
    long WaitForExit(DWORD timeoutMs);
    void Kill();
    DWORD Id() const { return m_info.dwProcessId; }

private:
    PROCESS_INFORMATION m_info{};
    DWORD m_startError = ERROR_SUCCESS;
};

// Visible top-level windows of a process.
std::vector<HWND> ProcessWindows(DWORD processId);
// Waits for a visible top-level window of the process with exactly this caption; null on timeout.
HWND WaitForWindow(DWORD processId, const std::wstring& caption, DWORD timeoutMs);
// Waits for a message box of the process that is none of the known windows; null on timeout.
HWND WaitForMessageBox(DWORD processId, const std::vector<HWND>& known, DWORD timeoutMs);
// Waits until the window is gone or hidden.
bool WaitUntilClosed(HWND window, DWORD timeoutMs);

// A top-level window's caption, read without sending the window a message.
std::wstring Caption(HWND window);
// A window's text through WM_GETTEXT (what a control holds).
std::wstring WindowText(HWND window);
std::wstring ControlText(HWND dialog, int id);
bool ControlEnabled(HWND dialog, int id);
bool ControlVisible(HWND dialog, int id);
bool ControlChecked(HWND dialog, int id);
std::vector<std::wstring> ComboEntries(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
int ProgressPosition(HWND dialog, int id);
std::wstring MessageBoxText(HWND box);

void SelectComboEntry(HWND dialog, int id, int position);
void ClickButton(HWND dialog, int id);
void SetCheck(HWND dialog, int id, bool checked);
void TypeText(HWND dialog, int id, const std::wstring& text);
void PostSystemCommand(HWND window, WPARAM command);
// Moves a window by dx, dy; asynchronously, so a target busy with a command does not hold the driver.
void MoveBy(HWND window, int dx, int dy);
// A real mouse click (through the system's input queue) on a point of the control that none of the
// other windows covers and where the dialog is the window on top; false when there is none. Real
// input reaches whatever is on the screen there: tests that use it must not share the screen.
bool MouseClick(HWND dialog, int id, const std::vector<HWND>& others);
void DismissMessageBox(HWND box);
// Presses the button `id` of a message box (IDRETRY, IDCANCEL...).
void PressButton(HWND box, int id);

// Saves what the screen shows of the window as a 24-bit BMP.
bool SaveWindowBitmap(HWND window, const std::string& path);

}  // namespace uidriver
