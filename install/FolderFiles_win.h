#pragma once
// Emptying one folder level: the files lying directly in it, hidden and system files included; sub-
// folders are left alone, and no folder is created, entered or removed. A folder path may end in "\"
// or not; an empty one does nothing. A file that can't be deleted is skipped, since the callers decide
// success on other grounds.

#include <string>

// Deletes every file of the folder; one in use or read-only stays, and so does a file that is a link
// (reparse point). A folder that is a link is not entered at all.
void DeleteFolderFiles(std::string folder);
