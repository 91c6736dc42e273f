#include "install/FolderPath.h"

namespace install {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The end of the part that starts at `start`: the next separator that is a character of its own.
std::size_t PartEnd(const std::string& path, std::size_t start, text::LeadByteTest isLeadByte) {
    for (const text::Character c : text::Characters(path, isLeadByte, start)) {
        if (c.Is('\\') || c.Is('/')) {
            return c.at;
        }
    }
    return path.size();
}

// Length of the root ("C:\" or "\\server\share"), or 0 when the path has none that is full.
std::size_t RootLength(const std::string& path, text::LeadByteTest isLeadByte) {
    if (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && IsSeparator(path[2])) {
        return 3;
    }
    if (path.size() < 3 || !IsSeparator(path[0]) || !IsSeparator(path[1]) || IsSeparator(path[2])) {
        return 0;
    }
    const std::size_t serverEnd = PartEnd(path, 2, isLeadByte);
    const std::string server = path.substr(2, serverEnd - 2);
    if (server == "." || server == "?" || serverEnd >= path.size()) {
        return 0;
    }
    const std::size_t shareEnd = PartEnd(path, serverEnd + 1, isLeadByte);
    return shareEnd == serverEnd + 1 ? 0 : shareEnd;
}

}  // namespace

std::string WithTrailingBackslash(std::string folder, text::LeadByteTest isLeadByte) {
    if (!folder.empty() && text::FindLastCharacter(folder, '\\', isLeadByte) != folder.size() - 1) {
        folder += '\\';
    }
    return folder;
}

bool IsFullPath(const std::string& path, text::LeadByteTest isLeadByte) {
    return RootLength(path, isLeadByte) != 0;
}

std::vector<std::string> FolderLevels(const std::string& path, text::LeadByteTest isLeadByte) {
    std::vector<std::string> levels;
    const std::size_t root = RootLength(path, isLeadByte);
    if (root == 0) {
        return levels;
    }
    for (std::size_t start = root; start < path.size();) {
        const std::size_t end = PartEnd(path, start, isLeadByte);
        if (end > start) {  // a doubled separator makes no level of its own
            levels.push_back(path.substr(0, end));
        }
        start = end + 1;
    }
    return levels;
}

}  // namespace install
