#pragma once
// Folder paths that are joined with a name carry a trailing "\". Paths are byte strings in a
// double-byte code page, where a "\" byte that trails a lead byte belongs to a character.

#include <string>

#include "payload/EntryName.h"

namespace install {

// The folder with one "\" at its end; an empty path stays empty, so it never turns into a root.
std::string WithTrailingBackslash(std::string folder, payload::LeadByteTest isLeadByte = payload::IsGbkLeadByte);

}  // namespace install
