#pragma once
// The archive reader over an ordinary file of the build host.

#include <cstdint>
#include <fstream>
#include <string>

#include "payload/ArchiveReader.h"

class StdFileSource : public payload::ArchiveSource {
public:
    explicit StdFileSource(const std::string& path) : m_file(path, std::ios::binary) {
        if (m_file) {
            m_file.seekg(0, std::ios::end);
            m_length = static_cast<std::uint64_t>(m_file.tellg());
        }
    }
    bool IsOpen() const { return m_file.is_open(); }
    std::uint64_t Length() override { return m_length; }
    bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) override {
        m_file.clear();
        m_file.seekg(static_cast<std::streamoff>(offset));
        m_file.read(static_cast<char*>(buffer), count);
        return m_file.gcount() == static_cast<std::streamsize>(count);
    }

private:
    std::ifstream m_file;
    std::uint64_t m_length = 0;
};
