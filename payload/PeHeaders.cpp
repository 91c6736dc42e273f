#include "payload/PeHeaders.h"

#include <cstring>

#include "payload/PayloadFormat.h"

namespace payload {

namespace {

std::uint16_t ReadLe16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

// Where "PE\0\0" starts, from a DOS header of at least `size` bytes; false when it is none.
bool SignatureOffset(const unsigned char* dos, std::size_t size, std::uint32_t* at) {
    if (size < pe::kDosHeaderSize || dos[0] != 'M' || dos[1] != 'Z') {
        return false;
    }
    *at = ReadLe32(dos + pe::kSignatureOffsetField);
    return true;
}

// The headers from `bytes` (`size` of them), which start at the signature, `at` bytes into the file.
PeHeaders FromSignature(const unsigned char* bytes, std::size_t size, std::uint64_t at) {
    using namespace pe;
    if (size < kSignatureAndFileHeaderSize + kCheckSumField + kCheckSumSize || std::memcmp(bytes, "PE\0\0", 4) != 0) {
        return {};
    }
    const unsigned char* optional = bytes + kSignatureAndFileHeaderSize;
    const std::uint16_t magic = ReadLe16(optional);
    const bool plus = magic == kPe32PlusMagic;
    if (magic != kPe32Magic && !plus) {
        return {};
    }
    const std::uint32_t optionalSize = ReadLe16(bytes + kOptionalSizeField);
    if (optionalSize < kCheckSumField + kCheckSumSize) {
        return {};
    }
    PeHeaders headers;
    headers.optionalHeader = at + kSignatureAndFileHeaderSize;
    headers.optionalSize = optionalSize;
    headers.imageBase = headers.optionalHeader + (plus ? 24 : 28);
    headers.imageBaseSize = plus ? 8 : 4;
    headers.checkSum = headers.optionalHeader + kCheckSumField;
    headers.sizeOfHeaders = ReadLe32(optional + kSizeOfHeadersField);
    headers.sectionTable = headers.optionalHeader + optionalSize;
    headers.sectionCount = ReadLe16(bytes + 4 + 2);
    const std::uint32_t countField = plus ? 108 : 92;  // NumberOfRvaAndSizes, the directories behind it
    headers.directories = headers.optionalHeader + countField + 4;
    if (optionalSize >= countField + 4 && size - kSignatureAndFileHeaderSize >= countField + 4) {
        const std::uint32_t fits = (optionalSize - countField - 4) / kDirectoryEntrySize;
        const std::uint32_t count = ReadLe32(optional + countField);
        headers.directoryCount = count < fits ? count : fits;
    }
    return headers;
}

}  // namespace

PeHeaders ReadPeHeaders(const unsigned char* file, std::size_t size) {
    std::uint32_t at = 0;
    if (!SignatureOffset(file, size, &at) || at > size) {
        return {};
    }
    return FromSignature(file + at, size - at, at);
}

PeHeaders ReadPeHeaders(ArchiveSource& file) {
    unsigned char dos[pe::kDosHeaderSize];
    std::uint32_t at = 0;
    const std::uint64_t length = file.Length();
    if (length < sizeof dos || !file.ReadAt(0, dos, sizeof dos) || !SignatureOffset(dos, sizeof dos, &at) ||
        at > length) {
        return {};
    }
    unsigned char window[pe::kHeadersWindow];
    const auto count = static_cast<std::uint32_t>(length - at < sizeof window ? length - at : sizeof window);
    if (!file.ReadAt(at, window, count)) {
        return {};
    }
    return FromSignature(window, count, at);
}

}  // namespace payload
