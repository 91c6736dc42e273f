#pragma once
// The main software's installation: the payload into "<target>\Vectrace\", the plug-in folders it
// brings along emptied and removed, the loose folders beside the setup copied in, "SoftCfg.ini", and
// the desktop and start-menu shortcuts. The install command runs it and shows what it returns.

#include <windows.h>

#include <string>

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
};

struct MainInstallResult {
    enum class Outcome {
        Installed,
        PathError,   // no target folder, or a link on the way (failure.kind Link names it): nothing is written
        CopyFailed,  // the payload could not be extracted (a file held open, a missing parent folder)
        FileFailed,  // a read or write failed in the middle of a copy; failure names the file
    };
    Outcome outcome = Outcome::Installed;
    ExtractFailure failure;
    // What became of "<target>\Vectrace": made with Program Files' permissions, or found and left as it
    // was; folderError is the system's reason when it could not be made.
    enum class Folder { NotReached, Created, Existed, NotCreated };
    Folder folder = Folder::NotReached;
    std::string folderPath;
    DWORD folderError = ERROR_SUCCESS;
};

// Runs every step in order; after a failure nothing further is done and nothing written is removed.
// The results of folder creation, deletions, the system copies and the shortcuts are not examined.
MainInstallResult InstallMainSoftware(const MainInstallSettings& settings);

// The table's message the install command shows for the result; empty for a completed installation and
// for FileFailed, whose message names the file and the system's reason (FileFailureMessage).
std::string MainInstallMessage(const MainInstallResult& result, const install::MessageTable& table);
