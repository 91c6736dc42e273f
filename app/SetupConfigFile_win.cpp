#include "app/SetupConfigFile_win.h"

#include <vector>

#include "framework/IniFile_win.h"
#include "app/SetupConfig.h"

void ReadSetupConfig(const std::string& path, std::string& productName, int& rawLanguage) {
    IniFile file(path.c_str());
    std::vector<std::string> names;
    file.GetKeyNames("SetupCfg", names);
    // The profile functions find keys in any letter case; listing the names first and comparing them
    // exactly keeps "softver" or "LANGUAGE" without effect.
    for (const std::string& name : names) {
        if (name == "SoftVer") {
            productName = file.GetString("SetupCfg", name.c_str(), "Vectrace");
        } else if (name == "Language") {
            rawLanguage = setupcfg::LeadingInteger(file.GetString("SetupCfg", name.c_str(), "0"));
        }
    }
}
