#pragma once
// Creating the install folder with the permissions of install/FolderProtection.h.

#include <windows.h>

#include <string>

// Creates the folder (its parent must exist) with those permissions. False with the system's reason in
// *error when it could not, also when the folder exists already: an existing folder keeps its own.
bool CreateProtectedFolder(const std::string& folder, DWORD* error);
