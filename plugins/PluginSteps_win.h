#pragma once
// Steps the three plug-in installations share: each takes or returns what PluginInstall_win.h defines.

#include <string>
#include <vector>

#include "install/InstallPlan.h"
#include "plugins/PluginInstall_win.h"

namespace plugins {

// The named folder with one "\" at its end; empty when none was named or it is not a full path
// (install::IsFullPath), since a relative one would lean on the elevated setup's current folder.
std::string HostFolderFromTarget(const std::string& targetFolder);

// The payload entry that makes the plug-in work was not in the archive: CloseHost naming its
// destination, before anything is written.
PluginInstallResult MissingFromPayload(const std::string& destination);

// The program folders every plug-in installation sets up in `folder`: "QTXLanguage\", "QTXRes\" and
// "QTXCfg\" filled from beside the setup, then "SoftCfg.ini".
void PlanPluginProgramFolders(install::InstallPlan& plan,
                              const PluginInstallSettings& settings,
                              const std::string& folder);

// Checks the plans, then installs each, all or nothing (install/InstallTransaction_win.h): Installed,
// or the outcome that stopped them. A plan that fails on the way is undone; the ones before it stay.
PluginInstallResult RunPlans(const std::vector<install::InstallPlan>& plans, const PluginInstallSettings& settings);

// The running setup's file unless the settings name another.
CFile* SetupFileOf(const PluginInstallSettings& settings);

}  // namespace plugins
