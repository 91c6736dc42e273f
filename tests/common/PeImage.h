#pragma once
// The smallest files that pass for PE32 and PE32+ images as far as the certificate table is concerned:
// a DOS header pointing at "PE\0\0", a file header and an optional header with 16 data directories.
// Signing is imitated the way signing tools do it: the file padded to 8 bytes, a table appended and
// named by the security data directory.

#include <cstdint>
#include <string>

#include "payload/PayloadFormat.h"

namespace testing_pe {

inline constexpr std::uint32_t kPeOffset = 0x40;
inline constexpr std::uint32_t kOptionalHeader = kPeOffset + 24;

inline std::uint32_t DirectoriesAt(bool plus) {
    return kOptionalHeader + (plus ? 112 : 96);
}

inline void Put16(std::string& file, std::size_t at, std::uint16_t value) {
    file[at] = static_cast<char>(value & 0xFF);
    file[at + 1] = static_cast<char>(value >> 8);
}

inline void Put32(std::string& file, std::size_t at, std::uint32_t value) {
    payload::WriteLe32(reinterpret_cast<unsigned char*>(&file[at]), value);
}

// A header of 512 bytes; the rest of the "image" is whatever the caller appends.
inline std::string Image(bool plus) {
    std::string file(512, '\0');
    file[0] = 'M';
    file[1] = 'Z';
    Put32(file, 0x3C, kPeOffset);
    file.replace(kPeOffset, 4, std::string("PE\0\0", 4));
    Put16(file, kPeOffset + 4, plus ? 0x8664 : 0x14C);
    Put16(file, kPeOffset + 4 + 16, plus ? 0xF0 : 0xE0);  // size of the optional header
    Put16(file, kOptionalHeader, plus ? 0x20B : 0x10B);
    Put32(file, kOptionalHeader + (plus ? 108 : 92), 16);
    return file;
}

inline void SetSecurityDirectory(std::string& file, bool plus, std::uint32_t offset, std::uint32_t size) {
    Put32(file, DirectoriesAt(plus) + 4 * 8, offset);
    Put32(file, DirectoriesAt(plus) + 4 * 8 + 4, size);
}

// Pads the file to 8 bytes and appends a table of tableSize bytes (a multiple of 8) behind it.
inline void Sign(std::string& file, bool plus, std::uint32_t tableSize = 1024) {
    file.append((8 - file.size() % 8) % 8, '\0');
    const auto offset = static_cast<std::uint32_t>(file.size());
    file.append(tableSize, '\x5A');
    SetSecurityDirectory(file, plus, offset, tableSize);
}

}  // namespace testing_pe
