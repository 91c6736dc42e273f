#include "payload/SetupIntegrity_win.h"

#include "framework/Dialog_win.h"
#include "payload/CertificateTable.h"
#include "payload/FileArchiveSource_win.h"

namespace {

// The whole archive is read once; the setup's windows stay drawn meanwhile, looked after between the
// large reads of the digest (each look costs a trip to the window system).
class PaintingSource : public FileArchiveSource {
public:
    using FileArchiveSource::FileArchiveSource;
    bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) override {
        const bool ok = FileArchiveSource::ReadAt(offset, buffer, count);
        if (count >= kLargeRead) {
            PumpPaintMessages();
        }
        return ok;
    }

private:
    static constexpr std::uint32_t kLargeRead = 64 * 1024;
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
