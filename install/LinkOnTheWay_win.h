#pragma once
// The rule of install/LinkOnTheWay.h asked of the file system: each install branch gathers every path
// it will write, create, empty or delete, below the folder it installs into, and asks once before it
// writes anything.

#include <string>
#include <vector>

#include "framework/File_win.h"
#include "install/LinkOnTheWay.h"
#include "payload/PayloadExtractor_win.h"
#include "payload/PayloadFormat.h"

// FILE_ATTRIBUTE_REPARSE_POINT: a junction, symbolic link or mount point. A path that does not exist is none.
bool IsReparsePointOnDisk(const std::string& path);

// The paths gathered for one branch.
class PathsToWrite {
public:
    // folder + name lies below `root` (a folder ending in "\"), which may itself be a link.
    void Add(const std::string& root, const std::string& folder, const char* name = "");

    const std::vector<install::PathBelow>& Paths() const { return m_paths; }

private:
    std::vector<install::PathBelow> m_paths;
};

// The first link on the way to any of the paths, empty when there is none.
std::string FindLinkOnTheWay(const PathsToWrite& paths);

// How an installation reports the link it found: kind Link, the link's path.
ExtractFailure LinkOnTheWayFailure(const std::string& link);
