#pragma once
// The hourglass for the length of a command; restored on every way out of the scope, an error's
// included.

#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() : m_previous(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { SetCursor(m_previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};
