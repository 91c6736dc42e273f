#include "payload/CopyBytes_win.h"

#include <algorithm>

#include "payload/PayloadFormat.h"

namespace payload {

CopyEnd CopyBytes(CFile& input,
                  std::uint64_t size,
                  CFile& output,
                  char* buffer,
                  FunctionRef<void(std::uint64_t)> moved) {
    for (std::uint64_t left = size; left > 0;) {
        const auto chunk = static_cast<std::uint32_t>(std::min<std::uint64_t>(left, kCopyBufferSize));
        if (!input.Read(buffer, chunk)) {
            return CopyEnd::ReadFailed;
        }
        if (!output.Write(buffer, chunk)) {
            return CopyEnd::WriteFailed;
        }
        left -= chunk;
        if (moved) {
            moved(chunk);
        }
    }
    return CopyEnd::Copied;
}

}  // namespace payload
