#pragma once
// Finding a host application (CorelDRAW, AutoCAD) in the registry of a 64-bit Windows, which keeps two
// views of HKEY_LOCAL_MACHINE\SOFTWARE: a 32-bit host registers in the 32-bit one, a 64-bit host in
// the 64-bit one. Every AutoCAD for years, and CorelDRAW's "(64bit)" editions, are 64-bit, so the
// search reads both views: its own first, then the other, except for a host that exists only as a
// 64-bit program, which is looked for in the 64-bit view first. On 32-bit Windows both are one view.

#include <array>
#include <string>

#include "framework/CharacterWalk.h"

namespace plugins {

enum class RegistryView {
    Own,    // the view of the setup's own bitness, which a key opened without a view flag shows
    Other,  // the other one
};

// The views in the order they are read.
std::array<RegistryView, 2> ViewsToSearch(bool setupIs64Bit, bool hostIs64Bit);

// The folder with runs of separators made one "\" and no "\" at its end, so that one installation
// found in both views, its path written with or without a trailing "\", is one folder. Letter case is
// left to the caller, who compares the way the file system does.
std::string FolderKey(const std::string& folder, text::LeadByteTest isLeadByte = text::IsGbkLeadByte);

}  // namespace plugins
