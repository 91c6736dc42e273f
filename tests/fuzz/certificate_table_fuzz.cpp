// libFuzzer: any bytes as a (signed) setup file. The certificate table found must lie inside the file,
// the archive's end must not lie past it, and the readers given the span must stay inside the span.
#include <cstdint>

#include "payload/ArchiveCheck.h"
#include "payload/ArchiveIntegrity.h"
#include "payload/CertificateTable.h"
#include "tests/fuzz/FuzzSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSource file(data, size);
    const payload::CertificateTable table = payload::FindCertificateTable(file);
    if (table.Present() && (table.offset == 0 || table.offset + table.size > size)) {
        __builtin_trap();
    }
    const std::uint64_t end = payload::ArchiveEnd(file);
    if (end > size || (end != size && (!table.Present() || end != table.offset))) {
        __builtin_trap();
    }
    payload::ArchiveSpan span(file);
    if (span.Length() != end) {
        __builtin_trap();
    }
    payload::WalkArchive(span, [&](const payload::EntryView& entry) {
        if (entry.dataOffset + entry.dataSize > end) {
            __builtin_trap();
        }
        return true;
    });
    payload::CheckArchiveIntegrity(span);
    return 0;
}
