#pragma once
// A full check of an archive against every rule of its layout, for vtpack verify: what the setup
// would refuse, and what it would accept but extract wrongly.

#include <string>
#include <vector>

#include "payload/ArchiveIntegrity.h"
#include "payload/ArchiveReader.h"

namespace payload {

struct ArchiveCheckResult {
    std::vector<EntryView> entries;     // every entry the walk reached
    std::vector<std::string> problems;  // empty when the archive is sound
    IntegrityCheck integrity;           // a digest that differs is also one of the problems
};

// source.Length() is the archive's end: for a file, pass an ArchiveSpan of it.
ArchiveCheckResult CheckArchive(ArchiveSource& source, LeadByteTest isLeadByte = IsGbkLeadByte);

// One line for a person: how the archive's integrity stands, or what was found damaged.
std::string IntegrityText(const IntegrityCheck& check);

}  // namespace payload
