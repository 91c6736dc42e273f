#include "app/commands/PaintingWait_win.h"

#include "framework/Dialog_win.h"

PaintingWaitResult WaitPaintingWindows(HANDLE handle, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    const DWORD count = handle ? 1 : 0;
    for (;;) {
        PumpPaintMessages();
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) {
            // A last look, so a handle signalled right at the end is not taken for a time-out.
            if (handle && WaitForSingleObject(handle, 0) == WAIT_OBJECT_0) {
                return PaintingWaitResult::Signalled;
            }
            return PaintingWaitResult::TimedOut;
        }
        const DWORD result =
            MsgWaitForMultipleObjects(count, count ? &handle : nullptr, FALSE, milliseconds - elapsed, QS_PAINT);
        if (result == WAIT_OBJECT_0 && handle) {
            return PaintingWaitResult::Signalled;
        }
        if (result == WAIT_FAILED) {
            return PaintingWaitResult::Failed;
        }
        // A paint message arrived or the time is up: handled at the top of the loop.
    }
}
