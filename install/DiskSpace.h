#pragma once
// Whether a volume has room for what an installation writes, before it writes anything.

#include <cstdint>

namespace install {

// What a file of `size` bytes takes on a volume: whole clusters (an empty file takes none). A cluster
// size that is no power of two counts as the next power of two.
std::uint64_t BytesOnDisk(std::uint64_t size, std::uint64_t clusterSize);

// The megabytes (MiB, rounded up) that `needed` bytes lack on a volume with `available` bytes free;
// 0 when they fit.
std::uint64_t MissingMegabytes(std::uint64_t needed, std::uint64_t available);

}  // namespace install
