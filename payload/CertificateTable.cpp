#include "payload/CertificateTable.h"

#include "payload/PayloadFormat.h"
#include "payload/PeHeaders.h"

namespace payload {

CertificateTable FindCertificateTable(ArchiveSource& file) {
    const PeHeaders headers = ReadPeHeaders(file);
    unsigned char directory[pe::kDirectoryEntrySize];
    const std::uint64_t entry = headers.Directory(pe::kSecurityDirectory);
    if (entry == 0 || !file.ReadAt(entry, directory, sizeof directory)) {
        return {};
    }
    // Unlike every other data directory, this one holds a file offset, not an address in memory.
    CertificateTable table;
    table.offset = ReadLe32(directory);
    table.size = ReadLe32(directory + 4);
    if (table.offset == 0 || table.size == 0 || table.offset + table.size > file.Length()) {
        return {};
    }
    return table;
}

std::uint64_t ArchiveEnd(ArchiveSource& file) {
    const std::uint64_t length = file.Length();
    const CertificateTable table = FindCertificateTable(file);
    if (table.Present() && length - (table.offset + table.size) < kFileLengthAlignment) {
        return table.offset;
    }
    return length;
}

}  // namespace payload
