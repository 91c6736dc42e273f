#include "install/SoftConfig_win.h"

#include <windows.h>

#include "framework/FormatNumber.h"
#include "framework/IniFile_win.h"

bool WriteSoftConfig(const std::string& iniPath, int languageIndex) {
    IniFile ini(iniPath.c_str());
    return ini.WriteString("BaseCfg", "Language", FormatDecimal(languageIndex).c_str()) != 0;
}
