// libFuzzer: any bytes as an archive with or without an integrity record. The check must neither crash
// nor read outside the bytes; what it calls intact the extractors' walk must take whole, and a record it
// verified must hold the digest of the bytes from the first entry on.
#include <cstdint>
#include <vector>

#include "payload/ArchiveCheck.h"
#include "payload/ArchiveDigest.h"
#include "payload/ArchiveIntegrity.h"
#include "payload/IntegrityRecord.h"
#include "tests/fuzz/FuzzSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSource source(data, size);
    const payload::IntegrityCheck check = payload::CheckArchiveIntegrity(source);
    const bool walked = payload::WalkArchive(source, [](const payload::EntryView&) { return true; }).ok();
    // Layout damage is exactly what the walk refuses; anything else was walked whole.
    if ((check.damage == payload::Damage::Layout) == walked) {
        __builtin_trap();
    }
    if (check.state == payload::Integrity::Verified) {
        std::vector<std::uint32_t> offsets;
        payload::ReadOffsetTable(source, offsets);
        payload::ArchiveDigest digest;
        digest.Update(data + offsets.front(), size - offsets.front());
        if (digest.Value() != check.record.digest) {
            __builtin_trap();
        }
    }
    payload::IntegrityRecord record;
    for (std::uint32_t first : {std::uint32_t(0), std::uint32_t(24), static_cast<std::uint32_t>(size)}) {
        payload::ReadIntegrityRecord(source, first, record);
    }
    payload::IntegrityText(check);
    return 0;
}
