#pragma once
// The archive reader over a file opened with the framework's file object. Its length is the file's;
// readers wrap it in payload::ArchiveSpan to find the archive in front of a signature.

#include <cstdint>

#include "framework/File_win.h"
#include "payload/ArchiveReader.h"

class FileArchiveSource : public payload::ArchiveSource {
public:
    explicit FileArchiveSource(CFile& file) : m_file(file), m_length(file.Length()) {}
    std::uint64_t Length() override { return m_length == UINT64_MAX ? 0 : m_length; }
    bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) override {
        return m_file.Seek(offset) && m_file.Read(buffer, count);
    }

protected:
    CFile& m_file;
    std::uint64_t m_length;
};
