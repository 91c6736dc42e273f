#pragma once
// Archive sources over bytes in memory: a view for the fuzzers, whose buffer is exactly as long as its
// bytes so the address sanitizer sees any read past them, and an owning one for the reader's tests.
// Reads outside the bytes fail as a short file's would.

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "payload/ArchiveReader.h"

namespace testing_archive {

class BytesSource : public payload::ArchiveSource {
public:
    BytesSource(const void* data, std::size_t size) : m_data(static_cast<const char*>(data)), m_size(size) {}
    std::uint64_t Length() override { return m_size; }
    bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) override {
        if (offset > m_size || m_size - offset < count) {
            return false;
        }
        std::memcpy(buffer, m_data + offset, count);
        return true;
    }

private:
    const char* m_data;
    std::size_t m_size;
};

// Holds its bytes and reads them through a view, made at each read so a copy reads its own bytes.
class MemorySource : public payload::ArchiveSource {
public:
    explicit MemorySource(std::string bytes) : m_bytes(std::move(bytes)) {}
    std::uint64_t Length() override { return m_bytes.size(); }
    bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) override {
        return BytesSource(m_bytes.data(), m_bytes.size()).ReadAt(offset, buffer, count);
    }

private:
    std::string m_bytes;
};

}  // namespace testing_archive
