#pragma once
// The key under which Windows takes two entry names for one file: it ignores letter case (of every
// letter that has a case, not only the ASCII ones) and drops the dots and spaces that end a part. The
// fold works on characters: the trail byte of a double-byte character is never a letter of its own,
// so two different Chinese names never meet.

#include <string>
#include <string_view>

#include "payload/EntryName.h"

namespace payload {

// The name with ASCII letters and the cased letters of code page 936 (full-width Latin, Greek,
// Cyrillic, small Roman numerals) in one case, and each part's trailing dots and spaces removed.
// Two names are the same file for Windows when their folded names are equal.
std::string FoldedEntryName(std::string_view name, LeadByteTest isLeadByte = IsGbkLeadByte);

}  // namespace payload
