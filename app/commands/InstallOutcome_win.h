#pragma once
// What became of an install command, as one value: how it ended and what that concerns (the file and
// the system's reason, the files in use, the missing room, what a rollback could not put back). The
// three things made of it are each made in one place: the box (OutcomeBox, here), the log line
// (OutcomeLogLine, here) and the exit code of an unattended run (ExitCodeOf, app/commandline).

#include <string>
#include <vector>

#include "install/InstallTransaction_win.h"
#include "install/MessageTable.h"
#include "payload/PayloadExtractor_win.h"

struct InstallOutcome {
    enum class Ending {
        Installed,
        Cancelled,              // the user stopped it; everything it did was undone
        FilesInUse,             // found.inUse are held open or closed to writing; nothing was written
        NoSpace,                // found.spaceFolder's volume lacks found.missingMegabytes; nothing was written
        Link,                   // failure.path is a link on the way; nothing was written
        PathError,              // no folder, or not the host's; nothing was written
        HostNotFound,           // no installation of the host is registered; nothing was written
        CouldNotPlace,          // failure names a file that could not be made or moved into place; undone
        ReadOrWriteFailed,      // failure names a file whose read or write failed in a copy; undone
        SetupDamaged,           // the setup's own archive is damaged or unreadable; nothing was written
        SetupFolderUnreadable,  // no ANSI path reaches the folder beside the setup; nothing was written
    };
    Ending ending = Ending::Installed;
    ExtractFailure failure;
    CheckFindings found;
    // The branch's own words where they differ: a host not found, and a file not placed ("close AutoCAD").
    install::MessageId notFoundText = install::MsgPathError;
    install::MessageId notPlacedText = install::MsgCopyFailed;
    bool askedAboutFilesInUse = false;  // the question box named them already
    std::vector<InstallRun::NotRestored> notRestored;
    // What became of the folder the main installation installs into, for the log; empty when none.
    std::wstring folderNote;

    bool Installed() const { return ending == Ending::Installed; }
};

// The box's text in the table's language; empty when no box is due (installed, cancelled, or files in
// use the user was asked about). Files a rollback could not put back are named after it, each with
// where its original stays.
std::wstring OutcomeBox(const InstallOutcome& outcome, const install::MessageTable& table);

// The log's line for the ending (the box, when there is one, is logged as well); empty when installed.
std::wstring OutcomeLogLine(const InstallOutcome& outcome);
