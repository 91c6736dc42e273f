#pragma once
// The digest of the integrity record: XXH3 with 64 bits and seed 0, a checksum made to find damaged
// data at the speed of memory, so checking a setup before extracting it costs little beside the copy.

#include <cstddef>
#include <cstdint>

#include "framework/FunctionRef.h"
#include "payload/ArchiveReader.h"
#include "payload/Xxh3Kernel.h"

namespace payload {

class ArchiveDigest {
public:
    // With the kernel this processor runs best; another one gives the same digests.
    ArchiveDigest() : ArchiveDigest(ChosenXxh3Kernel()) {}
    explicit ArchiveDigest(const Xxh3Kernel& kernel);
    void Update(const void* data, std::size_t size) { m_kernel.update(m_state, data, size); }
    std::uint64_t Value() const;

private:
    const Xxh3Kernel& m_kernel;
    // The hash state lives here, so that xxhash.h stays inside its own files and nothing is allocated.
    static constexpr std::size_t kStateSize = 640;
    alignas(64) unsigned char m_state[kStateSize];
};

// The digest of the bytes from begin up to end of the source; false when begin lies past end, a read
// fails, or afterEachRead (told the bytes of each chunk once it is read) answers false.
bool DigestRange(ArchiveSource& source,
                 std::uint64_t begin,
                 std::uint64_t end,
                 std::uint64_t& digest,
                 FunctionRef<bool(std::uint64_t)> afterEachRead = nullptr);

}  // namespace payload
