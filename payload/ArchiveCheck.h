#pragma once
// A full check of an archive against every rule of its layout, for vtpack verify: what the setup
// would refuse, and what it would accept but extract wrongly.

#include <string>
#include <vector>

#include "payload/ArchiveReader.h"

namespace payload {

struct ArchiveCheckResult {
    std::vector<EntryView> entries;     // every entry the walk reached
    std::vector<std::string> problems;  // empty when the archive is sound
};

ArchiveCheckResult CheckArchive(ArchiveSource& source, LeadByteTest isLeadByte = IsGbkLeadByte);

}  // namespace payload
