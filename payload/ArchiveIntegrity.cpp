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

IntegrityCheck CheckArchiveIntegrity(ArchiveSource& archive, FunctionRef<bool(std::uint64_t)> keepGoing) {
    IntegrityCheck check;
    // The rules the extractors' walk applies, on the table alone: a table they would stop at is refused
    // before the first file is written, and the names are left to the digest.
    std::vector<std::uint32_t> offsets;
    check.layoutError = ReadOffsetTable(archive, offsets);
    for (std::size_t i = 0; check.layoutError == ArchiveError::None && i + 1 < offsets.size(); ++i) {
        check.layoutError = CheckEntryBounds(offsets[i], offsets[i + 1], archive.Length());
    }
    if (check.layoutError != ArchiveError::None) {
        return Damaged(check, Damage::Layout);
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
    bool stopped = false;
    const bool read = DigestRange(archive, offsets.front(), archive.Length(), check.digest, [&](std::uint64_t bytes) {
        stopped = keepGoing && !keepGoing(bytes);
        return !stopped;
    });
    if (stopped) {
        check.state = Integrity::Stopped;
        return check;
    }
    if (!read) {
        return Damaged(check, Damage::Unreadable);
    }
    if (check.digest != check.record.digest) {
        return Damaged(check, Damage::DigestMismatch);
    }
    check.state = Integrity::Verified;
    return check;
}

std::string DigestHex(std::uint64_t digest) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, digest >>= 4) {
        text[static_cast<std::size_t>(i)] = kDigits[digest & 0xF];
    }
    return text;
}

}  // namespace payload
