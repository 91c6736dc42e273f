#pragma once
// An archive source over bytes in memory, for the portable reader's tests.

#include <cstdint>
#include <cstring>
#include <string>

#include "payload/ArchiveReader.h"

namespace testing_archive {

class MemorySource : public payload::ArchiveSource {
public:
    explicit MemorySource(std::string bytes) : m_bytes(std::move(bytes)) {}
    std::uint64_t Length() override { return m_bytes.size(); }
    bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) override {
        if (offset > m_bytes.size() || m_bytes.size() - offset < count) {
            return false;
        }
        std::memcpy(buffer, m_bytes.data() + offset, count);
        return true;
    }

private:
    std::string m_bytes;
};

}  // namespace testing_archive
