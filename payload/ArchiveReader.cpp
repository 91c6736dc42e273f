#include "payload/ArchiveReader.h"

#include "payload/PayloadFormat.h"

#include <cstring>

namespace payload {

const char* ArchiveErrorText(ArchiveError error) {
    switch (error) {
        case ArchiveError::None:
            return "no error";
        case ArchiveError::FileTooShort:
            return "the file is too short to hold an archive";
        case ArchiveError::BadCount:
            return "the entry count at the end of the file is 0 or above 7750";
        case ArchiveError::TableOutsideFile:
            return "the offset table does not fit in the file";
        case ArchiveError::ReadFailed:
            return "the archive could not be read";
        case ArchiveError::EntryEndPastFile:
            return "an entry ends at or beyond the end of the file";
        case ArchiveError::EntryWithoutData:
            return "an entry has no data byte";
        case ArchiveError::Stopped:
            return "stopped";
    }
    return "unknown error";
}

ArchiveError ReadOffsetTable(ArchiveSource& source, std::vector<std::uint32_t>& offsets) {
    offsets.clear();
    const std::uint64_t length = source.Length();
    if (length < kCountFieldSize) {
        return ArchiveError::FileTooShort;
    }
    unsigned char countField[kCountFieldSize];
    if (!source.ReadAt(length - kCountFieldSize, countField, kCountFieldSize)) {
        return ArchiveError::ReadFailed;
    }
    const std::uint32_t count = ReadLe32(countField);
    if (count == 0 || count > kMaxOffsetCount) {
        return ArchiveError::BadCount;
    }
    const std::uint32_t tableSize = count * kOffsetSize;
    if (length < std::uint64_t(tableSize) + kCountFieldSize) {
        return ArchiveError::TableOutsideFile;
    }
    std::vector<unsigned char> table(tableSize);
    if (!source.ReadAt(length - kCountFieldSize - tableSize, table.data(), tableSize)) {
        return ArchiveError::ReadFailed;
    }
    offsets.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        offsets[i] = ReadLe32(&table[std::size_t(i) * kOffsetSize]);
    }
    return ArchiveError::None;
}

ArchiveError CheckEntryBounds(std::uint32_t start, std::uint32_t end, std::uint64_t length) {
    if (end >= length) {
        return ArchiveError::EntryEndPastFile;
    }
    if (end <= start || end - start <= kNameFieldSize) {
        return ArchiveError::EntryWithoutData;
    }
    return ArchiveError::None;
}

WalkResult WalkArchive(ArchiveSource& source, FunctionRef<bool(const EntryView&)> visit) {
    std::vector<std::uint32_t> offsets;
    if (const ArchiveError error = ReadOffsetTable(source, offsets); error != ArchiveError::None) {
        return {error, 0};
    }
    const std::uint64_t length = source.Length();
    char nameField[kNameFieldSize];
    EntryView entry;
    for (std::uint32_t i = 0; i + 1 < offsets.size(); ++i) {
        const std::uint32_t start = offsets[i];
        const std::uint32_t end = offsets[i + 1];
        if (const ArchiveError error = CheckEntryBounds(start, end, length); error != ArchiveError::None) {
            return {error, i};
        }
        if (!source.ReadAt(start, nameField, kNameFieldSize)) {
            return {ArchiveError::ReadFailed, i};
        }
        entry.index = i;
        entry.name = NameFromField(nameField);
        entry.nameTerminated = std::memchr(nameField, 0, kNameFieldSize) != nullptr;
        entry.dataOffset = std::uint64_t(start) + kNameFieldSize;
        entry.dataSize = end - start - kNameFieldSize;
        if (!visit(entry)) {
            return {ArchiveError::Stopped, i};
        }
    }
    return {};
}

}  // namespace payload
