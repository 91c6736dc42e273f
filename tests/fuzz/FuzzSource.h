#pragma once
// The fuzzer's bytes as a file for the archive readers; reads outside them fail as a short file's would.

#include <cstdint>
#include <cstring>

#include "payload/ArchiveReader.h"

class FuzzSource : public payload::ArchiveSource {
public:
    FuzzSource(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint64_t Length() override { return m_size; }
    bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) override {
        if (offset > m_size || m_size - offset < count) {
            return false;
        }
        std::memcpy(buffer, m_data + offset, count);
        return true;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};
