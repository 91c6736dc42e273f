#pragma once
// Shell shortcut files (".lnk") written through the shell's link object. Each call initialises the
// component library for the calling thread and shuts it down again, so calls may follow each other
// freely. The result is the platform's result code: negative for a failure, a failed save included.
// The shortcut's folder must exist; target and icon need not.

#include <windows.h>

#include <string>

// Target, description, icon (number 0), shown normally; no arguments, working folder or hot key.
HRESULT CreateShortcutWithIcon(const std::string& target,
                               const std::string& shortcutFile,
                               const std::string& description,
                               const std::string& iconFile);

// The same without an icon location.
HRESULT CreateShortcut(const std::string& target, const std::string& shortcutFile, const std::string& description);
