#include "payload/Xxh3Kernel.h"

#include <windows.h>

namespace payload {

// The 32-bit setup still runs on processors without SSE2. The system's answer also says that it saves
// the SSE registers across task switches.
const Xxh3Kernel& ChosenXxh3Kernel() {
    return IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) ? kXxh3Sse2 : kXxh3Scalar;
}

}  // namespace payload
