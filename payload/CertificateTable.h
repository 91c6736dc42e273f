#pragma once
// An Authenticode signature lives in the certificate table, which the PE image's security data directory
// names by file offset and size, and which signing tools append at the end of the file. A signed setup
// therefore carries its archive just in front of that table, and every reader must look for the archive's
// end there rather than at the end of the file.

#include <cstdint>

#include "payload/ArchiveReader.h"

namespace payload {

struct CertificateTable {
    std::uint64_t offset = 0;  // file offset of the table
    std::uint32_t size = 0;    // 0: the image has no certificate table
    bool Present() const { return size != 0; }
};

// The certificate table that the security data directory of a PE32 or PE32+ image at the start of the
// file names, when it lies wholly inside the file; absent for anything else (no PE image, no directory,
// a table that reaches past the end of the file).
CertificateTable FindCertificateTable(ArchiveSource& file);

// Where the archive ends: at the start of a certificate table that ends the file (signing tools pad the
// table to 8 bytes, so up to 7 bytes may follow what its size says), otherwise at the end of the file.
std::uint64_t ArchiveEnd(ArchiveSource& file);

// The part of a file that holds the archive: the whole file, or the file before its certificate table.
// Readers given this instead of the file find the archive of a signed setup as of an unsigned one.
class ArchiveSpan : public ArchiveSource {
public:
    explicit ArchiveSpan(ArchiveSource& file) : m_file(file), m_end(ArchiveEnd(file)) {}
    std::uint64_t Length() override { return m_end; }
    bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) override {
        return offset <= m_end && m_end - offset >= count && m_file.ReadAt(offset, buffer, count);
    }

private:
    ArchiveSource& m_file;
    std::uint64_t m_end;
};

}  // namespace payload
