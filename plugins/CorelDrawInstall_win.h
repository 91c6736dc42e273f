#pragma once
// The CorelDRAW plug-in: CorelDRAW found through the registry (automatic mode) or in the folder the
// user named, the payload extracted into its program folder, the version's macro module installed as
// "Draw\GMS\QTXCorel.gms", and the program folders set up beside the extracted files.

#include "plugins/PluginInstall_win.h"

// Outcomes: Installed; PathError (manual mode: the named folder is not a full path or has no program
// folder of the version); HostNotFound (automatic mode: no registry key of the version, in either view,
// names a folder with the version's program folder); CloseHost (the
// extraction, or the copy of the module, failed); FileFailed. Nothing written is removed afterwards.
PluginInstallResult InstallCorelDrawPlugin(const PluginInstallSettings& settings);
