#include "tools/vtpack/PayloadTree.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "tools/vtpack/Gbk.h"

namespace fs = std::filesystem;

namespace {

std::string Quoted(const fs::path& path) {
    return "\"" + path.string() + "\"";
}

// The archive name of a file of the payload tree, or false with the reason in problem.
bool ArchiveNameOf(const fs::path& relative, std::string& name, std::string& problem) {
    name.clear();
    for (const fs::path& part : relative) {
        const std::string text = part.string();
        // On Linux "\" is an ordinary character; in the archive it would start a new folder.
        if (text.find('\\') != std::string::npos) {
            problem = "its name holds a \"\\\", which the setup would take for a folder separator";
            return false;
        }
        std::string gbk;
        if (!Utf8ToGbk(text, gbk)) {
            problem = "its name is not UTF-8 or holds a character that code page 936 cannot represent";
            return false;
        }
        if (!name.empty()) {
            name += '\\';
        }
        name += gbk;
    }
    return true;
}

void ReadFolder(const fs::path& root, const fs::path& folder, PayloadTree& tree, std::vector<fs::path>& pending) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (std::optional<fs::path> subFolder = TakeTreeEntry(root, it->path(), tree)) {
            pending.push_back(std::move(*subFolder));
        }
    }
    if (error) {
        tree.problems.push_back(Quoted(folder) + ": cannot read the folder: " + error.message());
    }
}

}  // namespace

std::optional<fs::path> TakeTreeEntry(const fs::path& root, const fs::path& path, PayloadTree& tree) {
    std::error_code error;
    // The entry itself, not what a link points to: a link is named by its own path.
    const fs::file_status status = fs::symlink_status(path, error);
    if (error) {
        tree.problems.push_back(Quoted(path) + ": cannot look at it: " + error.message());
        return std::nullopt;
    }
    if (fs::is_symlink(status)) {
        tree.problems.push_back(Quoted(path) +
                                ": a symbolic link; the payload takes only files and folders, so put what it "
                                "points to in its place");
        return std::nullopt;
    }
    if (fs::is_directory(status)) {
        return path;  // a folder is created by the entries in it; an empty one cannot travel
    }
    if (!fs::is_regular_file(status)) {
        tree.problems.push_back(Quoted(path) + ": not a regular file");
        return std::nullopt;
    }
    payload::PackItem item;
    item.source = path.string();
    item.size = fs::file_size(path, error);
    if (error) {
        tree.problems.push_back(Quoted(path) + ": cannot read its size: " + error.message());
        return std::nullopt;
    }
    if (!std::ifstream(path, std::ios::binary)) {
        tree.problems.push_back(Quoted(path) + ": cannot open it for reading: " + std::strerror(errno));
        return std::nullopt;
    }
    std::string problem;
    if (!ArchiveNameOf(path.lexically_relative(root), item.name, problem)) {
        tree.problems.push_back(Quoted(path) + ": " + problem);
        return std::nullopt;
    }
    tree.items.push_back(std::move(item));
    return std::nullopt;
}

PayloadTree ReadPayloadTree(const fs::path& root) {
    PayloadTree tree;
    std::vector<fs::path> pending = {root};
    while (!pending.empty()) {
        const fs::path folder = std::move(pending.back());
        pending.pop_back();
        ReadFolder(root, folder, tree, pending);
    }
    return tree;
}
