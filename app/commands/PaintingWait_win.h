#pragma once
// Waits on the interface thread that burn no processor time and keep the windows drawn: paint messages
// are handled meanwhile, and nothing else, so input cannot re-enter the running command.

#include <windows.h>

enum class PaintingWaitResult { Signalled, TimedOut, Failed };

// Waits up to `milliseconds` for `handle` (none when null) to become signalled.
PaintingWaitResult WaitPaintingWindows(HANDLE handle, DWORD milliseconds);
