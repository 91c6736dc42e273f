#pragma once
// Folder paths that are joined with a name carry a trailing "\". Paths are byte strings in a
// double-byte code page, where a "\" byte that trails a lead byte belongs to a character.

#include <string>
#include <vector>

#include "framework/CharacterWalk.h"

namespace install {

// The folder with one "\" at its end; an empty path stays empty, so it never turns into a root.
std::string WithTrailingBackslash(std::string folder, text::LeadByteTest isLeadByte = text::IsGbkLeadByte);

// Whether the path names one place whatever the current folder: a drive letter, ":" and a separator
// ("D:\Tools"), or a UNC path with a server and a share ("\\server\share\Tools"). "Vectrace", "D:x" and
// "\Tools" lean on a current folder, which for an elevated setup is often System32; "\\.\" and "\\?\"
// name devices and raw paths, not folders a user types.
bool IsFullPath(const std::string& path, text::LeadByteTest isLeadByte = text::IsGbkLeadByte);

// Every folder level of a full path below its root, from the top down, each without a trailing "\":
// "C:\A\B\" gives "C:\A", "C:\A\B"; "\\srv\share\A" gives "\\srv\share\A". Empty for a path that is
// not full.
std::vector<std::string> FolderLevels(const std::string& path, text::LeadByteTest isLeadByte = text::IsGbkLeadByte);

}  // namespace install
