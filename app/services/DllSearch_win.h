#pragma once
// A setup mostly starts from a downloads folder, where anyone may have left a DLL named like a system
// one. The first thing the setup does is keep the loader from taking DLLs from there.

// Restricts the search for DLLs loaded by name to the system folder (where the system cannot restrict it
// that way, on Windows XP, Vista, and 7 without KB2533623, it takes the current folder out of it), then
// loads from the system folder, by full path, the system DLLs that Windows' own code loads later by
// name. Those are then found loaded, also by the loader paths that ignore the restriction (on Windows
// XP and Vista every path; under Wine the delayed imports of its own DLLs), so a copy beside the
// setup is never the one taken.
void RestrictDllSearchToSystemFolder();
