#include "plugins/AutoCadInstall_win.h"

#include <windows.h>

#include <vector>

#include "install/FileProbes_win.h"
#include "plugins/AutoCadFiles.h"
#include "plugins/PluginSteps_win.h"
#include "plugins/Registry_win.h"

namespace {

using Outcome = PluginInstallResult::Outcome;

// The folders named by the product keys below every release key, in the registry's order, each
// ending in "\". A key that can't be opened or holds no readable, non-empty "AcadLocation" is passed over.
std::vector<std::string> RegisteredAutoCadFolders() {
    std::vector<std::string> folders;
    std::vector<std::string> releases;
    ListMachineSubKeys(plugins::kAutoCadRootKey, &releases);
    for (const std::string& release : releases) {
        const std::string releaseKey = std::string(plugins::kAutoCadRootKey) + "\\" + release;
        std::vector<std::string> products;
        ListMachineSubKeys(releaseKey, &products);
        for (const std::string& product : products) {
            std::string location;
            // An empty location would put the plug-in into the root of the current drive.
            if (ReadMachineText(releaseKey + "\\" + product, plugins::kAutoCadLocationValue, &location) &&
                !location.empty()) {
                folders.push_back(location + "\\");
            }
        }
    }
    return folders;
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
        const std::string source = folder + "QTXFonts\\" + font;
        const std::string destination = folder + "Fonts\\" + font;
        if (backup.KeepBeforeReplacing(source, destination)) {
            CopyFileA(source.c_str(), destination.c_str(), FALSE);
        }
    }
    return PluginInstallResult();
}

PluginInstallResult InstallAutoCadPlugin(const PluginInstallSettings& settings) {
    if (!settings.autoInstall) {
        const std::string folder = plugins::HostFolderFromTarget(settings.targetFolder);
        if (folder.empty() || !FileExists(folder + plugins::kAutoCadProgram)) {
            return plugins::Failed(Outcome::PathError);
        }
        return PlaceAutoCadFiles(folder, settings);
    }

    // Registered folders are not checked for "acad.exe": the registry is trusted to name AutoCAD.
    const std::vector<std::string> folders = RegisteredAutoCadFolders();
    if (folders.empty()) {
        return plugins::Failed(Outcome::HostNotFound);
    }
    for (const std::string& folder : folders) {
        const PluginInstallResult placed = PlaceAutoCadFiles(folder, settings);
        if (placed.outcome != Outcome::Installed) {
            return placed;
        }
    }
    return PluginInstallResult();
}
