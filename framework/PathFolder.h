#pragma once
// The folder a path lies in, found by the path's last "\" as a character: a "\" byte that trails a lead
// byte (framework/CharacterWalk.h) belongs to a character and separates nothing.

#include <string_view>

#include "framework/CharacterWalk.h"

namespace text {

// The path up to and with its last "\": "C:\a\b.txt" -> "C:\a\", "C:\a\" -> "C:\a\". Empty for a
// path without one (a bare name).
inline std::string_view FolderOfPath(std::string_view path, LeadByteTest isLeadByte) {
    const std::size_t last = FindLastCharacter(path, '\\', isLeadByte);
    return last == std::string_view::npos ? std::string_view() : path.substr(0, last + 1);
}

}  // namespace text
