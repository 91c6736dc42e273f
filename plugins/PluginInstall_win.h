#pragma once
// What the three plug-in installations (CorelDRAW, AutoCAD, Illustrator) take from the install
// command and give back to it. The command runs one of them, shows the message that goes with the
// result and sets the installed flag only for Outcome::Installed.

#include <string>

#include "install/InstallObserver.h"
#include "install/InstallTransaction_win.h"
#include "install/MessageTable.h"
#include "payload/PayloadExtractor_win.h"

struct PluginInstallSettings {
    std::string targetFolder;  // as confirmed in the install-path dialog, "\" at its end or not
    int autoInstall = 0;       // non-zero: find the host through the registry (CorelDRAW, AutoCAD)
    int versionIndex = 0;      // position in the dialog's version list (CorelDRAW, Illustrator)
    int languagePosition = 0;  // Language list position; "SoftCfg.ini" records position + 1
    std::string setupFolder;   // beside the setup executable, ending in "\"
    // Null means the running setup's own file; tests give their own.
    CFile* setupFile = nullptr;
    // Asked to retry files in use and whether to go on between files; null: checked once, never stopped.
    install::InstallObserver* observer = nullptr;
};

struct PluginInstallResult {
    enum class Outcome {
        Installed,
        PathError,     // the named folder is not the host's (or no folder was named); nothing is written
        HostNotFound,  // automatic mode found no installation of the host; nothing is written
        CloseHost,     // a file could not be put in place (failure names it), mostly because the running host
                       // opened it after the check, or the payload lacks the plug-in; the folder was undone
        FileFailed,    // a read or write failed; failure names the file; the folder was undone
        FilesInUse,    // found.inUse are held open or closed to writing: nothing is written
        NoSpace,       // the host folder's volume lacks found.missingMegabytes: nothing is written
        Cancelled,     // the observer asked to stop: the folder being installed was undone
    };
    Outcome outcome = Outcome::Installed;
    ExtractFailure failure;
    CheckFindings found;
    std::vector<InstallRun::NotRestored> notRestored;  // what the rollback could not put back
};

// The table's messages the install command shows for a result; empty for a completed installation and for
// FileFailed, whose message names the file and the system's reason (FileFailureMessage).
std::string CorelDrawInstallMessage(const PluginInstallResult& result, const install::MessageTable& table);
std::string AutoCadInstallMessage(const PluginInstallResult& result, const install::MessageTable& table);
std::string IllustratorInstallMessage(const PluginInstallResult& result, const install::MessageTable& table);
