#include "payload/ArchiveIntegrity.h"

#include "payload/ArchiveDigest.h"

namespace payload {

namespace {

IntegrityCheck Damaged(IntegrityCheck check, Damage damage) {
    check.state = Integrity::Damaged;
    check.damage = damage;
    return check;
}

}  // namespace

IntegrityCheck CheckArchiveIntegrity(ArchiveSource& archive) {
    IntegrityCheck check;
    // The same walk the extractors make, visiting nothing, so a table they would stop at is refused
    // before the first file is written.
    const WalkResult walk = WalkArchive(archive, [](const EntryView&) { return true; });
    if (!walk.ok()) {
        check.layoutError = walk.error;
        return Damaged(check, Damage::Layout);
    }
    std::vector<std::uint32_t> offsets;
    if (ReadOffsetTable(archive, offsets) != ArchiveError::None) {
        return Damaged(check, Damage::Unreadable);
    }
    switch (ReadIntegrityRecord(archive, offsets.front(), check.record)) {
        case RecordState::Absent:
            check.state = Integrity::Unrecorded;
            return check;
        case RecordState::Unsupported:
            return Damaged(check, Damage::UnsupportedRecord);
        case RecordState::Supported:
            break;
    }
    if (!DigestRange(archive, offsets.front(), archive.Length(), check.digest)) {
        return Damaged(check, Damage::Unreadable);
    }
    if (check.digest != check.record.digest) {
        return Damaged(check, Damage::DigestMismatch);
    }
    check.state = Integrity::Verified;
    return check;
}

}  // namespace payload
