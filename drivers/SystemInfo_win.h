#pragma once
// What the driver placement asks of Windows about itself: bitness and version.

#include <windows.h>

#include <optional>

#include "drivers/DriverPlacementPlan.h"

// TRUE when this 32-bit program runs on 64-bit Windows (under WOW64); FALSE on 32-bit Windows and on a
// Windows too old to know IsWow64Process.
BOOL IsWow64();

// TRUE on 64-bit Windows: this program under WOW64, or a 64-bit build of it, which runs nowhere else.
BOOL Is64BitWindows();

// The version Windows reports to this program, or nothing when the query fails. The setup's manifest
// declares no supported operating systems, so Windows 8.1 and later report 6.2.
std::optional<drivers::WindowsVersion> QueryWindowsVersion();
