#pragma once
// A window that takes no input while a command runs on its thread. Clicks and keys that arrive
// meanwhile would otherwise wait in the queue and act once the command returns, starting it a second
// time (a second driver run extracting into the system folder while the first one's installer still
// works there). The window is disabled for the life of the object; before it is enabled again, what was
// clicked, typed or posted to it meanwhile is dropped.

#include <windows.h>

class CBusyWindow {
public:
    // A null or already disabled window is left as it is.
    explicit CBusyWindow(HWND window);
    // Enables the window again before any window of the command is destroyed, so the activation goes
    // back to it rather than to another program's window.
    ~CBusyWindow();
    CBusyWindow(const CBusyWindow&) = delete;
    CBusyWindow& operator=(const CBusyWindow&) = delete;

private:
    HWND m_window = nullptr;
};
