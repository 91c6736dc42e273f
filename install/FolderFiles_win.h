#pragma once
// Flat folder operations: each works on the files lying directly in one folder, hidden and system
// files included, and leaves sub-folders alone; none creates, enters or removes a folder. A folder
// path may end in "\" or not; an empty one does nothing. A file that can't be copied or deleted is
// skipped, since the callers decide success on other grounds.

#include <string>

#include "install/FileBackup_win.h"
#include "payload/PayloadExtractor_win.h"

// Copies with the system's file copy, overwriting, so attributes and time stamps come along.
void CopyFolderFiles(std::string sourceFolder, std::string destinationFolder);

// Copies by reading each file and writing its bytes into a destination created anew (plain
// attributes, current time). A source held open elsewhere, or a destination that can't be created
// (read-only, say), is skipped. A read or write that fails once both files are open stops the copy:
// false, with the file and the system's error in failure (kind Read or Write). The partly written
// file stays. With a backup, a destination whose bytes differ is first kept there; one that can't be
// kept is skipped, so it is never lost.
bool CopyFolderFilesByContent(std::string sourceFolder,
                              std::string destinationFolder,
                              ExtractFailure* failure = nullptr,
                              FileBackup* backup = nullptr);

// Deletes every file of the folder; one in use or read-only stays, and so does a file that is a link
// (reparse point). A folder that is a link is not entered at all.
void DeleteFolderFiles(std::string folder);
