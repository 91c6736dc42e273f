#pragma once
// The AutoCAD plug-in: into the AutoCAD folder the user named (manual mode) or into every AutoCAD
// installation registered under HKEY_LOCAL_MACHINE (automatic mode), the payload extracted, the
// start-up files and loader copied to the top of the folder, the program folders set up and the
// shape fonts copied into AutoCAD's "Fonts\".

#include <string>

#include "plugins/PluginInstall_win.h"

// Automatic mode reads both registry views (HostSearch.h) and takes each registered folder that holds
// "acad.exe" once. Outcomes: Installed; PathError (manual mode: the named folder is not a full path or
// holds no "acad.exe"); HostNotFound (automatic mode: no such folder registered, so nothing was
// installed); CloseHost (an extraction,
// or a copy of the loader or a start-up file, failed; in automatic mode this ends the branch and the
// folders done before stay installed); FileFailed.
PluginInstallResult InstallAutoCadPlugin(const PluginInstallSettings& settings);

// The plug-in into one AutoCAD folder, which ends in "\". The fonts are best effort: a missing "Fonts\"
// leaves them out.
PluginInstallResult PlaceAutoCadFiles(const std::string& autoCadFolder, const PluginInstallSettings& settings);
