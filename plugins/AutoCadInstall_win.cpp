#include "plugins/AutoCadInstall_win.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/SystemLeadByte_win.h"
#include "install/FileProbes_win.h"
#include "install/FolderPath.h"
#include "plugins/AutoCadFiles.h"
#include "plugins/HostSearch.h"
#include "plugins/PluginSteps_win.h"
#include "plugins/Registry_win.h"

namespace {

using Outcome = PluginInstallResult::Outcome;

// One installation found in both registry views, its path written in two ways, is one folder.
bool IsSameFolder(const std::string& a, const std::string& b) {
    const std::string keyA = plugins::FolderKey(a, IsSystemLeadByte);
    const std::string keyB = plugins::FolderKey(b, IsSystemLeadByte);
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, keyA.c_str(), static_cast<int>(keyA.size()), keyB.c_str(),
                          static_cast<int>(keyB.size())) == CSTR_EQUAL;
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

// What PlaceAutoCadFiles writes below one AutoCAD folder, the backups of the user's files included.
void AddAutoCadPaths(const PluginInstallSettings& settings, const std::string& folder, PathsToWrite& paths) {
    const PathsToWrite shared = plugins::PluginPaths(settings, folder, folder);
    for (const install::PathBelow& below : shared.Paths()) {
        paths.Add(below.root, below.path);
    }
    for (const plugins::AutoCadCopy& copy : plugins::kAutoCadStartupCopies) {
        paths.Add(folder, folder, copy.destination);
    }
    paths.Add(folder, folder, plugins::kAutoCadStartupScript);
    paths.Add(folder, folder, "Backup\\");
    const std::string fonts = folder + "Fonts\\";
    for (const char* font : plugins::kAutoCadShapeFonts) {
        paths.Add(folder, fonts, font);
    }
    paths.Add(folder, fonts, "Backup\\");
}

}  // namespace

PluginInstallResult PlaceAutoCadFiles(const std::string& folder, const PluginInstallSettings& settings) {
    const PluginInstallResult extracted = plugins::ExtractPayloadInto(settings, folder);
    if (extracted.outcome != Outcome::Installed) {
        return extracted;
    }

    // AutoCAD's start-up files and fonts may be the user's own: a copy is kept before they are replaced.
    FileBackup backup;
    for (const plugins::AutoCadCopy& copy : plugins::kAutoCadStartupCopies) {
        const PluginInstallResult placed = plugins::PlacePluginFile(folder + copy.source, folder + copy.destination,
                                                                    copy.usersOwn ? &backup : nullptr);
        if (copy.required && placed.outcome != Outcome::Installed) {
            return placed;
        }
    }
    const PluginInstallResult script =
        plugins::PlacePluginFile(folder + plugins::AutoCadStartupScriptSource(settings.languagePosition),
                                 folder + plugins::kAutoCadStartupScript, &backup);
    if (script.outcome != Outcome::Installed) {
        return script;
    }

    plugins::RemovePayloadFolder(folder + "QTXCad\\");
    plugins::RemovePayloadFolder(folder + "QTXCorel\\");

    const PluginInstallResult setUp = plugins::SetUpProgramFolders(settings, folder);
    if (setUp.outcome != Outcome::Installed) {
        return setUp;
    }
    for (const char* font : plugins::kAutoCadShapeFonts) {
        // A font that cannot be placed does not fail the installation.
        plugins::PlacePluginFile(folder + "QTXFonts\\" + font, folder + "Fonts\\" + font, &backup);
    }
    return PluginInstallResult();
}

PluginInstallResult InstallAutoCadPlugin(const PluginInstallSettings& settings) {
    if (!settings.autoInstall) {
        const std::string folder = plugins::HostFolderFromTarget(settings.targetFolder);
        if (folder.empty() || !FileExists(folder + plugins::kAutoCadProgram)) {
            return Failed(PluginInstallResult(), Outcome::PathError);
        }
        PathsToWrite paths;
        AddAutoCadPaths(settings, folder, paths);
        const PluginInstallResult noLink = plugins::RefuseLinkOnTheWay(paths);
        return noLink.outcome != Outcome::Installed ? noLink : PlaceAutoCadFiles(folder, settings);
    }

    const std::vector<std::string> folders = RegisteredAutoCadFolders();
    if (folders.empty()) {
        return Failed(PluginInstallResult(), Outcome::HostNotFound);
    }
    // Every AutoCAD is checked before the first is written.
    PathsToWrite paths;
    for (const std::string& folder : folders) {
        AddAutoCadPaths(settings, folder, paths);
    }
    const PluginInstallResult noLink = plugins::RefuseLinkOnTheWay(paths);
    if (noLink.outcome != Outcome::Installed) {
        return noLink;
    }
    for (const std::string& folder : folders) {
        const PluginInstallResult placed = PlaceAutoCadFiles(folder, settings);
        if (placed.outcome != Outcome::Installed) {
            return placed;
        }
    }
    return PluginInstallResult();
}
