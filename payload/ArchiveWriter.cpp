#include "payload/ArchiveWriter.h"

#include "payload/IntegrityRecord.h"
#include "payload/PayloadFormat.h"

#include <algorithm>
#include <array>
#include <limits>
#include <sstream>

namespace payload {

ArchiveWriter::ArchiveWriter(std::ostream& out, std::uint64_t imageSize) : m_out(out), m_position(imageSize) {}

ArchiveWriter::ArchiveWriter(std::ostream& out, std::uint64_t imageSize, const ArchivePlan& plan)
    : m_out(out), m_position(imageSize), m_sealed(true), m_plan(plan) {
    const std::uint64_t entries = plan.entryCount;
    const std::uint64_t unpadded = imageSize + kIntegrityRecordSize + entries * kNameFieldSize + plan.dataBytes +
                                   (entries + 1) * kOffsetSize + kCountFieldSize;
    const std::uint64_t padding = (kFileLengthAlignment - unpadded % kFileLengthAlignment) % kFileLengthAlignment;
    // The record's place is kept with zeros until the digest is known.
    const std::string filler(static_cast<std::size_t>(padding) + kIntegrityRecordSize, '\0');
    m_out.write(filler.data(), static_cast<std::streamsize>(filler.size()));
    m_recordPosition = imageSize + padding;
    m_position = m_recordPosition + kIntegrityRecordSize;
}

void ArchiveWriter::Emit(const char* bytes, std::size_t count) {
    m_out.write(bytes, static_cast<std::streamsize>(count));
    if (m_sealed) {
        m_digest.Update(bytes, count);
    }
}

bool ArchiveWriter::Fail(std::string message) {
    if (m_error.empty()) {
        m_error = std::move(message);
    }
    return false;
}

bool ArchiveWriter::BeginEntry(std::string_view name, std::uint64_t size) {
    const std::string quoted = "\"" + std::string(name) + "\"";
    if (m_finished) {
        return Fail("entry " + quoted + " added after the archive was finished");
    }
    if (m_offsets.size() >= kMaxEntryCount) {
        return Fail("entry " + quoted + " is one more than the " + std::to_string(kMaxEntryCount) +
                    " an archive holds");
    }
    if (name.empty() || name.size() > kMaxNameLength) {
        return Fail("the name of " + quoted + " has " + std::to_string(name.size()) + " bytes; it must have 1 to " +
                    std::to_string(kMaxNameLength));
    }
    if (name.find('\0') != std::string_view::npos) {
        return Fail("the name of " + quoted + " holds a zero byte");
    }
    if (size == 0) {
        return Fail(quoted + " is empty; every entry needs at least one data byte");
    }
    // The entry's end is the next offset, and the table that follows must also be addressable.
    const std::uint64_t end = m_position + kNameFieldSize + size;
    if (end > std::numeric_limits<std::uint32_t>::max()) {
        return Fail(quoted + " would end beyond 4 GiB, which 32-bit offsets cannot address");
    }
    m_offsets.push_back(static_cast<std::uint32_t>(m_position));
    std::array<char, kNameFieldSize> field{};
    std::copy(name.begin(), name.end(), field.begin());
    Emit(field.data(), field.size());
    m_position = end;
    m_dataBytes += size;
    return true;
}

bool ArchiveWriter::Add(std::string_view name, std::istream& data, std::uint64_t size) {
    if (!BeginEntry(name, size)) {
        return false;
    }
    std::vector<char> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(size, kCopyBufferSize)));
    for (std::uint64_t left = size; left > 0;) {
        const auto chunk = static_cast<std::streamsize>(std::min<std::uint64_t>(left, buffer.size()));
        if (!data.read(buffer.data(), chunk)) {
            return Fail("could not read the data of \"" + std::string(name) + "\"");
        }
        Emit(buffer.data(), static_cast<std::size_t>(chunk));
        left -= static_cast<std::uint64_t>(chunk);
    }
    return m_out.good() || Fail("could not write the archive");
}

bool ArchiveWriter::Add(std::string_view name, std::string_view bytes) {
    std::istringstream data{std::string(bytes)};
    return Add(name, data, bytes.size());
}

bool ArchiveWriter::Finish() {
    if (!m_error.empty()) {
        return false;
    }
    if (m_finished) {
        return Fail("the archive was already finished");
    }
    m_finished = true;
    const std::uint64_t tableStart = m_position;
    const std::uint64_t fileEnd = tableStart + (m_offsets.size() + 1) * kOffsetSize + kCountFieldSize;
    if (fileEnd > std::numeric_limits<std::uint32_t>::max()) {
        return Fail("the archive would end beyond 4 GiB");
    }
    m_offsets.push_back(static_cast<std::uint32_t>(tableStart));  // the sentinel
    std::vector<unsigned char> tail((m_offsets.size() + 1) * kOffsetSize);
    for (std::size_t i = 0; i < m_offsets.size(); ++i) {
        WriteLe32(&tail[i * kOffsetSize], m_offsets[i]);
    }
    WriteLe32(&tail[m_offsets.size() * kOffsetSize], static_cast<std::uint32_t>(m_offsets.size()));
    Emit(reinterpret_cast<const char*>(tail.data()), tail.size());
    if (m_sealed && !WriteRecord()) {
        return false;
    }
    m_out.flush();
    return m_out.good() || Fail("could not write the archive");
}

bool ArchiveWriter::WriteRecord() {
    if (EntryCount() != m_plan.entryCount || m_dataBytes != m_plan.dataBytes) {
        return Fail("the archive holds " + std::to_string(EntryCount()) + " entries with " +
                    std::to_string(m_dataBytes) + " bytes of data, not the " + std::to_string(m_plan.entryCount) +
                    " entries with " + std::to_string(m_plan.dataBytes) + " bytes planned");
    }
    IntegrityRecord record;
    record.digest = m_digest.Value();
    unsigned char bytes[kIntegrityRecordSize];
    EncodeIntegrityRecord(record, bytes);
    const std::streampos end = m_out.tellp();
    m_out.seekp(static_cast<std::streamoff>(m_recordPosition));
    m_out.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
    m_out.seekp(end);
    return m_out.good() || Fail("could not write the integrity record");
}

}  // namespace payload
