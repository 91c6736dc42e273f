#include "install/LinkOnTheWay.h"

#include "install/FolderPath.h"

namespace install {

namespace {

std::string FirstLinkBelow(const PathBelow& below, ReparsePointTest isReparsePoint, payload::LeadByteTest isLeadByte) {
    const std::string& path = below.path;
    if (below.root.empty() || path.compare(0, below.root.size(), below.root) != 0) {
        for (const std::string& level : FolderLevels(path, isLeadByte)) {
            if (isReparsePoint(level)) {
                return level;
            }
        }
        return std::string();
    }
    // Each "\" below the root ends a level; the path's end ends the last one, unless a "\" did.
    bool levelOpen = false;
    for (std::size_t i = below.root.size(); i < path.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            ++i;  // a trail byte may look like "\" and is none
            levelOpen = true;
        } else if (path[i] != '\\') {
            levelOpen = true;
        } else if (levelOpen) {
            levelOpen = false;
            if (isReparsePoint(path.substr(0, i))) {
                return path.substr(0, i);
            }
        }
    }
    return levelOpen && isReparsePoint(path) ? path : std::string();
}

}  // namespace

std::string FirstLinkOnTheWay(const std::vector<PathBelow>& paths,
                              ReparsePointTest isReparsePoint,
                              payload::LeadByteTest isLeadByte) {
    for (const PathBelow& below : paths) {
        std::string link = FirstLinkBelow(below, isReparsePoint, isLeadByte);
        if (!link.empty()) {
            return link;
        }
    }
    return std::string();
}

}  // namespace install
