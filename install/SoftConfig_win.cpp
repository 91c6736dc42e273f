#include "install/SoftConfig_win.h"

#include <cstdio>

#include "framework/IniFile_win.h"

void WriteSoftConfig(const std::string& iniPath, int languageIndex) {
    char value[16];
    std::snprintf(value, sizeof value, "%d", languageIndex);
    IniFile ini(iniPath.c_str());
    ini.WriteString("BaseCfg", "Language", value);
}
