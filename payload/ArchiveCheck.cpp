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
        result.integrity = CheckArchiveIntegrity(source);
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
    // A broken layout was reported by the walk above.
    result.integrity = CheckArchiveIntegrity(source);
    if (!result.integrity.Intact() && result.integrity.damage != Damage::Layout) {
        result.problems.push_back(IntegrityText(result.integrity));
    }
    return result;
}

std::string IntegrityText(const IntegrityCheck& check) {
    switch (check.damage) {
        case Damage::None:
            return check.state == Integrity::Verified
                       ? "integrity record: XXH3-64 " + DigestHex(check.record.digest) + ", matches"
                       : "no integrity record: nothing to check the bytes against";
        case Damage::Layout:
            return ArchiveErrorText(check.layoutError);
        case Damage::UnsupportedRecord:
            return "the integrity record has version " + std::to_string(check.record.version) + " and algorithm " +
                   std::to_string(check.record.algorithm) + ", which this reader does not know";
        case Damage::DigestMismatch:
            return "the archive's digest is " + DigestHex(check.digest) + " but its integrity record says " +
                   DigestHex(check.record.digest) + ": the file is damaged";
        case Damage::Unreadable:
            return "the archive could not be read to the end";
    }
    return "unknown damage";
}

}  // namespace payload
