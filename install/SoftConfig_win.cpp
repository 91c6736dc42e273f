#include "install/SoftConfig_win.h"

#include "framework/FormatNumber.h"
#include "framework/IniFile_win.h"

void WriteSoftConfig(const std::string& iniPath, int languageIndex) {
    IniFile ini(iniPath.c_str());
    ini.WriteString("BaseCfg", "Language", FormatDecimal(languageIndex).c_str());
}
