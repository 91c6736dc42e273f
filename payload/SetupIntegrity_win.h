#pragma once
// The check every extracting command makes of the setup's own file before it writes anything: the
// archive's layout holds and, when it carries an integrity record, its bytes are those that were packed.

#include <cstdint>

#include "framework/File_win.h"
#include "framework/FunctionRef.h"
#include "payload/ArchiveIntegrity.h"

// Reads the whole file through `setup`, from its start. A missing file (null) counts as damaged
// (Damage::Unreadable): nothing could be extracted from it. keepGoing is told the bytes of each chunk
// once it is read, to follow them and keep the windows drawn; false from it ends the check as
// Integrity::Stopped, never as a damaged file.
payload::IntegrityCheck CheckSetupArchive(CFile* setup, FunctionRef<bool(std::uint64_t)> keepGoing = nullptr);

// True when extraction may go on: the digest matched, or the archive has no record to check.
bool IsSetupArchiveIntact(CFile* setup, FunctionRef<bool(std::uint64_t)> keepGoing = nullptr);
