#pragma once
// The payload archive: the files the setup installs, appended behind the setup's program image.
// The setup reads it from the end of its own file; vtpack writes it. Both sides use this header, so a
// change here changes both; the round-trip tests keep them honest.
//
//   0                 +----------------------------------------+
//                     | program image (the setup without data) |
//   o[0]              +----------------------------------------+
//                     | entry 0: name field (400) | data ...   |
//   o[1]              +----------------------------------------+
//                     | entry 1                                |
//                     :                                        :
//   o[N-2]            | entry N-2                              |
//   o[N-1] = L-4-4N   +----------------------------------------+  sentinel: closes the last entry
//                     | offset table o[0] .. o[N-1]  (4N bytes)|
//   L-4               +----------------------------------------+
//                     | N                            (4 bytes) |
//   L                 +----------------------------------------+
//
// All integers are unsigned 32-bit little-endian, all offsets absolute from the start of the file.
// An entry's data length is never stored: it is o[i+1] - o[i] - 400, and it is at least 1.
// The name is the relative path in the ANSI code page (GBK for us), folders separated by "\", ended by
// a zero byte; the reader forces byte 399 to zero, so a name has at most 399 bytes.
// The extractors create only the last folder level of an entry, so every nested folder must follow at
// least one entry of its parent folder.
//
// Between the image and o[0], a place the layout above never reads, vtpack writes zero padding and an
// integrity record that ends exactly at o[0]:
//
//   o[0] - 24  magic "VtDigest" (8) | version (4) | digest algorithm (4) | digest (8)
//
// The digest covers every byte from o[0] up to and including the count. It finds damage, not tampering,
// which is the signature's job. The padding makes the file's length a multiple of 8, so that a signing
// tool appends its certificate table right behind the count and adds no padding of its own; readers then
// take the start of that table (named by the PE image's security data directory) as the archive's end L.
// An archive without a record (packed before records existed, or by another writer) is read as before.

#include <cstddef>
#include <cstdint>

namespace payload {

inline constexpr std::uint32_t kNameFieldSize = 400;
inline constexpr std::uint32_t kMaxNameLength = kNameFieldSize - 1;
inline constexpr std::uint32_t kMaxOffsetCount = 7750;  // table entries, the sentinel included
inline constexpr std::uint32_t kMaxEntryCount = kMaxOffsetCount - 1;
inline constexpr std::uint32_t kCountFieldSize = 4;
inline constexpr std::uint32_t kOffsetSize = 4;
inline constexpr char kFolderSeparator = '\\';

// The integrity record in front of the first entry.
inline constexpr char kIntegrityMagic[8] = {'V', 't', 'D', 'i', 'g', 'e', 's', 't'};
inline constexpr std::uint32_t kIntegrityRecordSize = 24;
inline constexpr std::uint32_t kIntegrityVersion = 1;
inline constexpr std::uint32_t kDigestXxh3_64 = 1;  // XXH3, 64 bits, seed 0
// What vtpack rounds the file's length up to: the alignment of an Authenticode certificate table.
inline constexpr std::uint32_t kFileLengthAlignment = 8;

// Every entry is copied through one buffer of this size, whatever the entry's length. Chosen side by side
// (make bench-copy-buffer): a quarter mebibyte copied fastest, ahead of 64 KiB, 1 MiB and the 512,000
// bytes it replaced; it is also the digest's chunk, which stays in the second-level cache.
inline constexpr std::size_t kCopyBufferSize = 256 * 1024;

// Folder names the installation relies on.
inline constexpr char kMxDriverFolder[] = "MxDriver";
inline constexpr char kContourFolder[] = "Contour";
inline constexpr char kQtxDriverFolder[] = "QTXDriver";
inline constexpr char kQtxDriverAmd64Folder[] = "QTXDriver\\amd64";
inline constexpr char kQtxDriverX86Folder[] = "QTXDriver\\x86";

inline std::uint32_t ReadLe32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

inline void WriteLe32(unsigned char* p, std::uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

}  // namespace payload
