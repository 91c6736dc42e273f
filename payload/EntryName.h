#pragma once
// Entry names: the folder an entry belongs to, which extractor takes it, and whether writing it could
// land outside the destination folder. Names are byte strings in a double-byte code page, so a "\"
// byte that trails a lead byte is part of a character, not a separator.

#include <string>
#include <string_view>

#include "framework/CharacterWalk.h"

namespace payload {

// The archive's names are written in code page 936 (GBK); the setup reads them with the system's lead
// bytes.
using LeadByteTest = text::LeadByteTest;
using text::IsGbkLeadByte;

// The text of a 400-byte name field: up to its first zero byte, never past byte 398.
std::string NameFromField(const char* field);

// Position of the last folder separator ("\" only), or npos.
std::size_t LastSeparator(std::string_view name, LeadByteTest isLeadByte = IsGbkLeadByte);

// The part of the name before its last "\"; empty for a name without one.
std::string_view FolderOf(std::string_view name, LeadByteTest isLeadByte = IsGbkLeadByte);

// False for a name the setup must not write: one that could land outside the destination folder
// (empty, absolute as "\x" or "C:x", holding a ":", or with a part that is empty or only dots and
// spaces, since Windows trims trailing dots and spaces and ".. " means ".."), and one that Windows
// reads specially (EntryNameRules.h: a device name, a reserved character, a part ending in a dot or
// space). Parts split at "\" and "/", since Windows takes both.
bool IsSafeEntryName(std::string_view name, LeadByteTest isLeadByte = IsGbkLeadByte);

enum class Selection {
    Payload,  // everything but the serial driver folder and "Contour"
    Drivers,  // only the driver folders
};

// Folders match exactly and with case: "MxDriver\sub" and "mxdriver" are other folders.
bool IsSelected(Selection selection, std::string_view folder);

}  // namespace payload
