#include "payload/SetupIntegrity_win.h"

#include "framework/File_win.h"
#include "payload/CertificateTable.h"
#include "payload/FileArchiveSource_win.h"

namespace {

// The whole archive is read once, front to back, by this source alone: reads that follow one another need
// no seek after the first, which finds the file wherever its last reader left it.
class CheckSource : public FileArchiveSource {
public:
    using FileArchiveSource::FileArchiveSource;
    bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) override {
        const bool ok =
            offset == m_next ? m_file.Read(buffer, count) : FileArchiveSource::ReadAt(offset, buffer, count);
        m_next = ok ? offset + count : UINT64_MAX;
        return ok;
    }

private:
    std::uint64_t m_next = UINT64_MAX;
};

}  // namespace

payload::IntegrityCheck CheckSetupArchive(CFile* setup, FunctionRef<bool(std::uint64_t)> keepGoing) {
    if (!setup) {
        payload::IntegrityCheck check;
        check.damage = payload::Damage::Unreadable;
        return check;
    }
    CheckSource source(*setup);
    payload::ArchiveSpan archive(source);
    return payload::CheckArchiveIntegrity(archive, keepGoing);
}

bool IsSetupArchiveIntact(CFile* setup, FunctionRef<bool(std::uint64_t)> keepGoing) {
    return CheckSetupArchive(setup, keepGoing).Intact();
}
