#pragma once
// The setup folder: where the running setup lies, and the loose folders and "SetupCfg.ini" beside it.

#include <string>

// The folder of a setup executable's path, up to and including its last "\" (a separator, never the
// second byte of a two-byte character); empty for a path without one.
std::string SetupFolderOf(const std::string& executablePath);
