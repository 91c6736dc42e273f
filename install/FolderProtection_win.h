#pragma once
// Giving the install folder the permissions of install/FolderProtection.h: a new one is created with
// them, an existing one is given them over its whole tree.

#include <windows.h>

#include <string>

// Creates the folder (its parent must exist) with those permissions. False with the system's reason in
// *error when it could not, also when the folder exists already.
bool CreateProtectedFolder(const std::string& folder, DWORD* error);

struct FolderProtection {
    enum class Outcome {
        Protected,      // the folder and everything below it got what a new folder gets
        NoPermissions,  // its volume keeps no permissions (FAT32, some shares): nothing to give
        Link,           // the folder is a link: left alone, for the link rule to refuse
        Failed,         // path could not be given them; the system's reason in error
    };
    Outcome outcome = Outcome::Protected;
    std::string path;
    DWORD error = ERROR_SUCCESS;
    unsigned long skippedLinks = 0;  // links below (not entered, not changed) and files with other names
};

// An existing folder made by an older setup or by anyone in advance: owner Administrators, the
// protected DACL, and below it owner Administrators and only the inherited entries on every folder and
// file. Nothing is followed: a link below is neither entered nor changed (the link rule refuses it
// next), nor is a file that has other names (a hard link, whose permissions are its other folder's
// business too). Each folder is held open while what lies in it is changed, so it cannot be swapped
// for a link meanwhile. The security descriptors are written as they are, with no propagation by the
// system, which would walk the tree by name. A failure on the way is told, and the walk goes on.
FolderProtection ProtectExistingFolder(const std::string& folder);

// The log's line for an existing folder (named as the log shows it) and what it was given.
std::wstring ExistingFolderNote(const std::string& folder, const FolderProtection& protection);
