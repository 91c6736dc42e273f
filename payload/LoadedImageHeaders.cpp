#include "payload/LoadedImageHeaders.h"

#include <cstdint>
#include <cstring>

#include "payload/PayloadFormat.h"

namespace payload {

namespace {

constexpr std::size_t kPeOffsetField = 0x3C;
constexpr std::size_t kSignatureAndCoffSize = 24;  // "PE\0\0" and the 20-byte file header
constexpr std::size_t kOptionalSizeField = 4 + 16;
constexpr std::size_t kSizeOfHeadersField = 60;  // in the optional header, for PE32 and PE32+ alike

struct ImageBaseField {
    std::size_t offset = 0;  // in the file, 0 when the headers are not well formed
    std::size_t size = 0;
};

struct HeaderLayout {
    std::size_t headersSize = 0;
    ImageBaseField imageBase;
};

HeaderLayout LayoutOf(const unsigned char* bytes, std::size_t size) {
    if (size < kPeOffsetField + 4 || bytes[0] != 'M' || bytes[1] != 'Z') {
        return {};
    }
    const std::size_t pe = ReadLe32(bytes + kPeOffsetField);
    const std::size_t optional = pe + kSignatureAndCoffSize;
    // The optional header's fields up to SizeOfHeaders must be there to be read.
    if (pe > size || size - pe < kSignatureAndCoffSize + kSizeOfHeadersField + 4 ||
        std::memcmp(bytes + pe, "PE\0\0", 4) != 0) {
        return {};
    }
    const std::uint16_t magic = static_cast<std::uint16_t>(bytes[optional] | bytes[optional + 1] << 8);
    HeaderLayout layout;
    if (magic == 0x10B) {
        layout.imageBase = {optional + 28, 4};
    } else if (magic == 0x20B) {
        layout.imageBase = {optional + 24, 8};
    } else {
        return {};
    }
    const std::size_t optionalSize = bytes[pe + kOptionalSizeField] | bytes[pe + kOptionalSizeField + 1] << 8;
    const std::size_t headersSize = ReadLe32(bytes + optional + kSizeOfHeadersField);
    if (optionalSize < kSizeOfHeadersField + 4 || headersSize < optional + optionalSize) {
        return {};
    }
    layout.headersSize = headersSize;
    return layout;
}

}  // namespace

std::size_t ImageHeadersSize(const unsigned char* bytes, std::size_t size) {
    return LayoutOf(bytes, size).headersSize;
}

bool FileHoldsLoadedHeaders(const unsigned char* file,
                            std::size_t fileSize,
                            const unsigned char* mapped,
                            std::size_t mappedSize) {
    const HeaderLayout layout = LayoutOf(mapped, mappedSize);
    const std::size_t length = layout.headersSize;
    if (length == 0 || length > mappedSize || length > fileSize) {
        return false;
    }
    const std::size_t baseEnd = layout.imageBase.offset + layout.imageBase.size;
    return std::memcmp(file, mapped, layout.imageBase.offset) == 0 &&
           std::memcmp(file + baseEnd, mapped + baseEnd, length - baseEnd) == 0;
}

}  // namespace payload
