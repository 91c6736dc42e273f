#pragma once
// Reading the archive from the end of a file: the offset table, then the entries in table order.
// The same walk serves the setup's extractors (over its own executable) and vtpack's list, verify and
// extract (over any file), so both judge an archive alike.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/FunctionRef.h"
#include "payload/EntryName.h"

namespace payload {

// Where the archive's bytes come from.
class ArchiveSource {
public:
    virtual ~ArchiveSource() = default;
    // Where the archive ends. For a setup file, which may be signed, wrap the file in an ArchiveSpan
    // (payload/CertificateTable.h), whose length stops in front of the certificate table.
    virtual std::uint64_t Length() = 0;
    // Reads exactly count bytes at offset; false when the read fails or returns fewer bytes.
    virtual bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) = 0;
};

enum class ArchiveError {
    None,
    FileTooShort,      // shorter than the count field
    BadCount,          // N is 0 or above 7750
    TableOutsideFile,  // 4N + 4 is more than the file length
    ReadFailed,        // the table or a name field could not be read whole
    EntryEndPastFile,  // o[i+1] at or beyond the end of the file
    EntryWithoutData,  // o[i+1] - o[i] <= 400, a descending offset included
    Stopped,           // the visitor stopped the walk
};

const char* ArchiveErrorText(ArchiveError error);

// The offset table, sentinel included: N offsets.
ArchiveError ReadOffsetTable(ArchiveSource& source, std::vector<std::uint32_t>& offsets);

struct EntryView {
    std::uint32_t index = 0;  // position in the table
    std::string name;         // as stored: code page bytes, "\" separators
    std::uint64_t dataOffset = 0;
    std::uint32_t dataSize = 0;
    bool nameTerminated = true;  // false when the field held no zero byte and the name was cut
};

struct WalkResult {
    ArchiveError error = ArchiveError::None;
    std::uint32_t failedIndex = 0;  // the entry at which the walk stopped, when it did
    bool ok() const { return error == ArchiveError::None; }
};

// Whether the entry between two neighbouring offsets can be extracted from a file of the given length:
// None, EntryEndPastFile or EntryWithoutData. The walk below and the integrity check judge alike by it.
ArchiveError CheckEntryBounds(std::uint32_t start, std::uint32_t end, std::uint64_t length);

// Visits the entries in table order, checking each entry's bounds just before it is visited, so the
// entries before a bad one are still visited. The visitor returns false to stop the walk.
WalkResult WalkArchive(ArchiveSource& source, FunctionRef<bool(const EntryView&)> visit);

}  // namespace payload
