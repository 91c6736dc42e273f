#pragma once
// The CorelDRAW plug-in: CorelDRAW found through the registry (automatic mode) or in the folder the
// user named, the payload extracted into its program folder, the version's macro module installed as
// "Draw\GMS\QTXCorel.gms", and the program folders set up beside the extracted files.

#include "plugins/PluginInstall_win.h"

// Outcomes: Installed; PathError (manual mode: no program folder of the version under the named
// folder); HostNotFound (automatic mode: no registry key of the version readable); CloseHost (the
// extraction, or the copy of the module, failed); FileFailed. Nothing written is removed afterwards.
PluginInstallResult InstallCorelDrawPlugin(const PluginInstallSettings& settings);
