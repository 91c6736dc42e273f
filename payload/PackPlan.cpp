#include "payload/PackPlan.h"

#include "payload/EntryNameRules.h"
#include "payload/NameFold.h"
#include "payload/PayloadFormat.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

namespace payload {

namespace {

// Folder components, "A\B\c" -> {"A", "B"}.
std::vector<std::string_view> FolderParts(std::string_view name, LeadByteTest isLeadByte) {
    std::vector<std::string_view> parts;
    std::string_view folder = FolderOf(name, isLeadByte);
    while (!folder.empty()) {
        const std::size_t last = LastSeparator(folder, isLeadByte);
        if (last == std::string_view::npos) {
            parts.push_back(folder);
            break;
        }
        parts.push_back(folder.substr(last + 1));
        folder = folder.substr(0, last);
    }
    std::reverse(parts.begin(), parts.end());
    return parts;
}

}  // namespace

void OrderForExtraction(std::vector<PackItem>& items, LeadByteTest isLeadByte) {
    // Comparing folder components one by one, with a shorter folder first, puts "A" before "A\B"
    // and keeps "A\B" next to "A" even when "A.x" sorts between them by plain bytes.
    std::stable_sort(items.begin(), items.end(), [isLeadByte](const PackItem& a, const PackItem& b) {
        const auto pa = FolderParts(a.name, isLeadByte);
        const auto pb = FolderParts(b.name, isLeadByte);
        if (pa != pb) {
            return std::lexicographical_compare(pa.begin(), pa.end(), pb.begin(), pb.end());
        }
        return a.name < b.name;
    });
}

std::vector<std::size_t> FindOrphanedNames(const std::vector<std::string>& names, LeadByteTest isLeadByte) {
    // Each extraction creates only the folders of the entries it writes: the application's leaves out
    // the serial driver folder and "Contour", so a sub-folder of theirs has no parent there.
    std::set<std::size_t> orphans;
    for (const Selection selection : {Selection::Payload, Selection::Drivers}) {
        std::set<std::string, std::less<>> foldersWithFiles;
        std::set<std::string, std::less<>> reported;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string_view folder = FolderOf(names[i], isLeadByte);
            if (!IsSelected(selection, folder)) {
                continue;
            }
            const std::string_view parent = FolderOf(folder, isLeadByte);
            // A folder of the first level hangs directly on the destination, which exists.
            const bool parentExists = parent.empty() || foldersWithFiles.count(parent) != 0;
            if (!parentExists && !foldersWithFiles.count(folder) && reported.insert(std::string(folder)).second) {
                orphans.insert(i);
            }
            // Once one entry created the folder, its later entries and sub-folders find it.
            if (parentExists) {
                foldersWithFiles.insert(std::string(folder));
            }
        }
    }
    return {orphans.begin(), orphans.end()};
}

std::vector<std::string> FindPackProblems(const std::vector<PackItem>& items, LeadByteTest isLeadByte) {
    std::vector<std::string> problems;
    const auto quoted = [](const PackItem& item) { return "\"" + item.source + "\""; };
    if (items.size() > kMaxEntryCount) {
        problems.push_back(std::to_string(items.size()) + " files are more than the " + std::to_string(kMaxEntryCount) +
                           " the setup can hold; the first one too many is " + quoted(items[kMaxEntryCount]));
    }
    std::map<std::string, const PackItem*> seen;
    for (const PackItem& item : items) {
        if (item.name.size() > kMaxNameLength) {
            problems.push_back(quoted(item) + ": its name has " + std::to_string(item.name.size()) +
                               " bytes in the archive, more than the " + std::to_string(kMaxNameLength) +
                               " the setup reads");
        }
        if (item.size == 0) {
            problems.push_back(quoted(item) +
                               ": the file is empty, and the setup takes an entry without data "
                               "for a broken archive");
        }
        if (const NameProblem problem = FindNameProblem(item.name, isLeadByte); problem != NameProblem::None) {
            problems.push_back(quoted(item) + ": " + NameProblemText(problem));
        }
        // Windows does not tell names apart by letter case or trailing dots: the second would overwrite
        // the first.
        const auto [it, inserted] = seen.emplace(FoldedEntryName(item.name, isLeadByte), &item);
        if (!inserted) {
            problems.push_back(quoted(item) + ": Windows would take it for the same file as " + quoted(*it->second));
        }
    }
    std::vector<std::string> names;
    names.reserve(items.size());
    for (const PackItem& item : items) {
        names.push_back(item.name);
    }
    for (std::size_t index : FindOrphanedNames(names, isLeadByte)) {
        const std::string_view folder = FolderOf(items[index].name, isLeadByte);
        problems.push_back(quoted(items[index]) + ": its folder's parent \"" +
                           std::string(FolderOf(folder, isLeadByte)) +
                           "\" holds no file of its own before it that the same extraction writes, so the setup "
                           "could not create the folder");
    }
    return problems;
}

}  // namespace payload
