#include "payload/ArchiveCheck.h"

#include "payload/EntryNameRules.h"
#include "payload/PackPlan.h"
#include "payload/PayloadFormat.h"

namespace payload {

ArchiveCheckResult CheckArchive(ArchiveSource& source, LeadByteTest isLeadByte) {
    ArchiveCheckResult result;
    std::vector<std::uint32_t> offsets;
    if (const ArchiveError error = ReadOffsetTable(source, offsets); error != ArchiveError::None) {
        result.problems.push_back(ArchiveErrorText(error));
        return result;
    }
    const std::uint64_t length = source.Length();
    const std::uint64_t tableStart = length - kCountFieldSize - std::uint64_t(offsets.size()) * kOffsetSize;
    if (offsets.back() != tableStart) {
        result.problems.push_back("the last offset " + std::to_string(offsets.back()) +
                                  " is not the start of the offset table, " + std::to_string(tableStart));
    }
    const WalkResult walk = WalkArchive(source, [&](const EntryView& entry) {
        result.entries.push_back(entry);
        return true;
    });
    if (!walk.ok()) {
        result.problems.push_back("entry " + std::to_string(walk.failedIndex) + ": " + ArchiveErrorText(walk.error));
    }
    std::vector<std::string> names;
    for (const EntryView& entry : result.entries) {
        const std::string label = "entry " + std::to_string(entry.index) + " \"" + entry.name + "\"";
        if (!entry.nameTerminated) {
            result.problems.push_back(label + ": the name fills its 400-byte field and is cut to 399 bytes");
        }
        if (const NameProblem problem = FindNameProblem(entry.name, isLeadByte); problem != NameProblem::None) {
            result.problems.push_back(label + ": " + NameProblemText(problem));
        }
        names.push_back(entry.name);
    }
    for (std::size_t index : FindOrphanedNames(names, isLeadByte)) {
        result.problems.push_back("entry " + std::to_string(index) + " \"" + names[index] +
                                  "\": its folder comes before any entry of its parent folder");
    }
    return result;
}

}  // namespace payload
