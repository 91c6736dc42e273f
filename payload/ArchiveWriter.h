#pragma once
// Writing the archive behind a program image. The writer keeps the layout (names that fit their
// field, data of at least one byte, offsets that fit in 32 bits, at most 7749 entries, the sentinel);
// what the setup could not extract for other reasons (order, unsafe names) is judged by the pack
// plan before anything is written.

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace payload {

class ArchiveWriter {
public:
    // out holds the program image, imageSize bytes, and is positioned at its end.
    ArchiveWriter(std::ostream& out, std::uint64_t imageSize);

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

    std::ostream& m_out;
    std::uint64_t m_position;
    std::vector<std::uint32_t> m_offsets;
    std::string m_error;
    bool m_finished = false;
};

}  // namespace payload
