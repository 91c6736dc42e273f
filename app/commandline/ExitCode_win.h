#pragma once
// The exit code of an unattended run, made of the install command's outcome in this one place.

#include "app/commands/InstallOutcome_win.h"

inline constexpr int kExitInstalled = 0;
inline constexpr int kExitWrongCommandLine = 1;
inline constexpr int kExitFailed = 2;
// The user pressed Cancel in the progress window of a /SILENT run (the code installers use for it).
inline constexpr int kExitCancelled = 5;

int ExitCodeOf(const InstallOutcome& outcome);
