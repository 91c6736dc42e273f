#include "install/InstallPlan.h"

#include "framework/FormatNumber.h"
#include "framework/PathFolder.h"
#include "install/BackupName.h"
#include "install/DiskSpace.h"
#include "payload/NameFold.h"

namespace install {

InstallPlan::InstallPlan(std::string linkRoot, std::string root, payload::LeadByteTest isLeadByte, NameKey nameKey)
    : m_isLeadByte(isLeadByte), m_nameKey(nameKey), m_linkRoot(std::move(linkRoot)) {
    m_roots.push_back(std::move(root));
    m_linkRoots.push_back(m_linkRoot);
}

unsigned char InstallPlan::AddRoot(std::string folder, std::string linkRoot) {
    m_roots.push_back(std::move(folder));
    m_linkRoots.push_back(std::move(linkRoot));
    return static_cast<unsigned char>(m_roots.size() - 1);
}

std::string InstallPlan::Fold(const std::string& path) const {
    return m_nameKey ? m_nameKey(path) : payload::FoldedEntryName(path, m_isLeadByte);
}

PlannedFile& InstallPlan::Write(std::string destination, Source kind, unsigned char root) {
    std::string folded = Fold(destination);
    for (std::size_t i = 0; i < m_deletionKeys.size(); ++i) {
        if (m_deletionKeys[i] == folded) {
            m_deletions.erase(m_deletions.begin() + static_cast<std::ptrdiff_t>(i));
            m_deletionKeys.erase(m_deletionKeys.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    // Two sources of one destination (a loose folder's file the payload holds too): the later stands.
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        if (m_files[i].folded == folded) {
            m_files.erase(m_files.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    PlannedFile& file = m_files.emplace_back();
    file.destination = std::move(destination);
    file.folded = std::move(folded);
    file.kind = kind;
    file.root = root;
    return file;
}

void InstallPlan::Delete(const std::string& path) {
    std::string folded = Fold(path);
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        if (m_files[i].folded == folded) {
            m_files.erase(m_files.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    for (const std::string& key : m_deletionKeys) {
        if (key == folded) {
            return;
        }
    }
    m_deletions.push_back(path);
    m_deletionKeys.push_back(std::move(folded));
}

void InstallPlan::MakeFolder(std::string folder) {
    m_folders.push_back(std::move(folder));
}

void InstallPlan::RemoveIfEmpty(std::string folder) {
    m_emptied.push_back(std::move(folder));
}

std::vector<PathBelow> InstallPlan::PathsBelowLinkRoot() const {
    std::vector<PathBelow> paths;
    const auto add = [&](const std::string& path) { paths.push_back({m_linkRoot, path}); };
    add(m_roots[0] + kRollbackFolderName);
    // A folder made in another root is checked from that root's link root: above a shell folder, links
    // are the system's business (a relocated profile).
    const auto linkRootOf = [&](const std::string& folder) -> const std::string& {
        for (std::size_t i = 1; i < m_roots.size(); ++i) {
            if (!m_linkRoots[i].empty() && folder.compare(0, m_roots[i].size(), m_roots[i]) == 0) {
                return m_linkRoots[i];
            }
        }
        return m_linkRoot;
    };
    for (const std::string& folder : m_folders) {
        paths.push_back({linkRootOf(folder), folder});
    }
    for (std::size_t i = 1; i < m_roots.size(); ++i) {
        if (!m_linkRoots[i].empty()) {
            paths.push_back({m_linkRoots[i], m_roots[i] + kRollbackFolderName});
        }
    }
    for (const PlannedFile& file : m_files) {
        if (file.root != 0) {
            if (!m_linkRoots[file.root].empty()) {
                paths.push_back({m_linkRoots[file.root], file.destination});
            }
            continue;
        }
        add(file.destination);
        if (file.keepUsersCopy) {
            add(std::string(text::FolderOfPath(file.destination, m_isLeadByte)) + kBackupFolderName + "\\");
        }
    }
    for (const std::string& path : m_deletions) {
        add(path);
    }
    for (const std::string& folder : m_emptied) {
        add(folder);
    }
    return paths;
}

std::uint64_t InstallPlan::BytesNeeded(std::uint64_t clusterSize) const {
    std::uint64_t bytes = 0;
    for (const PlannedFile& file : m_files) {
        if (file.root == 0) {
            bytes += BytesOnDisk(file.size, clusterSize);
        }
    }
    return bytes;
}

std::string StagedName(const std::string& destination, std::size_t index, payload::LeadByteTest isLeadByte) {
    return std::string(text::FolderOfPath(destination, isLeadByte)) + kStagedPrefix + FormatDecimal(static_cast<long long>(index)) + kStagedSuffix;
}

}  // namespace install
