#include "payload/IntegrityRecord.h"

#include <cstring>

namespace payload {

namespace {

constexpr std::size_t kVersionField = sizeof kIntegrityMagic;
constexpr std::size_t kAlgorithmField = kVersionField + 4;
constexpr std::size_t kDigestField = kAlgorithmField + 4;
static_assert(kDigestField + 8 == kIntegrityRecordSize);

}  // namespace

void EncodeIntegrityRecord(const IntegrityRecord& record, unsigned char (&bytes)[kIntegrityRecordSize]) {
    std::memcpy(bytes, kIntegrityMagic, sizeof kIntegrityMagic);
    WriteLe32(bytes + kVersionField, record.version);
    WriteLe32(bytes + kAlgorithmField, record.algorithm);
    WriteLe32(bytes + kDigestField, static_cast<std::uint32_t>(record.digest));
    WriteLe32(bytes + kDigestField + 4, static_cast<std::uint32_t>(record.digest >> 32));
}

RecordState ReadIntegrityRecord(ArchiveSource& archive, std::uint32_t firstOffset, IntegrityRecord& record) {
    unsigned char bytes[kIntegrityRecordSize];
    if (firstOffset < kIntegrityRecordSize ||
        !archive.ReadAt(firstOffset - kIntegrityRecordSize, bytes, sizeof bytes) ||
        std::memcmp(bytes, kIntegrityMagic, sizeof kIntegrityMagic) != 0) {
        return RecordState::Absent;
    }
    record.version = ReadLe32(bytes + kVersionField);
    record.algorithm = ReadLe32(bytes + kAlgorithmField);
    record.digest = ReadLe32(bytes + kDigestField) | std::uint64_t(ReadLe32(bytes + kDigestField + 4)) << 32;
    return record.version == kIntegrityVersion && record.algorithm == kDigestXxh3_64 ? RecordState::Supported
                                                                                     : RecordState::Unsupported;
}

}  // namespace payload
