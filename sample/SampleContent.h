#pragma once
// Bytes of a generated sample file. They depend only on the file's relative path and the size knob, so
// two runs give identical payloads, and each file starts with a line naming it, so a stray copy is
// recognisable in a hex dump.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "sample/SampleFiles.h"

namespace sample {

enum class SampleSize {
    Small,  // a few hundred bytes to a few KB per file: quick to build, pack and extract
    Full,   // about 100 MB in all, one entry of about 35 MB: the size the setup really ships
};

// Bytes of the big entry in the full-size payload; more than the extractor's fixed 512,000-byte buffer.
inline constexpr std::uint64_t kLargeFileSize = 35ull * 1024 * 1024;

// Size of a generated (Data or Large) file; never 0.
std::uint64_t GeneratedFileSize(const SampleFile& file, SampleSize size);

// Hands the bytes of a generated file to sink in pieces of at most 1 MiB, in order.
void GenerateContent(std::string_view path,
                     std::uint64_t size,
                     const std::function<void(const char* bytes, std::size_t count)>& sink);

}  // namespace sample
