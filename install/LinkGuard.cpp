#include "install/LinkGuard.h"

#include <algorithm>

namespace install {

namespace {

// The folder a path lies in, with its "\"; empty for a path without one.
std::string FolderPart(const std::string& path, text::LeadByteTest isLeadByte) {
    std::size_t last = std::string::npos;
    // A trailing "\" belongs to the path itself: the folder is the one holding it.
    const std::size_t end = !path.empty() && path.back() == '\\' ? path.size() - 1 : path.size();
    const std::string_view walked(path.data(), end);
    for (const text::Character c : text::Characters(walked, isLeadByte)) {
        if (c.Is('\\')) {
            last = c.at;
        }
    }
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

bool IsCopiedFromOutside(Source kind) {
    return kind == Source::Copy || kind == Source::Content || kind == Source::SoftConfig;
}

}  // namespace

LinkGuard::LinkGuard(const InstallPlan& plan, ReparsePointTest isReparsePoint, text::LeadByteTest isLeadByte)
    : m_isReparsePoint(isReparsePoint), m_isLeadByte(isLeadByte), m_paths(plan.PathsBelowLinkRoot()) {
    for (const PathBelow& below : m_paths) {
        if (std::find(m_linkRoots.begin(), m_linkRoots.end(), below.root) == m_linkRoots.end()) {
            m_linkRoots.push_back(below.root);
        }
    }
    // A file copied in: the folder it lies in and the file are checked, below the folder above them
    // (for a loose folder, the setup's own folder, which may be a link: the user started it there).
    for (const PlannedFile& file : plan.Files()) {
        if (IsCopiedFromOutside(file.kind) && !file.source.empty()) {
            const std::string above = FolderPart(FolderPart(file.source, isLeadByte), isLeadByte);
            if (!above.empty()) {
                m_paths.push_back({above, file.source});
            }
        }
    }
}

std::string LinkGuard::FirstLink() const {
    return FirstLinkOnTheWay(m_paths, m_isReparsePoint, m_isLeadByte);
}

std::string LinkGuard::LinkOnTheWayTo(const std::string& path) const {
    const std::string* innermost = nullptr;
    for (const std::string& root : m_linkRoots) {
        // A level of a link root or above it (a missing level of the chosen target being made): what lies
        // there is the user's choice.
        if (root.compare(0, path.size(), path) == 0 && (root.size() == path.size() || root[path.size()] == '\\')) {
            return std::string();
        }
        if (path.compare(0, root.size(), root) == 0 && (!innermost || root.size() > innermost->size())) {
            innermost = &root;
        }
    }
    return FirstLinkOnTheWay({{innermost ? *innermost : std::string(), path}}, m_isReparsePoint, m_isLeadByte);
}

}  // namespace install
