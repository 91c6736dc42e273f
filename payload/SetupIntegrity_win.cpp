#include "payload/SetupIntegrity_win.h"

#include "framework/Dialog_win.h"
#include "payload/CertificateTable.h"
#include "payload/FileArchiveSource_win.h"

namespace {

// The whole archive is read once; the setup's windows stay drawn meanwhile. Each look at the message
// queue costs a trip to the window system, so it is made only when the last one is a while ago.
class PaintingSource : public FileArchiveSource {
public:
    using FileArchiveSource::FileArchiveSource;
    bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) override {
        const bool ok = FileArchiveSource::ReadAt(offset, buffer, count);
        if (GetTickCount() - m_lastPaint >= kPaintIntervalMs) {
            PumpPaintMessages();
            m_lastPaint = GetTickCount();
        }
        return ok;
    }

private:
    static constexpr DWORD kPaintIntervalMs = 50;
    DWORD m_lastPaint = GetTickCount();
};

}  // namespace

payload::IntegrityCheck CheckSetupArchive(const std::string& executablePath) {
    // Readers may share, as the extractors do.
    CFile file;
    if (!file.Open(executablePath, CFile::Mode::Read, FILE_SHARE_READ)) {
        payload::IntegrityCheck check;
        check.damage = payload::Damage::Unreadable;
        return check;
    }
    PaintingSource source(file);
    payload::ArchiveSpan archive(source);
    return payload::CheckArchiveIntegrity(archive);
}

bool IsSetupArchiveIntact(const std::string& executablePath) {
    return CheckSetupArchive(executablePath).Intact();
}
