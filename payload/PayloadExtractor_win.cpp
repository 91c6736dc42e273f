#include "payload/PayloadExtractor_win.h"

#include <memory>

#include "framework/Dialog_win.h"
#include "framework/File_win.h"
#include "framework/Pacer_win.h"
#include "framework/PathFolder.h"
#include "framework/SystemLeadByte_win.h"
#include "payload/CertificateTable.h"
#include "payload/CopyBytes_win.h"
#include "payload/FileArchiveSource_win.h"
#include "payload/PayloadFormat.h"
#include "payload/SetupFile_win.h"

namespace {

class Extraction {
public:
    Extraction(CFile& archive, const std::string& destinationFolder, payload::Selection selection)
        : m_archive(archive),
          m_file(archive),
          m_source(m_file),
          m_destinationFolder(destinationFolder),
          m_selection(selection),
          m_buffer(new char[payload::kCopyBufferSize]) {}

    bool Run() {
        const payload::WalkResult walk =
            payload::WalkArchive(m_source, [this](const payload::EntryView& entry) { return ExtractEntry(entry); });
        if (walk.error != payload::ArchiveError::None && walk.error != payload::ArchiveError::Stopped) {
            m_failure.kind = ExtractFailure::Kind::BadArchive;
            m_failure.archiveError = walk.error;
            m_failure.path = m_archive.Path();
            m_failure.systemError = m_archive.LastError();
        }
        return walk.ok();
    }

    const ExtractFailure& Failure() const { return m_failure; }

private:
    bool ExtractEntry(const payload::EntryView& entry) {
        if (!payload::IsSelected(m_selection, payload::FolderOf(entry.name, IsSystemLeadByte))) {
            return true;
        }
        const std::string destination = m_destinationFolder + entry.name;
        if (!payload::IsSafeEntryName(entry.name, IsSystemLeadByte)) {
            return Fail(ExtractFailure::Kind::UnsafeName, destination, ERROR_INVALID_NAME);
        }
        // Only the last level is created; the archive lists a folder's parent before it.
        const std::string_view folder = text::FolderOfPath(destination, IsSystemLeadByte);
        if (!folder.empty()) {
            CreateDirectoryA(std::string(folder).c_str(), nullptr);
        }
        CFile output;
        if (!output.Open(destination, CFile::Mode::CreateWrite)) {
            return Fail(ExtractFailure::Kind::CreateFile, destination, output.LastError());
        }
        return CopyData(entry, output);
    }

    // Through one reusable buffer, so memory stays the same for any entry size.
    bool CopyData(const payload::EntryView& entry, CFile& output) {
        if (!m_archive.Seek(entry.dataOffset)) {
            return Fail(ExtractFailure::Kind::Read, m_archive.Path(), m_archive.LastError());
        }
        // The setup's windows stay drawn during a long extraction; no input is taken.
        switch (payload::CopyBytes(m_archive, entry.dataSize, output, m_buffer.get(), [this](std::uint64_t) {
            if (m_pace.Due()) {
                PumpPaintMessages();
            }
        })) {
            case payload::CopyEnd::Copied:
                return true;
            case payload::CopyEnd::ReadFailed:
                return Fail(ExtractFailure::Kind::Read, m_archive.Path(), m_archive.LastError());
            case payload::CopyEnd::WriteFailed:
                break;
        }
        return Fail(ExtractFailure::Kind::Write, output.Path(), output.LastError());
    }

    bool Fail(ExtractFailure::Kind kind, const std::string& path, DWORD error) {
        m_failure.kind = kind;
        m_failure.path = path;
        m_failure.systemError = error;
        return false;
    }

    CFile& m_archive;
    FileArchiveSource m_file;
    payload::ArchiveSpan m_source;  // a signed setup's archive ends where its certificate table starts
    const std::string& m_destinationFolder;
    payload::Selection m_selection;
    std::unique_ptr<char[]> m_buffer;
    Pacer m_pace;
    ExtractFailure m_failure;
};

}  // namespace

int ExtractArchiveFiles(CFile* archive,
                        const std::string& destinationFolder,
                        payload::Selection selection,
                        ExtractFailure* failure) {
    if (failure) {
        *failure = ExtractFailure();
    }
    if (!archive) {
        if (failure) {
            failure->kind = ExtractFailure::Kind::OpenArchive;
            failure->systemError = ERROR_INVALID_HANDLE;
        }
        return 0;
    }
    Extraction extraction(*archive, destinationFolder, selection);
    const bool ok = extraction.Run();
    if (!ok && failure) {
        *failure = extraction.Failure();
    }
    return ok ? 1 : 0;
}

bool ListArchiveFiles(CFile* archive,
                      payload::Selection selection,
                      std::vector<ArchiveFile>* files,
                      ExtractFailure* failure) {
    files->clear();
    bool listed = false;
    if (archive) {
        FileArchiveSource file(*archive);
        payload::ArchiveSpan source(file);
        listed = payload::WalkArchive(source, [&](const payload::EntryView& entry) {
                     if (payload::IsSelected(selection, payload::FolderOf(entry.name, IsSystemLeadByte))) {
                         files->push_back({entry.name, entry.dataOffset, entry.dataSize});
                     }
                     return true;
                 }).ok();
    }
    if (!listed && failure) {
        failure->kind = archive ? ExtractFailure::Kind::BadArchive : ExtractFailure::Kind::OpenArchive;
        failure->path = archive ? archive->Path() : std::string();
        failure->systemError = archive ? archive->LastError() : ERROR_INVALID_HANDLE;
    }
    return listed;
}

int ExtractDriverFiles(std::string destinationFolder, ExtractFailure* failure) {
    return ExtractArchiveFiles(RunningSetupFile(), destinationFolder, payload::Selection::Drivers, failure);
}
