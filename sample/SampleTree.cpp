#include "sample/SampleTree.h"

#include <fstream>
#include <set>
#include <string_view>

namespace sample {

namespace fs = std::filesystem;

namespace {

std::string_view TopFolderOf(std::string_view path) {
    return path.substr(0, path.find('/'));
}

std::string_view FileNameOf(std::string_view path) {
    return path.substr(path.rfind('/') + 1);
}

std::string CheckPrograms(const fs::path& programsDir) {
    for (const SampleFile& file : kSampleFiles) {
        if (file.kind != SampleKind::Program) {
            continue;
        }
        const fs::path program = programsDir / FileNameOf(file.path);
        std::error_code error;
        if (!fs::is_regular_file(program, error) || fs::file_size(program, error) == 0) {
            return "stand-in program missing or empty: " + program.string();
        }
    }
    return {};
}

// Clears an earlier payload; anything else in the folder makes it refuse.
std::string ClearPayloadDir(const fs::path& payloadDir) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(payloadDir, error))) {
        return {};
    }
    if (!fs::is_directory(fs::symlink_status(payloadDir, error))) {
        return "not a folder: " + payloadDir.string();
    }
    std::set<std::string_view> topFolders;
    for (const SampleFile& file : kSampleFiles) {
        topFolders.insert(TopFolderOf(file.path));
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(payloadDir)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_directory() || entry.is_symlink() || !topFolders.contains(name)) {
            return "refusing to clear " + payloadDir.string() + ": it holds \"" + name +
                   "\", which is not part of a sample payload";
        }
    }
    fs::remove_all(payloadDir);
    return {};
}

std::string WriteGenerated(const fs::path& target, const SampleFile& file, SampleSize size, std::uint64_t& bytes) {
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    const std::uint64_t length = GeneratedFileSize(file, size);
    GenerateContent(file.path, length, [&out](const char* data, std::size_t count) {
        out.write(data, static_cast<std::streamsize>(count));
    });
    out.close();
    if (!out) {
        return "cannot write " + target.string();
    }
    bytes += length;
    return {};
}

}  // namespace

SampleTreeResult WriteSampleTree(const SampleTreeOptions& options) {
    SampleTreeResult result;
    if (options.payloadDir.empty()) {
        result.error = "no payload folder given";
        return result;
    }
    try {
        if (result.error = CheckPrograms(options.programsDir); !result.error.empty()) {
            return result;
        }
        if (result.error = ClearPayloadDir(options.payloadDir); !result.error.empty()) {
            return result;
        }
        for (const SampleFile& file : kSampleFiles) {
            const fs::path target = options.payloadDir / fs::path(file.path);
            fs::create_directories(target.parent_path());
            if (file.kind == SampleKind::Program) {
                const fs::path source = options.programsDir / FileNameOf(file.path);
                fs::copy_file(source, target, fs::copy_options::overwrite_existing);
                result.byteCount += fs::file_size(target);
            } else if (result.error = WriteGenerated(target, file, options.size, result.byteCount);
                       !result.error.empty()) {
                return result;
            }
            ++result.fileCount;
        }
    } catch (const fs::filesystem_error& error) {
        result.error = error.what();
    }
    return result;
}

}  // namespace sample
