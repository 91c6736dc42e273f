#include "install/DiskSpace.h"

namespace install {

std::uint64_t BytesOnDisk(std::uint64_t size, std::uint64_t clusterSize) {
    if (clusterSize == 0) {
        return size;
    }
    // Clusters are a power of two in size; an odd size counts as the next one, which only overstates.
    // A mask, not a division: a 32-bit program then needs no 64-bit division from the runtime.
    std::uint64_t cluster = 1;
    while (cluster < clusterSize) {
        cluster <<= 1;
    }
    return (size + cluster - 1) & ~(cluster - 1);
}

std::uint64_t MissingMegabytes(std::uint64_t needed, std::uint64_t available) {
    constexpr std::uint64_t kMegabyte = 1024 * 1024;
    if (needed <= available) {
        return 0;
    }
    const std::uint64_t missing = needed - available;
    return missing / kMegabyte + (missing % kMegabyte != 0);
}

}  // namespace install
