#include "payload/CertificateTable.h"

#include <cstring>

#include "payload/PayloadFormat.h"

namespace payload {

namespace {

// The few places of the PE layout on the way to the security data directory.
constexpr std::uint32_t kDosHeaderSize = 0x40;
constexpr std::uint32_t kPeOffsetField = 0x3C;       // in the DOS header: where "PE\0\0" starts
constexpr std::uint32_t kSignatureAndCoffSize = 24;  // "PE\0\0" and the 20-byte file header
constexpr std::uint32_t kOptionalSizeField = 4 + 16;
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint32_t kSecurityDirectoryIndex = 4;
constexpr std::uint32_t kDirectoryEntrySize = 8;
struct OptionalHeaderShape {
    std::uint32_t directoryCountField;  // NumberOfRvaAndSizes
    std::uint32_t directories;          // the first data directory entry
};

std::uint16_t ReadLe16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

CertificateTable FindCertificateTable(ArchiveSource& file) {
    unsigned char dos[kDosHeaderSize];
    if (!file.ReadAt(0, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z') {
        return {};
    }
    const std::uint64_t pe = ReadLe32(dos + kPeOffsetField);
    unsigned char head[kSignatureAndCoffSize + 2];  // the optional header's magic included
    if (!file.ReadAt(pe, head, sizeof head) || std::memcmp(head, "PE\0\0", 4) != 0) {
        return {};
    }
    const std::uint16_t optionalSize = ReadLe16(head + kOptionalSizeField);
    const std::uint16_t magic = ReadLe16(head + kSignatureAndCoffSize);
    OptionalHeaderShape shape;
    if (magic == kPe32Magic) {
        shape = {92, 96};
    } else if (magic == kPe32PlusMagic) {
        shape = {108, 112};
    } else {
        return {};
    }
    const std::uint32_t entry = shape.directories + kSecurityDirectoryIndex * kDirectoryEntrySize;
    if (optionalSize < entry + kDirectoryEntrySize) {
        return {};
    }
    const std::uint64_t optional = pe + kSignatureAndCoffSize;
    unsigned char countField[4];
    unsigned char directory[kDirectoryEntrySize];
    if (!file.ReadAt(optional + shape.directoryCountField, countField, sizeof countField) ||
        ReadLe32(countField) <= kSecurityDirectoryIndex ||
        !file.ReadAt(optional + entry, directory, sizeof directory)) {
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
