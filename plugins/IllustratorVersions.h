#pragma once
// The Illustrator versions of the install-path dialog's list and the plug-in file each one takes,
// with every plug-in file the setup has ever put into Illustrator's plug-in folder.

#include <array>

namespace plugins {

// Indexed by the position in the dialog's Illustrator version list. The payload spells some of them
// in another letter case ("QTXPlugin_CCx64.aip"); the file system matches them without regard to case.
extern const char* const kIllustratorPluginFiles[11];

// The plug-in file of the version at that list position, or nullptr outside the list.
const char* FindIllustratorPluginFile(int versionIndex);

// Removed from the plug-in folder, in this order, before the chosen one is copied, so that one is the
// only plug-in of ours left there.
inline constexpr std::array<const char*, 17> kOlderIllustratorPlugins = {
    "QTXPlugin_C3OnlyWin32.aip", "QTXPlugin_C4OnlyWin32.aip", "QTXPlugin_C5OnlyWin32.aip", "QTXPlugin_C6Win32.aip",
    "QTXPlugin_C6X64.aip",       "QTXPlugin_CCWin32.aip",     "QTXPlugin_CCX64.aip",       "QTXPlugin_CC2014Win32.aip",
    "QTXPlugin_CC2014X64.aip",   "QTXPlugin_CC2015Win32.aip", "QTXPlugin_CC2015X64.aip",   "QTXPlugin_CC2017Win32.aip",
    "QTXPlugin_CC2017X64.aip",   "QtxPlugin64.aip",           "QtxPlugin64En.aip",         "QtxPlugin.aip",
    "QtxPluginEn.aip",
};

// CorelDRAW modules the extraction leaves at the top of Illustrator's program folder, removed in this order.
inline constexpr std::array<const char*, 4> kCorelModulesInIllustrator = {
    "QTXCorel11.gms",
    "QTXCorel12.gms",
    "QTXCorelEx.gms",
    "QTXCorelX5.gms",
};

// Illustrator's folders below its installation folder; both must exist.
inline constexpr const char* kIllustratorProgramFolder = "Support Files\\Contents\\Windows";
inline constexpr const char* kIllustratorPluginFolder = "Support Files\\Required\\Plug-ins";

}  // namespace plugins
