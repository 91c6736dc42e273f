#pragma once
// The few places of a PE image's headers that the setup and the packer look at, found in one way for
// PE32 and PE32+: the DOS header points at "PE\0\0", a 20-byte file header follows, then the optional
// header, whose magic tells the two layouts apart. Each reader of the headers (the comparison of the
// running file with the mapped image, the certificate table, the packer's checksum) asks this one.

#include <cstddef>
#include <cstdint>

#include "payload/ArchiveReader.h"

namespace payload {

namespace pe {

inline constexpr std::uint32_t kDosHeaderSize = 0x40;
inline constexpr std::uint32_t kSignatureOffsetField = 0x3C;      // in the DOS header: where "PE\0\0" starts
inline constexpr std::uint32_t kSignatureAndFileHeaderSize = 24;  // "PE\0\0" and the 20-byte file header
inline constexpr std::uint32_t kOptionalSizeField = 4 + 16;       // from the signature
inline constexpr std::uint16_t kPe32Magic = 0x10B;
inline constexpr std::uint16_t kPe32PlusMagic = 0x20B;
// In the optional header, the same for PE32 and PE32+.
inline constexpr std::uint32_t kSizeOfHeadersField = 60;
inline constexpr std::uint32_t kCheckSumField = 64;
inline constexpr std::uint32_t kCheckSumSize = 4;
inline constexpr std::uint32_t kResourceDirectory = 2;
inline constexpr std::uint32_t kSecurityDirectory = 4;
inline constexpr std::uint32_t kSectionHeaderSize = 40;
inline constexpr std::uint32_t kDirectoryEntrySize = 8;
// From the signature to the end of a PE32+ image's NumberOfRvaAndSizes: what the reader reads.
inline constexpr std::uint32_t kHeadersWindow = kSignatureAndFileHeaderSize + 112;

}  // namespace pe

// Where the fields lie in the file, as file offsets. Present only for well-formed headers: "MZ", the
// signature, a known magic, and an optional header that reaches at least past CheckSum, all within the
// bytes read.
struct PeHeaders {
    std::uint64_t optionalHeader = 0;  // 0: not a PE image this reader knows
    std::uint32_t optionalSize = 0;    // SizeOfOptionalHeader
    std::uint64_t imageBase = 0;       // ImageBase, 4 bytes in PE32, 8 in PE32+
    std::uint32_t imageBaseSize = 0;
    std::uint64_t checkSum = 0;       // CheckSum, 4 bytes
    std::uint32_t sizeOfHeaders = 0;  // its value
    std::uint64_t directories = 0;    // the first data directory entry
    // The entries both NumberOfRvaAndSizes and the optional header's size hold.
    std::uint32_t directoryCount = 0;
    std::uint64_t sectionTable = 0;  // right behind the optional header, 40 bytes a section
    std::uint16_t sectionCount = 0;

    bool Present() const { return optionalHeader != 0; }
    // Where the data directory entry `index` lies (its address or offset, then its size: 8 bytes); 0
    // when the headers hold no such entry.
    std::uint64_t Directory(std::uint32_t index) const {
        return index < directoryCount ? directories + index * pe::kDirectoryEntrySize : 0;
    }
};

// The headers of the image whose first `size` bytes are `file`.
PeHeaders ReadPeHeaders(const unsigned char* file, std::size_t size);

// The same, read from a file: its DOS header and what follows the signature.
PeHeaders ReadPeHeaders(ArchiveSource& file);

}  // namespace payload
