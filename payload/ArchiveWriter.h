#pragma once
// Writing the archive behind a program image. The writer keeps the layout (names that fit their
// field, data of at least one byte, offsets that fit in 32 bits, at most 7749 entries, the sentinel);
// what the setup could not extract for other reasons (order, unsafe names) is judged by the pack
// plan before anything is written.
//
// Told beforehand how many entries and data bytes will follow, the writer also seals the archive: zero
// padding and an integrity record go between the image and the first entry, the padding chosen so that
// the file's length is a multiple of 8, and the record's digest is made of the bytes as they are written.

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "payload/ArchiveDigest.h"

namespace payload {

struct ArchivePlan {
    std::size_t entryCount = 0;
    std::uint64_t dataBytes = 0;  // the data of all entries, their name fields not counted
};

class ArchiveWriter {
public:
    // out holds the program image, imageSize bytes, and is positioned at its end. Without a plan the
    // entries follow the image directly and there is no record.
    ArchiveWriter(std::ostream& out, std::uint64_t imageSize);
    // Sealed, as vtpack writes it; out must be seekable, since the record is written last. The entries
    // added must be those of the plan.
    ArchiveWriter(std::ostream& out, std::uint64_t imageSize, const ArchivePlan& plan);

    // Appends one entry whose data are the next size bytes of data.
    bool Add(std::string_view name, std::istream& data, std::uint64_t size);
    bool Add(std::string_view name, std::string_view bytes);

    // Writes the offset table with its sentinel and the count. Nothing may be added afterwards.
    bool Finish();

    const std::string& Error() const { return m_error; }
    std::size_t EntryCount() const { return m_offsets.size() - (m_finished ? 1 : 0); }

private:
    bool BeginEntry(std::string_view name, std::uint64_t size);
    bool Fail(std::string message);
    // Every byte from the first entry on goes through here, so a sealed archive's digest sees it.
    void Emit(const char* bytes, std::size_t count);
    bool WriteRecord();

    std::ostream& m_out;
    std::uint64_t m_position;
    std::vector<std::uint32_t> m_offsets;
    std::string m_error;
    bool m_finished = false;
    bool m_sealed = false;
    ArchivePlan m_plan;
    std::uint64_t m_dataBytes = 0;
    std::uint64_t m_recordPosition = 0;
    ArchiveDigest m_digest;
};

}  // namespace payload
