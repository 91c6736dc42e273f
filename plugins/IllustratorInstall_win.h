#pragma once
// The Illustrator plug-in: the payload extracted into Illustrator's program folder, every older
// plug-in file of ours removed from its plug-in folder and the one for the chosen version copied
// there, and the program folders set up beside the extracted files. Illustrator is always named by
// the user; there is no automatic mode.

#include "plugins/PluginInstall_win.h"

// Outcomes: Installed; PathError (the named folder lacks "Support Files\Contents\Windows" or
// "Support Files\Required\Plug-ins"; nothing is written); CloseHost (the extraction, or the copy of
// the plug-in file, failed); FileFailed.
PluginInstallResult InstallIllustratorPlugin(const PluginInstallSettings& settings);
