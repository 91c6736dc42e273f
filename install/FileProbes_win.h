#pragma once
// Existence checks through the system's file search, as the plug-in branches use them.

#include <string>

// True when a search for the path finds an entry and that entry is a folder. The search does not
// take a path ending in "\", so such a path gives false.
bool FolderExists(const std::string& path);

// True when a search for the path or wildcard pattern finds any entry, file or folder.
bool FileExists(const std::string& pathOrPattern);
