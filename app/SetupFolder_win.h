#pragma once
// The setup folder: where the running setup lies, and so "SetupCfg.ini" and the loose folders beside it.
// Those are read through the ANSI functions, so the folder needs a path in the system code page that
// leaves room for the names below it. A setup started from a folder whose name the code page cannot
// write (C:\Users\Łukasz\Downloads under code page 936) or whose path is too long is read through the
// folder's short name instead, when the volume keeps one.

#include <string>

struct SetupFolder {
    std::wstring name;  // the folder as the system names it, ending in "\"; for the log and messages
    std::string path;   // the same folder for the ANSI functions, ending in "\"; empty when none reaches it
};

SetupFolder RunningSetupFolder();
