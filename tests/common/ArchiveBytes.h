#pragma once
// Archives made in memory for tests: sound ones through the real writer, broken ones by patching the
// table of a sound one, so each test shows exactly the fault it is about.

#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "payload/ArchiveWriter.h"
#include "payload/PayloadFormat.h"

namespace testing_archive {

using Entries = std::vector<std::pair<std::string, std::string>>;  // name, data

// Every entry through the writer, then the table; the image is already in out.
inline std::string Written(std::ostringstream& out, payload::ArchiveWriter& writer, const Entries& entries) {
    for (const auto& [name, data] : entries) {
        if (!writer.Add(name, data)) {
            throw std::runtime_error(writer.Error());
        }
    }
    if (!writer.Finish()) {
        throw std::runtime_error(writer.Error());
    }
    return out.str();
}

inline std::string Build(const Entries& entries, const std::string& image = std::string(64, 'I')) {
    std::ostringstream out;
    out << image;
    payload::ArchiveWriter writer(out, image.size());
    return Written(out, writer, entries);
}

// As vtpack writes it: padded to a multiple of 8 bytes, an integrity record in front of the entries.
inline std::string BuildSealed(const Entries& entries, const std::string& image = std::string(64, 'I')) {
    std::ostringstream out;
    out << image;
    payload::ArchivePlan plan;
    plan.entryCount = entries.size();
    for (const auto& entry : entries) {
        plan.dataBytes += entry.second.size();
    }
    payload::ArchiveWriter writer(out, image.size(), plan);
    return Written(out, writer, entries);
}

inline std::uint32_t Count(const std::string& archive) {
    return payload::ReadLe32(reinterpret_cast<const unsigned char*>(archive.data() + archive.size() - 4));
}

inline std::size_t OffsetPosition(const std::string& archive, std::uint32_t index) {
    return archive.size() - 4 - 4 * std::size_t(Count(archive)) + 4 * std::size_t(index);
}

inline std::uint32_t Offset(const std::string& archive, std::uint32_t index) {
    return payload::ReadLe32(reinterpret_cast<const unsigned char*>(archive.data() + OffsetPosition(archive, index)));
}

inline void SetOffset(std::string& archive, std::uint32_t index, std::uint32_t value) {
    payload::WriteLe32(reinterpret_cast<unsigned char*>(archive.data() + OffsetPosition(archive, index)), value);
}

inline void SetCount(std::string& archive, std::uint32_t value) {
    payload::WriteLe32(reinterpret_cast<unsigned char*>(archive.data() + archive.size() - 4), value);
}

// A tail that holds only a table of count offsets, all pointing at 0, and the count.
inline std::string BareTable(std::uint32_t count) {
    std::string tail(4 * std::size_t(count) + 4, '\0');
    payload::WriteLe32(reinterpret_cast<unsigned char*>(tail.data() + tail.size() - 4), count);
    return tail;
}

}  // namespace testing_archive
