#pragma once
// How often long work on the interface thread looks up from what it does: to draw a progress window, to
// take its clicks, to let the other windows paint. Each look costs a trip to the window system, so it
// is made only when the last one is a while ago; a few times a second is enough to follow the work and
// to answer a click at once. One pace for every such place, so they look alike to the user.

#include <windows.h>

class Pacer {
public:
    static constexpr DWORD kIntervalMs = 50;

    // True when the last look (or the pacer's start) is at least the interval ago; the look is then
    // taken to happen now. The tick count's subtraction stays right across its wrap after 49 days.
    bool Due() {
        const DWORD now = GetTickCount();
        if (now - m_last < kIntervalMs) {
            return false;
        }
        m_last = now;
        return true;
    }
    // A look made outside the pace: the next one is due an interval from now.
    void Looked() { m_last = GetTickCount(); }

private:
    DWORD m_last = GetTickCount();
};
