#pragma once
// "SoftCfg.ini" of an installation: the language the installed program starts in.

#include <string>

// Writes section "BaseCfg", key "Language" = languageIndex and leaves the rest of the file as it is.
// The folder must exist; a missing file is created. False when the system could not write it.
bool WriteSoftConfig(const std::string& iniPath, int languageIndex);
