#pragma once
// Whether a file on disk is the image a process runs: the loader maps a PE image's headers (everything
// up to SizeOfHeaders) from the file as they are, with one exception: an image moved from its preferred
// address gets the address it was loaded at written into ImageBase. Everything else must be equal.

#include <cstddef>

namespace payload {

// The headers' size (SizeOfHeaders) of the PE32 or PE32+ image at the start of `bytes`, when the DOS
// header, the "PE\0\0" signature and the optional header up to that field lie within `size` bytes and
// the headers at least reach the end of the optional header; 0 otherwise.
std::size_t ImageHeadersSize(const unsigned char* bytes, std::size_t size);

// True when `file` starts with the headers of the mapped image `mapped`: the mapped image's headers are
// well formed, the file holds at least as many bytes, and every byte but ImageBase is the same.
bool FileHoldsLoadedHeaders(const unsigned char* file,
                            std::size_t fileSize,
                            const unsigned char* mapped,
                            std::size_t mappedSize);

}  // namespace payload
