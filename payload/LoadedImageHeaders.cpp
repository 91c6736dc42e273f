#include "payload/LoadedImageHeaders.h"

#include <cstring>

#include "payload/PeHeaders.h"

namespace payload {

namespace {

// The headers' size, when they at least reach the end of the optional header; 0 otherwise.
std::size_t HeadersSizeOf(const PeHeaders& headers) {
    if (!headers.Present() || headers.sizeOfHeaders < headers.optionalHeader + headers.optionalSize) {
        return 0;
    }
    return headers.sizeOfHeaders;
}

}  // namespace

std::size_t ImageHeadersSize(const unsigned char* bytes, std::size_t size) {
    return HeadersSizeOf(ReadPeHeaders(bytes, size));
}

bool FileHoldsLoadedHeaders(const unsigned char* file,
                            std::size_t fileSize,
                            const unsigned char* mapped,
                            std::size_t mappedSize) {
    const PeHeaders headers = ReadPeHeaders(mapped, mappedSize);
    const std::size_t length = HeadersSizeOf(headers);
    if (length == 0 || length > mappedSize || length > fileSize) {
        return false;
    }
    const auto base = static_cast<std::size_t>(headers.imageBase);
    const std::size_t baseEnd = base + headers.imageBaseSize;
    return std::memcmp(file, mapped, base) == 0 && std::memcmp(file + baseEnd, mapped + baseEnd, length - baseEnd) == 0;
}

}  // namespace payload
