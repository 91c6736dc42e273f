#pragma once
// The checksum in a PE image's optional header covers the whole file, as Windows computes it
// (CheckSumMappedFile): the file's 16-bit words added with end-around carry, the field itself counted as
// zero, plus the file's length. The linker computes it for the stub alone; the payload appended behind
// the image changes it, and a reader that checks it (a security scanner, pefile's verify_checksum) finds
// a stub's checksum on a setup wrong. Signing tools compute it again after they append their table.

#include <cstdint>
#include <string>

#include "payload/ArchiveReader.h"
#include "payload/PeHeaders.h"

// The checksum of the whole file whose headers are `headers`; false when the file cannot be read.
bool ComputePeChecksum(payload::ArchiveSource& file, const payload::PeHeaders& headers, std::uint32_t* checksum);

// The checksum the header carries; false when the file holds no PE headers or cannot be read.
bool StoredPeChecksum(payload::ArchiveSource& file, payload::PeHeaders* headers, std::uint32_t* checksum);

// Writes the whole file's checksum into the PE image at the start of the file at `path`. A stub that
// carries none (0) is left without one, as it was linked; a file that is no PE image is left alone.
// False, with the reason in `error`, when the file cannot be read or written.
bool WritePeChecksum(const std::string& path, std::string* error);
