#include "sample/SampleContent.h"

#include <algorithm>
#include <string>
#include <vector>

namespace sample {

namespace {

// Small sizes spread over [kSmallMinimum, kSmallMinimum + kSmallSpread); the full payload scales them
// so that the files besides the large one add up to about 65 MB.
constexpr std::uint64_t kSmallMinimum = 256;
constexpr std::uint64_t kSmallSpread = 3840;
constexpr std::uint64_t kFullScale = 180;
constexpr std::size_t kChunkSize = 1 << 20;

std::uint64_t HashName(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

// SplitMix64: tiny, fast, and the same on every compiler, unlike the standard engines' distributions.
std::uint64_t NextRandom(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

}  // namespace

std::uint64_t GeneratedFileSize(const SampleFile& file, SampleSize size) {
    if (size == SampleSize::Full && file.kind == SampleKind::Large) {
        return kLargeFileSize;
    }
    std::uint64_t state = HashName(file.path) ^ 0x5a17e5u;
    const std::uint64_t small = kSmallMinimum + NextRandom(state) % kSmallSpread;
    return size == SampleSize::Full ? small * kFullScale : small;
}

void GenerateContent(std::string_view path,
                     std::uint64_t size,
                     const std::function<void(const char* bytes, std::size_t count)>& sink) {
    const std::string header = "Vectrace sample payload file " + std::string(path) + "\r\n";
    std::uint64_t state = HashName(path);
    std::vector<char> chunk(kChunkSize);
    std::uint64_t written = 0;
    while (written < size) {
        const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(kChunkSize, size - written));
        for (std::size_t i = 0; i < count; i += 8) {
            std::uint64_t value = NextRandom(state);
            for (std::size_t b = i; b < std::min(count, i + 8); ++b, value >>= 8) {
                chunk[b] = static_cast<char>(value & 0xff);
            }
        }
        if (written < header.size()) {
            const std::size_t overlap = std::min<std::size_t>(count, header.size() - static_cast<std::size_t>(written));
            std::copy_n(header.data() + written, overlap, chunk.data());
        }
        sink(chunk.data(), count);
        written += count;
    }
}

}  // namespace sample
