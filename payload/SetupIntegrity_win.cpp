#include "payload/SetupIntegrity_win.h"

#include "framework/Dialog_win.h"
#include "framework/File_win.h"
#include "payload/CertificateTable.h"

namespace {

// The whole archive is read once, front to back, from a file this source alone reads: reads that follow
// one another need no seek. The setup's windows stay drawn meanwhile; each look at the message queue
// costs a trip to the window system, so it is made only when the last one is a while ago.
class CheckSource : public payload::ArchiveSource {
public:
    explicit CheckSource(CFile& file) : m_file(file), m_length(file.Length()) {}
    std::uint64_t Length() override { return m_length == UINT64_MAX ? 0 : m_length; }
    bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) override {
        const bool ok = (offset == m_position || m_file.Seek(offset)) && m_file.Read(buffer, count);
        m_position = ok ? offset + count : UINT64_MAX;
        if (GetTickCount() - m_lastPaint >= kPaintIntervalMs) {
            PumpPaintMessages();
            m_lastPaint = GetTickCount();
        }
        return ok;
    }

private:
    static constexpr DWORD kPaintIntervalMs = 50;
    CFile& m_file;
    std::uint64_t m_length;
    std::uint64_t m_position = 0;
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
    CheckSource source(file);
    payload::ArchiveSpan archive(source);
    return payload::CheckArchiveIntegrity(archive);
}

bool IsSetupArchiveIntact(const std::string& executablePath) {
    return CheckSetupArchive(executablePath).Intact();
}
