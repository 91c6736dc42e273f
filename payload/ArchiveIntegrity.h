#pragma once
// Whether an archive can be extracted as it was packed: the layout the extractors walk holds, and the
// digest of its integrity record, when it has one, matches its bytes. The setup asks this before it
// writes anything; vtpack verify asks it too.

#include <cstdint>
#include <string>

#include "framework/FunctionRef.h"
#include "payload/ArchiveReader.h"
#include "payload/IntegrityRecord.h"

namespace payload {

enum class Integrity {
    Verified,    // the layout holds and the digest matches
    Unrecorded,  // the layout holds and there is no record to check: extracted as before
    Damaged,
    Stopped,     // the one who asked for the check asked it to stop: nothing is known of the bytes
};

enum class Damage {
    None,
    Layout,             // the count, the table or an entry's offsets are broken; layoutError says how
    UnsupportedRecord,  // a record of a version or an algorithm this reader does not know
    DigestMismatch,     // the bytes are not those that were packed
    Unreadable,         // a read failed while the digest was made
};

struct IntegrityCheck {
    Integrity state = Integrity::Damaged;
    Damage damage = Damage::None;
    ArchiveError layoutError = ArchiveError::None;
    IntegrityRecord record;    // as found, when there is one
    std::uint64_t digest = 0;  // as computed, with DigestMismatch and Verified
    bool Intact() const { return state == Integrity::Verified || state == Integrity::Unrecorded; }
};

// archive.Length() is the archive's end: for a file, pass an ArchiveSpan of it. keepGoing, when given,
// is told the bytes of each chunk the digest reads, once it is read; false from it ends the check as
// Stopped.
IntegrityCheck CheckArchiveIntegrity(ArchiveSource& archive, FunctionRef<bool(std::uint64_t)> keepGoing = nullptr);

// A digest as 16 lowercase hexadecimal digits, as the tools show it.
std::string DigestHex(std::uint64_t digest);

}  // namespace payload
