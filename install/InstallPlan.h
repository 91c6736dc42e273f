#pragma once
// What one install branch will leave on disk, gathered before anything is written: every file it
// writes (and where the bytes come from), every file it deletes, the folders it makes and the folders
// it removes once emptied. The check (files in use, free space, links) and the staged writing both
// work from this one list.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "install/LinkOnTheWay.h"
#include "payload/EntryName.h"

namespace install {

enum class Source : unsigned char {
    Archive,     // an entry of the setup's archive: `offset` and `size`
    Copy,        // the file `source`, copied by the system (attributes and times come along)
    Content,     // the bytes of the file `source` only (plain attributes, the time of writing)
    SoftConfig,  // "SoftCfg.ini": what `source` holds (nothing when it is missing), then "Language"
    Shortcut,    // a shell link to `source`, described by `description`, with `icon` unless it is empty
};

struct PlannedFile {
    std::string destination;
    std::string folded;  // the destination as Windows compares names (InstallPlan::NameKey)
    std::string source;
    std::string description;
    std::string icon;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;  // bytes written, as far as known beforehand: what the space check counts
    Source kind = Source::Archive;
    // The user may have changed the file: when its bytes differ from the new ones, a copy goes into
    // "Backup\<date time>\" beside it first. Compared with the bytes that replace it, as staged.
    bool keepUsersCopy = false;
    unsigned char root = 0;  // index into InstallPlan::Roots(): the rollback folder it moves aside into
    int language = 0;        // SoftConfig: the language index written
};

// The name of the folder, in each root, that holds the files moved aside until the branch succeeded,
// and the temporary names new files are written under beside their destinations ("~vtsetup<n>.tmp").
inline constexpr const char* kRollbackFolderName = "~vtsetup.rollback\\";
inline constexpr const char* kStagedPrefix = "~vtsetup";
inline constexpr const char* kStagedSuffix = ".tmp";

class InstallPlan {
public:
    // The key under which two destinations are one file; null takes payload::FoldedEntryName.
    using NameKey = std::string (*)(std::string_view path);

    // root: the folder the branch installs into, ending in "\". linkRoot: the folder it or one above
    // it, below which no link may lie on the way to anything planned in root (LinkOnTheWay.h).
    InstallPlan(std::string linkRoot,
                std::string root,
                payload::LeadByteTest isLeadByte = payload::IsGbkLeadByte,
                NameKey nameKey = nullptr);

    // Another folder written into (the shortcuts' folders), ending in "\". linkRoot: the folder it or one
    // above it, below which no link may lie on the way to it and to what is planned in it; empty: none.
    unsigned char AddRoot(std::string folder, std::string linkRoot = std::string());

    // A later call for the same path wins: a write takes back an earlier write or deletion, and a
    // deletion an earlier write, so a branch can state its steps in the order the installation always
    // took them. Each destination is then written once, from the source that will stand there.
    PlannedFile& Write(std::string destination, Source kind, unsigned char root = 0);
    // A file of root 0 to delete, if it exists when the branch runs.
    void Delete(const std::string& path);
    // A folder made if missing, in the order given, before any file is written; the folders on the way
    // to each destination below its root are made as needed.
    void MakeFolder(std::string folder);
    // Made with Program Files' permissions when it has to be made (the main install folder).
    void SetProtectedFolder(std::string folder) { m_protectedFolder = std::move(folder); }
    // Removed after the files are in place, if it is empty then.
    void RemoveIfEmpty(std::string folder);

    const std::vector<PlannedFile>& Files() const { return m_files; }
    std::vector<PlannedFile>& Files() { return m_files; }
    const std::vector<std::string>& Deletions() const { return m_deletions; }
    const std::vector<std::string>& Folders() const { return m_folders; }
    const std::vector<std::string>& EmptiedFolders() const { return m_emptied; }
    const std::vector<std::string>& Roots() const { return m_roots; }
    const std::string& ProtectedFolder() const { return m_protectedFolder; }
    payload::LeadByteTest LeadByteTest() const { return m_isLeadByte; }

    // Every path the branch writes, creates, empties or deletes below the link root, its backup and
    // rollback folders included, and what it writes into another root below that root's link root, for
    // the link check.
    std::vector<PathBelow> PathsBelowLinkRoot() const;

    // Bytes the files of root 0 take on a volume of that cluster size (DiskSpace.h): the new files sit
    // beside the old ones until the branch has succeeded.
    std::uint64_t BytesNeeded(std::uint64_t clusterSize) const;

private:
    std::string Fold(const std::string& path) const;

    payload::LeadByteTest m_isLeadByte;
    NameKey m_nameKey;
    std::string m_linkRoot;
    std::vector<std::string> m_roots;
    std::vector<std::string> m_linkRoots;  // per root: where its link check starts; the first is m_linkRoot
    std::vector<PlannedFile> m_files;
    std::vector<std::string> m_deletions;
    std::vector<std::string> m_deletionKeys;  // folded, as PlannedFile::folded
    std::vector<std::string> m_folders;
    std::vector<std::string> m_emptied;
    std::string m_protectedFolder;
};

// The temporary name of the index-th file beside `destination`, in its folder.
std::string StagedName(const std::string& destination,
                       std::size_t index,
                       payload::LeadByteTest isLeadByte = payload::IsGbkLeadByte);

}  // namespace install
