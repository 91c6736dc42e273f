#include "payload/SetupIntegrity_win.h"

#include "framework/Dialog_win.h"
#include "framework/File_win.h"
#include "framework/Pacer_win.h"
#include "payload/CertificateTable.h"
#include "payload/FileArchiveSource_win.h"

namespace {

// The whole archive is read once, front to back, by this source alone: reads that follow one another need
// no seek after the first, which finds the file wherever its last reader left it. The setup's windows stay
// drawn meanwhile, at the pace of framework/Pacer_win.h, and a progress window follows the bytes read. A
// stop the user asked for ends the check there, as a read that failed.
class CheckSource : public FileArchiveSource {
public:
    using FileArchiveSource::FileArchiveSource;
    bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) override {
        const bool ok =
            offset == m_next ? m_file.Read(buffer, count) : FileArchiveSource::ReadAt(offset, buffer, count);
        m_next = ok ? offset + count : UINT64_MAX;
        m_unreported += count;
        if (m_pace.Due()) {
            const bool keepGoing = PumpPaintMessages(m_unreported);
            m_unreported = 0;
            return ok && keepGoing;
        }
        return ok;
    }

private:
    std::uint64_t m_next = UINT64_MAX;
    std::uint64_t m_unreported = 0;
    Pacer m_pace;
};

}  // namespace

payload::IntegrityCheck CheckSetupArchive(CFile* setup) {
    if (!setup) {
        payload::IntegrityCheck check;
        check.damage = payload::Damage::Unreadable;
        return check;
    }
    CheckSource source(*setup);
    payload::ArchiveSpan archive(source);
    return payload::CheckArchiveIntegrity(archive);
}

bool IsSetupArchiveIntact(CFile* setup) {
    return CheckSetupArchive(setup).Intact();
}
