#pragma once
// The check every extracting command makes of the setup's own file before it writes anything: the
// archive's layout holds and, when it carries an integrity record, its bytes are those that were packed.

#include "framework/File_win.h"
#include "payload/ArchiveIntegrity.h"

// Reads the whole file through `setup`, from its start. A missing file (null) counts as damaged
// (Damage::Unreadable): nothing could be extracted from it.
payload::IntegrityCheck CheckSetupArchive(CFile* setup);

// True when extraction may go on: the digest matched, or the archive has no record to check.
bool IsSetupArchiveIntact(CFile* setup);
