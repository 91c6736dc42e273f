#pragma once
// The one copy loop of the setup: the bytes of an archive entry or of a file beside the setup into a file
// being written, through one buffer of payload::kCopyBufferSize bytes whatever the file's length.

#include <cstdint>

#include "framework/File_win.h"
#include "framework/FunctionRef.h"

namespace payload {

enum class CopyEnd {
    Copied,
    ReadFailed,   // input.LastError() tells why
    WriteFailed,  // output.LastError() tells why
};

// Streams `size` bytes from where `input` stands into `output`. `buffer` holds kCopyBufferSize bytes;
// `moved`, when given, is told the bytes of each chunk once it is written.
CopyEnd CopyBytes(CFile& input,
                  std::uint64_t size,
                  CFile& output,
                  char* buffer,
                  FunctionRef<void(std::uint64_t)> moved = nullptr);

}  // namespace payload
