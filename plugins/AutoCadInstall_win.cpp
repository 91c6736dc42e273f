#include "plugins/AutoCadInstall_win.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/SystemLeadByte_win.h"
#include "install/FileProbes_win.h"
#include "install/FolderPath.h"
#include "install/InstallFailure_win.h"
#include "install/PlanSteps_win.h"
#include "install/SameFileOnWindows_win.h"
#include "plugins/AutoCadFiles.h"
#include "plugins/HostSearch.h"
#include "plugins/PluginSteps_win.h"
#include "plugins/Registry_win.h"

namespace {

using Outcome = PluginInstallResult::Outcome;

// One installation found in both registry views, its path written in two ways, is one folder: runs of
// separators and the trailing "\" are made alike first (a registry value may carry either), then the
// paths are compared as the file system names files. A linguistic comparison would take two folders
// apart by a hyphen ("Auto-CAD", "AutoCAD") for one.
bool IsSameFolder(const std::string& a, const std::string& b) {
    return SameFileOnWindows(plugins::FolderKey(a, IsSystemLeadByte), plugins::FolderKey(b, IsSystemLeadByte));
}

// The folders named by the product keys below every release key, in the registry's order, the
// setup's own view first, each ending in "\". Passed over: a key that can't be opened, an
// "AcadLocation" that is unreadable, empty or not a full path, a folder without "acad.exe" (an
// uninstalled AutoCAD leaves its keys behind), a folder found before.
std::vector<std::string> RegisteredAutoCadFolders() {
    std::vector<std::string> folders;
    for (const plugins::RegistryView view : plugins::ViewsToSearch(sizeof(void*) == 8, false)) {
        const REGSAM flag = RegistryViewFlag(view);
        std::vector<std::string> releases;
        ListMachineSubKeys(plugins::kAutoCadRootKey, &releases, flag);
        for (const std::string& release : releases) {
            const std::string releaseKey = std::string(plugins::kAutoCadRootKey) + "\\" + release;
            std::vector<std::string> products;
            ListMachineSubKeys(releaseKey, &products, flag);
            for (const std::string& product : products) {
                std::string location;
                if (!ReadMachineText(releaseKey + "\\" + product, plugins::kAutoCadLocationValue, &location, flag) ||
                    !install::IsFullPath(location, IsSystemLeadByte)) {
                    continue;
                }
                const std::string folder = location + "\\";
                if (!FileExists(folder + plugins::kAutoCadProgram)) {
                    continue;
                }
                const auto same = [&folder](const std::string& found) { return IsSameFolder(found, folder); };
                if (std::none_of(folders.begin(), folders.end(), same)) {
                    folders.push_back(folder);
                }
            }
        }
    }
    return folders;
}

// Everything the plug-in leaves in one AutoCAD folder. AutoCAD's start-up files and fonts may be the
// user's own: a copy is kept before they are replaced. The fonts go only where "Fonts\\" exists.
PluginInstallResult PlanAutoCad(const PluginInstallSettings& settings,
                                const std::vector<ArchiveFile>& entries,
                                const std::string& folder,
                                install::InstallPlan& plan) {
    ExtractFailure failure;
    if (!PlanArchiveFiles(plan, entries, folder, {"QTXCad", "QTXCorel"}, &failure)) {
        return Failed(PluginInstallResult(), Outcome::CloseHost, failure);
    }
    for (const plugins::AutoCadCopy& copy : plugins::kAutoCadStartupCopies) {
        install::PlannedFile* placed = PlanArchiveFile(plan, entries, copy.source, folder + copy.destination);
        if (placed) {
            placed->keepUsersCopy = copy.usersOwn;
        } else if (copy.required) {
            return plugins::MissingFromPayload(folder + copy.destination);
        }
    }
    install::PlannedFile* script =
        PlanArchiveFile(plan, entries, plugins::AutoCadStartupScriptSource(settings.languagePosition),
                        folder + plugins::kAutoCadStartupScript);
    if (!script) {
        return plugins::MissingFromPayload(folder + plugins::kAutoCadStartupScript);
    }
    script->keepUsersCopy = true;
    PlanEmptiedFolder(plan, folder + "QTXCad\\");
    PlanEmptiedFolder(plan, folder + "QTXCorel\\");
    plugins::PlanPluginProgramFolders(plan, settings, folder);
    if (FolderExists(folder + "Fonts")) {
        for (const char* font : plugins::kAutoCadShapeFonts) {
            install::PlannedFile* placed =
                PlanArchiveFile(plan, entries, ("QTXFonts\\" + std::string(font)).c_str(), folder + "Fonts\\" + font);
            if (placed) {
                placed->keepUsersCopy = true;
            }
        }
    }
    return PluginInstallResult();
}

// One plan per folder, each checked before the first is written.
PluginInstallResult InstallInto(const std::vector<std::string>& folders, const PluginInstallSettings& settings) {
    ExtractFailure failure;
    std::vector<ArchiveFile> entries;
    if (!ListArchiveFiles(plugins::SetupFileOf(settings), payload::Selection::Payload, &entries, &failure)) {
        return Failed(PluginInstallResult(), Outcome::CloseHost, failure);
    }
    std::vector<install::InstallPlan> plans;
    for (const std::string& folder : folders) {
        plans.emplace_back(folder, folder, IsSystemLeadByte, WindowsNameKey);
        const PluginInstallResult planned = PlanAutoCad(settings, entries, folder, plans.back());
        if (planned.outcome != Outcome::Installed) {
            return planned;
        }
    }
    return plugins::RunPlans(plans, settings);
}

}  // namespace

PluginInstallResult InstallAutoCadPlugin(const PluginInstallSettings& settings) {
    if (!settings.autoInstall) {
        const std::string folder = plugins::HostFolderFromTarget(settings.targetFolder);
        if (folder.empty() || !FileExists(folder + plugins::kAutoCadProgram)) {
            return Failed(PluginInstallResult(), Outcome::PathError);
        }
        return InstallInto({folder}, settings);
    }
    const std::vector<std::string> folders = RegisteredAutoCadFolders();
    if (folders.empty()) {
        return Failed(PluginInstallResult(), Outcome::HostNotFound);
    }
    return InstallInto(folders, settings);
}
