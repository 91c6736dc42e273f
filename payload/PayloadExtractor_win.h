#pragma once
// The setup's two extractors, which copy entries of the archive at the end of the running setup's own
// file (read through the handle opened at start-up, payload/SetupFile_win.h) into a destination folder,
// and the core they share, which takes any opened archive file so tests can feed it their own.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/File_win.h"
#include "payload/ArchiveReader.h"
#include "payload/EntryName.h"

// Why an extraction returned 0, for the caller that tells the user.
struct ExtractFailure {
    enum class Kind {
        None,
        OpenArchive,  // the setup's own file is not open (or not the running image)
        BadArchive,   // the table or an entry broke the layout; archiveError says how
        UnsafeName,   // the entry's name would write outside the destination or is one Windows reads specially
        CreateFile,   // the destination file could not be created or truncated
        Read,         // reading the entry's data failed or came up short
        Write,        // writing the destination file failed (a full disk, say)
        Link,         // path, a folder or file on the way to a destination, is a reparse point: not followed
    };
    Kind kind = Kind::None;
    std::string path;  // the file concerned: the archive, or the destination file
    DWORD systemError = ERROR_SUCCESS;
    payload::ArchiveError archiveError = payload::ArchiveError::None;

    // A read or write that failed in the middle of a copy, as opposed to a file that could not be made.
    bool IsReadOrWrite() const { return kind == Kind::Read || kind == Kind::Write; }
};

// Extracts the selected entries of `archive` to destinationFolder + entry name, in table order.
// 1 when the walk completed (also when nothing was selected), 0 on the first failure; entries
// written before a failure stay. A null archive fails as OpenArchive.
int ExtractArchiveFiles(CFile* archive,
                        const std::string& destinationFolder,
                        payload::Selection selection,
                        ExtractFailure* failure = nullptr);

// One selected entry: its name as written below a destination, where its data lies, how long it is.
struct ArchiveFile {
    std::string name;
    std::uint64_t dataOffset = 0;
    std::uint32_t dataSize = 0;
};

// The selected entries of `archive`, in table order: what an installation plans and checks before it
// writes, and what the driver installation checks for links before it extracts. False, with the failure
// (OpenArchive, BadArchive) when one is asked for, for a missing or broken archive (then the extraction
// fails too).
bool ListArchiveFiles(CFile* archive,
                      payload::Selection selection,
                      std::vector<ArchiveFile>* files,
                      ExtractFailure* failure = nullptr);

// Only the entries of "MxDriver", "QTXDriver", "QTXDriver\amd64" and "QTXDriver\x86", from the running setup.
int ExtractDriverFiles(std::string destinationFolder, ExtractFailure* failure = nullptr);
