#pragma once
// What the setup does with its command line, once start-up has read "SetupCfg.ini": without a switch
// the window as it has always been; with switches the window with those first choices, the help, the
// usage box for a wrong command line, or an unattended run. Returns the process's exit code:
// 0 installed (and the window's and the help's own end), 1 the command line is wrong and nothing was
// installed, 2 the installation failed, 1618 another setup is running (nothing was done).

#include <string>

#include "app/commandline/UnattendedRun_win.h"

int RunSetup(const std::wstring& commandLine, const StartValues& start);
