#pragma once
// Creating a folder with every missing level above it, as users expect an installer to do with a new
// folder they typed.

#include <string>

// Creates each missing level of a full path (install::IsFullPath) from the top down; results are not
// examined, since whatever could not be made shows when the first file is written there.
void CreateFolderLevels(const std::string& folder);
