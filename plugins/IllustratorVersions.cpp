#include "plugins/IllustratorVersions.h"

#include <iterator>

#include "plugins/InstallPathTexts.h"

namespace plugins {

const char* const kIllustratorPluginFiles[11] = {
    "QTXPlugin_C5OnlyWin32.aip",  // CS5
    "QTXPlugin_C6Win32.aip",      // CS6(32bit)
    "QTXPlugin_C6X64.aip",        // CS6(64bit)
    "QTXPlugin_CCWin32.aip",      // CC(32bit)
    "QTXPlugin_CCX64.aip",        // CC(64bit)
    "QTXPlugin_CC2014Win32.aip",  // CC 2014(32bit)
    "QTXPlugin_CC2014X64.aip",    // CC 2014(64bit)
    "QTXPlugin_CC2015Win32.aip",  // CC 2015(32bit)
    "QTXPlugin_CC2015X64.aip",    // CC 2015(64bit)
    "QTXPlugin_CC2017Win32.aip",  // CC 2017(32bit)
    "QTXPlugin_CC2017X64.aip",    // CC 2017(64bit)
};
static_assert(std::size(kIllustratorPluginFiles) == std::size(installpath::kIllustratorVersions));

const char* FindIllustratorPluginFile(int versionIndex) {
    if (versionIndex < 0 || versionIndex >= static_cast<int>(std::size(kIllustratorPluginFiles))) {
        return nullptr;
    }
    return kIllustratorPluginFiles[versionIndex];
}

}  // namespace plugins
