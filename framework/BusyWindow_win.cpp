#include "framework/BusyWindow_win.h"

namespace {

// Bounded, as input may keep arriving while the queue is emptied.
constexpr int kMostMessages = 4096;

void DropMessages(HWND window, UINT first, UINT last) {
    MSG message;
    for (int i = 0; i < kMostMessages && PeekMessageW(&message, window, first, last, PM_REMOVE | PM_NOYIELD); ++i) {
    }
}

// Removes the mouse and keyboard input waiting in this thread's queue, and the commands and button
// clicks posted to `window` (automation tools click that way).
void DropQueuedInput(HWND window) {
    DropMessages(nullptr, WM_KEYFIRST, WM_KEYLAST);
    DropMessages(nullptr, WM_MOUSEFIRST, WM_MOUSELAST);
    DropMessages(nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK);
    DropMessages(nullptr, BM_CLICK, BM_CLICK);
    if (window) {
        DropMessages(window, WM_COMMAND, WM_COMMAND);
    }
}

}  // namespace

CBusyWindow::CBusyWindow(HWND window) {
    if (window && IsWindowEnabled(window)) {
        m_window = window;
        EnableWindow(window, FALSE);
    }
}

CBusyWindow::~CBusyWindow() {
    if (!m_window) {
        return;
    }
    DropQueuedInput(m_window);
    EnableWindow(m_window, TRUE);
}
