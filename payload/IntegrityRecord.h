#pragma once
// The integrity record in front of the first entry (layout in PayloadFormat.h): written by vtpack,
// read by the setup and by vtpack's list and verify.

#include <cstdint>

#include "payload/ArchiveReader.h"
#include "payload/PayloadFormat.h"

namespace payload {

struct IntegrityRecord {
    std::uint32_t version = kIntegrityVersion;
    std::uint32_t algorithm = kDigestXxh3_64;
    std::uint64_t digest = 0;
};

enum class RecordState {
    Absent,       // no magic in front of the first entry
    Supported,    // a record this reader can check
    Unsupported,  // the magic, but a version or algorithm this reader does not know
};

void EncodeIntegrityRecord(const IntegrityRecord& record, unsigned char (&bytes)[kIntegrityRecordSize]);

// Reads the record that ends where the first entry starts (firstOffset, the table's o[0]).
RecordState ReadIntegrityRecord(ArchiveSource& archive, std::uint32_t firstOffset, IntegrityRecord& record);

}  // namespace payload
