#include "install/LinkOnTheWay.h"

#include "install/FolderPath.h"

namespace install {

namespace {

std::string FirstLinkBelow(const PathBelow& below, ReparsePointTest isReparsePoint, text::LeadByteTest isLeadByte) {
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
    for (const text::Character c : text::Characters(path, isLeadByte, below.root.size())) {
        if (!c.Is('\\')) {
            levelOpen = true;
        } else if (levelOpen) {
            levelOpen = false;
            if (isReparsePoint(path.substr(0, c.at))) {
                return path.substr(0, c.at);
            }
        }
    }
    return levelOpen && isReparsePoint(path) ? path : std::string();
}

}  // namespace

std::string FirstLinkOnTheWay(const std::vector<PathBelow>& paths,
                              ReparsePointTest isReparsePoint,
                              text::LeadByteTest isLeadByte) {
    for (const PathBelow& below : paths) {
        std::string link = FirstLinkBelow(below, isReparsePoint, isLeadByte);
        if (!link.empty()) {
            return link;
        }
    }
    return std::string();
}

}  // namespace install
