#pragma once
// The setup's own command line read into its switches. It is split from the wide command line by
// the Windows rules and each argument then turned into the system code page, without best fit: the
// system's GetCommandLineA is the same line converted with best fit, where a character the code page
// lacks silently becomes a look-alike (a full-width "＼" a real "\"), and a byte-wise split would
// have to step over two-byte characters. An argument the code page cannot hold is refused instead.

#include <string>

#include "app/commandline/SetupSwitches.h"

// The switches of a whole command line, program name first.
switches::ParseResult ParseCommandLine(const std::wstring& line);

// The running setup's command line as it was given, for the log.
std::wstring RunningCommandLine();
