#include "install/DiskSpace.h"

namespace install {

std::uint64_t BytesOnDisk(std::uint64_t size, std::uint64_t clusterSize) {
    if (clusterSize == 0) {
        return size;
    }
    return (size / clusterSize + (size % clusterSize != 0)) * clusterSize;
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
