#pragma once
// Reads "SetupCfg.ini": section "SetupCfg", keys "SoftVer" and "Language", names compared exactly.

#include <string>

// Leaves productName and rawLanguage as they were for keys that are absent.
void ReadSetupConfig(const std::string& path, std::string& productName, int& rawLanguage);
