#include "tools/vtpack/StubVersion.h"

#include <algorithm>
#include <vector>

#include "payload/PayloadFormat.h"
#include "payload/PeHeaders.h"

namespace {

constexpr std::uint32_t kVersionType = 16;  // RT_VERSION
constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr std::uint32_t kSubdirectoryFlag = 0x80000000;
constexpr std::uint32_t kMaxVersionSize = 64 * 1024;  // a version resource is a few hundred bytes

std::uint16_t Le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t virtualSize = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawOffset = 0;
};

class ImageReader {
public:
    explicit ImageReader(payload::ArchiveSource& file) : m_file(file) {}

    bool ReadHeaders() {
        const payload::PeHeaders headers = payload::ReadPeHeaders(m_file);
        const std::uint64_t entry = headers.Directory(payload::pe::kResourceDirectory);
        unsigned char directory[payload::pe::kDirectoryEntrySize];
        if (entry == 0 || !m_file.ReadAt(entry, directory, sizeof directory)) {
            return false;
        }
        m_resourceRva = payload::ReadLe32(directory);
        std::vector<unsigned char> table(headers.sectionCount * std::size_t{payload::pe::kSectionHeaderSize});
        if (!table.empty() &&
            !m_file.ReadAt(headers.sectionTable, table.data(), static_cast<std::uint32_t>(table.size()))) {
            return false;
        }
        for (std::size_t i = 0; i < headers.sectionCount; ++i) {
            const unsigned char* s = table.data() + i * payload::pe::kSectionHeaderSize;
            m_sections.push_back({payload::ReadLe32(s + 12), payload::ReadLe32(s + 8), payload::ReadLe32(s + 16),
                                  payload::ReadLe32(s + 20)});
        }
        return m_resourceRva != 0;
    }

    // Reads count bytes at the image address rva, from the section that holds them in the file.
    bool ReadRva(std::uint32_t rva, void* buffer, std::uint32_t count) {
        for (const Section& section : m_sections) {
            const std::uint64_t size = std::max(section.virtualSize, section.rawSize);
            if (rva >= section.virtualAddress && rva - section.virtualAddress + std::uint64_t{count} <= size) {
                const std::uint32_t inSection = rva - section.virtualAddress;
                if (std::uint64_t{inSection} + count > section.rawSize) {
                    return false;
                }
                return m_file.ReadAt(std::uint64_t{section.rawOffset} + inSection, buffer, count);
            }
        }
        return false;
    }

    // The offset (from the resource directory's start) of the entry with this id in the directory at
    // `directory`, or of its first entry when id is 0; 0 when there is none.
    std::uint32_t Entry(std::uint32_t directory, std::uint32_t id) {
        unsigned char header[16];
        if (!ReadRva(m_resourceRva + directory, header, sizeof header)) {
            return 0;
        }
        const std::uint32_t count = Le16(header + 12) + Le16(header + 14);
        for (std::uint32_t i = 0; i < count; ++i) {
            unsigned char item[8];
            if (!ReadRva(m_resourceRva + directory + 16 + i * 8, item, sizeof item)) {
                return 0;
            }
            if (id == 0 || payload::ReadLe32(item) == id) {
                return payload::ReadLe32(item + 4);
            }
        }
        return 0;
    }

    std::uint32_t ResourceRva() const { return m_resourceRva; }

private:
    payload::ArchiveSource& m_file;
    std::uint32_t m_resourceRva = 0;
    std::vector<Section> m_sections;
};

}  // namespace

StubVersion ReadStubVersion(payload::ArchiveSource& file) {
    StubVersion version;
    ImageReader image(file);
    if (!image.ReadHeaders()) {
        return version;
    }
    // Type, then name, then language: each level a directory, the last one leading to a data entry.
    std::uint32_t entry = image.Entry(0, kVersionType);
    for (int level = 0; level < 2 && (entry & kSubdirectoryFlag) != 0; ++level) {
        entry = image.Entry(entry & ~kSubdirectoryFlag, 0);
    }
    unsigned char data[8];
    if (entry == 0 || (entry & kSubdirectoryFlag) != 0 || !image.ReadRva(image.ResourceRva() + entry, data, 8)) {
        return version;
    }
    const std::uint32_t size = payload::ReadLe32(data + 4);
    if (size > kMaxVersionSize) {
        return version;
    }
    std::vector<unsigned char> bytes(size);
    if (!image.ReadRva(payload::ReadLe32(data), bytes.data(), size)) {
        return version;
    }
    // VS_VERSIONINFO: three 16-bit fields, the key "VS_VERSION_INFO" in UTF-16 with its end, then the
    // fixed part on the next 32-bit boundary.
    constexpr std::size_t kFixed = (6 + 16 * 2 + 3) & ~std::size_t{3};
    if (size < kFixed + 16 || payload::ReadLe32(bytes.data() + kFixed) != kFixedInfoSignature) {
        return version;
    }
    const std::uint32_t high = payload::ReadLe32(bytes.data() + kFixed + 8);
    const std::uint32_t low = payload::ReadLe32(bytes.data() + kFixed + 12);
    version.parts[0] = static_cast<std::uint16_t>(high >> 16);
    version.parts[1] = static_cast<std::uint16_t>(high);
    version.parts[2] = static_cast<std::uint16_t>(low >> 16);
    version.parts[3] = static_cast<std::uint16_t>(low);
    version.found = true;
    return version;
}

std::string StubVersionText(const StubVersion& version) {
    if (!version.found) {
        return "none";
    }
    std::string text;
    for (int i = 0; i < 4; ++i) {
        text += (i == 0 ? "" : ".") + std::to_string(version.parts[i]);
    }
    return text;
}
