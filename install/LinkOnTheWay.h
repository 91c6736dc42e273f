#pragma once
// The rule that keeps an elevated setup from writing or deleting through a planted link: inside a folder
// it installs into (the install folder, a host program's folder, a backup folder), no folder or file on
// the way to a path it writes, creates, empties or deletes may be a reparse point (a junction, a symbolic
// link, a mount point). The folder given as the root may itself be one: the user chose it, or the
// registry named it; the rule is for what lies below it.

#include <string>
#include <vector>

#include "framework/CharacterWalk.h"

namespace install {

// Asks the file system whether a path (without a trailing "\") is a reparse point.
using ReparsePointTest = bool (*)(const std::string& path);

struct PathBelow {
    std::string root;  // a folder, ending in "\"
    std::string path;  // below it; a folder may end in "\"
};

// The first level (a folder or the file itself, without a trailing "\") below its root of any of the
// paths, in order, that is a reparse point; empty when there is none. A path that does not start with its
// root is taken level by level from the top of its own drive or share.
std::string FirstLinkOnTheWay(const std::vector<PathBelow>& paths,
                              ReparsePointTest isReparsePoint,
                              text::LeadByteTest isLeadByte = text::IsGbkLeadByte);

}  // namespace install
