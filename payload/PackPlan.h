#pragma once
// Deciding what goes into an archive and in which order, before anything is written: the setup
// creates only the last folder level of an entry, takes names of at most 399 bytes, and refuses
// unsafe names, so the packer refuses what it could not extract, naming the file.

#include <cstdint>
#include <string>
#include <vector>

#include "payload/EntryName.h"

namespace payload {

struct PackItem {
    std::string name;  // archive name: code page bytes, "\" separators
    std::uint64_t size = 0;
    std::string source;  // where the packer reads the data from; also names the file in messages
};

// Puts every folder's own files before the files of its sub-folders, folders and files in byte
// order of their names, so a nested folder always follows entries of its parent.
void OrderForExtraction(std::vector<PackItem>& items, LeadByteTest isLeadByte = IsGbkLeadByte);

// One message per problem, each naming the file; empty when the setup can extract every item in the
// given order.
std::vector<std::string> FindPackProblems(const std::vector<PackItem>& items, LeadByteTest isLeadByte = IsGbkLeadByte);

// The folders that a list of names in the given order needs before they exist: for each nested folder,
// the first name whose folder's parent had no file of its own before it among the entries of the same
// extraction (the application's or the drivers'). Used by the packer and by the archive check alike.
std::vector<std::size_t> FindOrphanedNames(const std::vector<std::string>& names,
                                           LeadByteTest isLeadByte = IsGbkLeadByte);

}  // namespace payload
