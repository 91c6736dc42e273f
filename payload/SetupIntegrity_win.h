#pragma once
// The check every extracting command makes of the setup's own file before it writes anything: the
// archive's layout holds and, when it carries an integrity record, its bytes are those that were packed.

#include <string>

#include "payload/ArchiveIntegrity.h"

// A file that cannot be opened counts as damaged (Damage::Unreadable): nothing could be extracted from it.
payload::IntegrityCheck CheckSetupArchive(const std::string& executablePath);

// True when extraction may go on: the digest matched, or the archive has no record to check.
bool IsSetupArchiveIntact(const std::string& executablePath);
