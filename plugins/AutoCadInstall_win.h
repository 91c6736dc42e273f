#pragma once
// The AutoCAD plug-in: into the AutoCAD folder the user named (manual mode) or into every AutoCAD
// installation registered under HKEY_LOCAL_MACHINE (automatic mode), the payload extracted, the
// start-up files and loader copied to the top of the folder, the program folders set up and the
// shape fonts copied into AutoCAD's "Fonts\".

#include <string>

#include "plugins/PluginInstall_win.h"

// Automatic mode reads both registry views (HostSearch.h) and takes each registered folder that holds
// "acad.exe" once. Every folder is checked (links, files in use, free space) before the first is
// written; then each folder is installed all or nothing, in the registry's order. Outcomes: Installed;
// PathError (manual mode: the named folder is not a full path or holds no "acad.exe"; or a link on the
// way); HostNotFound (automatic mode: no such folder registered, so nothing was installed);
// FilesInUse, NoSpace (nothing written); CloseHost, FileFailed, Cancelled (the folder being installed
// is as it was, the folders before it stay installed). A missing "Fonts\" leaves the fonts out.
PluginInstallResult InstallAutoCadPlugin(const PluginInstallSettings& settings);
