#pragma once
// Running install plans (install/InstallPlan.h) all or nothing. First, before anything is written,
// every plan is checked: no link on the way (install/LinkOnTheWay.h), no file it replaces or deletes
// held open or closed to writing (the observer may have the user close programs and check again; a
// read-only file is no reason to stop), room on each volume for everything new. Then all plans as one
// transaction (install/Transaction.h): what the journal of a killed run names put right, folders made,
// every new file written under a temporary name beside its destination, then all moved into place, what
// they replace moved aside into the root's rollback folder and deleted once all are in place. A failure,
// or a stop the observer asks for between two files, undoes every plan.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/File_win.h"
#include "install/InstallObserver.h"
#include "install/InstallPlan.h"
#include "payload/PayloadExtractor_win.h"

// What stopped a branch before it wrote anything, for the message that says so.
struct CheckFindings {
    std::vector<install::FileInUse> inUse;  // held open, or closed to writing
    std::string spaceFolder;                // the folder whose volume is too small
    std::uint64_t missingMegabytes = 0;
};

struct InstallRun {
    enum class Stop {
        None,        // every plan is installed
        Link,        // failure names the link; nothing was written, or what was (found at the commit) was undone
        FilesInUse,  // found.inUse names them; nothing was written
        NoSpace,     // found.spaceFolder's volume lacks found.missingMegabytes; nothing was written
        Failed,      // failure names the file and the reason; every plan was undone
        Cancelled,   // the observer asked to stop; every plan was undone
    };
    Stop stop = Stop::None;
    ExtractFailure failure;
    CheckFindings found;
    bool rolledBack = false;  // something had changed, and was undone
    // What the rollback could not put back as it was: the path, and where the original stays (empty
    // when it was a new file that could not be removed).
    struct NotRestored {
        std::string path;
        std::string standsAt;
    };
    std::vector<NotRestored> notRestored;
};

// setup: the setup's own file, which the archive entries are read from. observer may be null.
InstallRun RunInstallPlans(const std::vector<install::InstallPlan>& plans,
                           CFile& setup,
                           install::InstallObserver* observer);

// Every existing file the plan replaces or deletes, probed for exclusive write access (sharing nothing,
// with the right to rename it): those that fail, in plan order. The read-only ones go to readOnly.
std::vector<install::FileInUse> FindFilesInUse(const install::InstallPlan& plan, std::vector<std::string>* readOnly);
