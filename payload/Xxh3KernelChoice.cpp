#include "payload/Xxh3Kernel.h"

namespace payload {

// Every processor this build runs on has SSE2 (x86-64 brings it).
const Xxh3Kernel& ChosenXxh3Kernel() {
    return kXxh3Sse2;
}

}  // namespace payload
