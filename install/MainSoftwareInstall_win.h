#pragma once
// The main software's installation: the payload into "<target>\Vectrace\", the plug-in folders it
// brings along emptied and removed, the loose folders beside the setup copied in, "SoftCfg.ini", and
// the desktop and start-menu shortcuts. The install command runs it and shows what it returns.

#include <windows.h>

#include <string>

#include "install/FolderProtection_win.h"
#include "install/InstallObserver.h"
#include "install/InstallTransaction_win.h"
#include "install/MessageTable.h"
#include "payload/PayloadExtractor_win.h"

struct MainInstallSettings {
    std::string targetFolder;  // as confirmed in the install-path dialog, "\" at its end or not
    std::string productName;   // base name of the two program shortcuts
    int languagePosition = 0;  // Language list position; "SoftCfg.ini" records position + 1
    std::string setupFolder;   // beside the setup executable, ending in "\"
    // Null means the running setup's own file; tests give their own.
    CFile* setupFile = nullptr;
    // Empty means the user's shell folders; tests give their own.
    std::string desktopFolder;   // ending in "\"
    std::string programsFolder;  // the start-menu programs folder, ending in "\"
    // Asked to retry files in use and whether to go on between files; null: checked once, never stopped.
    install::InstallObserver* observer = nullptr;
};

struct MainInstallResult {
    enum class Outcome {
        Installed,
        PathError,   // no target folder, or a link on the way (failure.kind Link names it): nothing is written
        CopyFailed,  // a file could not be created or moved into place (failure names it), or the archive
                     // is unreadable; everything done was undone
        FileFailed,  // a read or write failed; failure names the file; everything done was undone
        FilesInUse,  // found.inUse are held open or closed to writing: nothing is written
        NoSpace,     // the target's volume lacks found.missingMegabytes: nothing is written
        Cancelled,   // the observer asked to stop: everything done was undone
    };
    Outcome outcome = Outcome::Installed;
    ExtractFailure failure;
    CheckFindings found;
    std::vector<InstallRun::NotRestored> notRestored;  // what the rollback could not put back
    // What became of "<target>\Vectrace": made with Program Files' permissions, or found and given them
    // (protection says how that went); folderError is the system's reason when it could not be made.
    enum class Folder { NotReached, Created, Existed, NotCreated };
    Folder folder = Folder::NotReached;
    std::string folderPath;
    DWORD folderError = ERROR_SUCCESS;
    FolderProtection protection;
};

// All or nothing (install/InstallTransaction_win.h): the whole installation is planned and checked
// before anything is written, and a failure on the way leaves the folders, "SoftCfg.ini" and the
// shortcuts as they were. The user's changed settings kept in "QTXCfg\Backup\" stay.
MainInstallResult InstallMainSoftware(const MainInstallSettings& settings);

// The table's message the install command shows for the result; empty for a completed installation and
// for FileFailed, whose message names the file and the system's reason (FileFailureMessage).
std::string MainInstallMessage(const MainInstallResult& result, const install::MessageTable& table);
