#include "install/FolderFiles_win.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "framework/FileFind_win.h"
#include "framework/File_win.h"
#include "framework/SystemLeadByte_win.h"
#include "install/FolderPath.h"
#include "install/LinkOnTheWay_win.h"

namespace {

// Streamed through one buffer: memory stays small whatever the file's size.
constexpr std::uint32_t kChunkSize = 64 * 1024;

// Calls action(name) for every file lying directly in folder (which ends in "\") until it returns false.
template <typename Action>
bool ForEachFile(const std::string& folder, Action action) {
    CFileFind find;
    for (bool more = find.FindFirst(folder + "*.*"); more; more = find.FindNext()) {
        if (find.IsDots() || find.IsDirectory()) {
            continue;
        }
        if (!action(find.Name())) {
            return false;
        }
    }
    return true;
}

bool Fail(ExtractFailure* failure, ExtractFailure::Kind kind, const CFile& file) {
    if (failure) {
        failure->kind = kind;
        failure->path = file.Path();
        failure->systemError = file.LastError();
    }
    return false;
}

// False only for a failed read or write; a file that can't be opened is skipped.
bool CopyContent(const std::string& source,
                 const std::string& destination,
                 std::vector<char>& buffer,
                 ExtractFailure* failure) {
    CFile input;
    if (!input.Open(source, CFile::Mode::Read)) {
        return true;
    }
    CFile output;
    if (!output.Open(destination, CFile::Mode::CreateWrite)) {
        return true;
    }
    std::uint64_t left = input.Length();
    if (left == UINT64_MAX) {
        return Fail(failure, ExtractFailure::Kind::Read, input);
    }
    while (left > 0) {
        const auto chunk = static_cast<std::uint32_t>(std::min<std::uint64_t>(left, kChunkSize));
        if (!input.Read(buffer.data(), chunk)) {
            return Fail(failure, ExtractFailure::Kind::Read, input);
        }
        if (!output.Write(buffer.data(), chunk)) {
            return Fail(failure, ExtractFailure::Kind::Write, output);
        }
        left -= chunk;
    }
    return true;  // the destination closes before the source, as they were opened the other way round
}

}  // namespace

void CopyFolderFiles(std::string sourceFolder, std::string destinationFolder) {
    if (sourceFolder.empty() || destinationFolder.empty()) {
        return;
    }
    const std::string source = install::WithTrailingBackslash(sourceFolder, IsSystemLeadByte);
    const std::string destination = install::WithTrailingBackslash(destinationFolder, IsSystemLeadByte);
    ForEachFile(source, [&](const std::string& name) {
        CopyFileA((source + name).c_str(), (destination + name).c_str(), FALSE);
        return true;
    });
}

bool CopyFolderFilesByContent(std::string sourceFolder,
                              std::string destinationFolder,
                              ExtractFailure* failure,
                              FileBackup* backup) {
    if (failure) {
        *failure = ExtractFailure();
    }
    if (sourceFolder.empty() || destinationFolder.empty()) {
        return true;
    }
    const std::string source = install::WithTrailingBackslash(sourceFolder, IsSystemLeadByte);
    const std::string destination = install::WithTrailingBackslash(destinationFolder, IsSystemLeadByte);
    std::vector<char> buffer(kChunkSize);
    return ForEachFile(source, [&](const std::string& name) {
        if (backup && !backup->KeepBeforeReplacing(source + name, destination + name)) {
            return true;
        }
        return CopyContent(source + name, destination + name, buffer, failure);
    });
}

void DeleteFolderFiles(std::string folder) {
    if (folder.empty()) {
        return;
    }
    const std::string base = install::WithTrailingBackslash(folder, IsSystemLeadByte);
    // Behind a link lie another program's files, and a linked file is not ours either: neither is
    // deleted, even when the check before the installation did not see it.
    if (IsReparsePointOnDisk(base.substr(0, base.size() - 1))) {
        return;
    }
    ForEachFile(base, [&](const std::string& name) {
        if (!IsReparsePointOnDisk(base + name)) {
            DeleteFileA((base + name).c_str());
        }
        return true;
    });
}
