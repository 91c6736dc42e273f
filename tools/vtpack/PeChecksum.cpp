#include "tools/vtpack/PeChecksum.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

#include "payload/PayloadFormat.h"
#include "tools/vtpack/StdFileSource.h"

namespace {

constexpr std::uint32_t kChunkSize = 1 << 16;  // even, so no word straddles two chunks

}  // namespace

bool ComputePeChecksum(payload::ArchiveSource& file, const payload::PeHeaders& headers, std::uint32_t* checksum) {
    const std::uint64_t length = file.Length();
    std::vector<unsigned char> chunk(kChunkSize);
    std::uint32_t sum = 0;
    for (std::uint64_t at = 0; at < length;) {
        const auto count = static_cast<std::uint32_t>(length - at < kChunkSize ? length - at : kChunkSize);
        if (!file.ReadAt(at, chunk.data(), count)) {
            return false;
        }
        // The field counts as zero: the sum cannot include the value it is about to become.
        for (std::uint64_t field = headers.checkSum; field < headers.checkSum + payload::pe::kCheckSumSize; ++field) {
            if (field >= at && field < at + count) {
                chunk[static_cast<std::size_t>(field - at)] = 0;
            }
        }
        if (count % 2 != 0) {
            chunk[count] = 0;  // an odd last byte is the low half of a word
        }
        for (std::uint32_t i = 0; i < count; i += 2) {
            sum += static_cast<std::uint32_t>(chunk[i] | chunk[i + 1] << 8);
            sum = (sum & 0xFFFF) + (sum >> 16);
        }
        at += count;
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    *checksum = static_cast<std::uint32_t>(sum + length);
    return true;
}

bool StoredPeChecksum(payload::ArchiveSource& file, payload::PeHeaders* headers, std::uint32_t* checksum) {
    *headers = payload::ReadPeHeaders(file);
    unsigned char field[payload::pe::kCheckSumSize];
    if (!headers->Present() || !file.ReadAt(headers->checkSum, field, sizeof field)) {
        return false;
    }
    *checksum = payload::ReadLe32(field);
    return true;
}

bool WritePeChecksum(const std::string& path, std::string* error) {
    std::uint32_t checksum = 0;
    {
        StdFileSource file(path);
        payload::PeHeaders headers;
        std::uint32_t stored = 0;
        if (!file.IsOpen()) {
            *error = "cannot read \"" + path + "\": " + std::strerror(errno);
            return false;
        }
        if (!StoredPeChecksum(file, &headers, &stored) || stored == 0) {
            return true;
        }
        if (!ComputePeChecksum(file, headers, &checksum)) {
            *error = "cannot read \"" + path + "\" back";
            return false;
        }
        std::fstream out(path, std::ios::in | std::ios::out | std::ios::binary);
        unsigned char field[payload::pe::kCheckSumSize];
        payload::WriteLe32(field, checksum);
        out.seekp(static_cast<std::streamoff>(headers.checkSum));
        out.write(reinterpret_cast<const char*>(field), sizeof field);
        out.close();
        if (!out) {
            *error = "cannot write the checksum into \"" + path + "\"";
            return false;
        }
    }
    return true;
}
