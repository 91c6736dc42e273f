#pragma once
// Reading the payload tree on the build host: every regular file below the root, with its archive
// name. Anything else is a problem that names its own path (never the target of a link), so the
// packer can list them all and write nothing: a symbolic link (a loop or a dangling one among them),
// a folder that can't be read, a file that went away or can't be opened, a pipe or device.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "payload/PackPlan.h"

struct PayloadTree {
    std::vector<payload::PackItem> items;
    std::vector<std::string> problems;
};

// The files under root, in no particular order (the pack plan orders them). Never throws for what it
// finds on disk.
PayloadTree ReadPayloadTree(const std::filesystem::path& root);

// One path that a folder's listing named: a file is added to the tree, a folder comes back to be read
// in turn, anything else adds a problem. The listing and this look are two moments, so the path may
// be gone by now.
std::optional<std::filesystem::path> TakeTreeEntry(const std::filesystem::path& root,
                                                   const std::filesystem::path& path,
                                                   PayloadTree& tree);
