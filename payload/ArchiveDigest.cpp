#include "payload/ArchiveDigest.h"

#include <algorithm>
#include <memory>
#include <new>

#include "payload/PayloadFormat.h"

// Starting and ending a digest costs nothing beside the update (Xxh3Kernel.h): built as the rest.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace payload {

ArchiveDigest::ArchiveDigest(const Xxh3Kernel& kernel) : m_kernel(kernel) {
    static_assert(sizeof(XXH3_state_t) <= kStateSize && alignof(XXH3_state_t) <= 64);
    XXH3_state_t* state = new (m_state) XXH3_state_t;
    XXH3_INITSTATE(state);
    XXH3_64bits_reset(state);
}

std::uint64_t ArchiveDigest::Value() const {
    return XXH3_64bits_digest(std::launder(reinterpret_cast<const XXH3_state_t*>(m_state)));
}

namespace {

// Small enough for the second-level cache: the digest reads the bytes the read has just put there.
constexpr std::size_t kDigestChunkSize = 256 * 1024;

}  // namespace

bool DigestRange(ArchiveSource& source,
                 std::uint64_t begin,
                 std::uint64_t end,
                 std::uint64_t& digest,
                 FunctionRef<bool(std::uint64_t)> afterEachRead) {
    if (begin > end) {
        return false;
    }
    ArchiveDigest hash;
    const std::size_t bufferSize = static_cast<std::size_t>(std::min<std::uint64_t>(end - begin, kDigestChunkSize));
    const std::unique_ptr<unsigned char[]> buffer(new unsigned char[std::max<std::size_t>(bufferSize, 1)]);
    for (std::uint64_t position = begin; position < end;) {
        const auto chunk = static_cast<std::uint32_t>(std::min<std::uint64_t>(end - position, bufferSize));
        if (!source.ReadAt(position, buffer.get(), chunk) || (afterEachRead && !afterEachRead(chunk))) {
            return false;
        }
        hash.Update(buffer.get(), chunk);
        position += chunk;
    }
    digest = hash.Value();
    return true;
}

}  // namespace payload
