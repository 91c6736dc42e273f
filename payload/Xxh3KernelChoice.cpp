#include "payload/ProcessorFeatures.h"
#include "payload/Xxh3Kernel.h"

namespace payload {

// The 32-bit setup still runs on processors without SSE2; every 64-bit one has it.
const Xxh3Kernel& ChosenXxh3Kernel() {
    if (ProcessorHasAvx2()) {
        return kXxh3Avx2;
    }
    return ProcessorHasSse2() ? kXxh3Sse2 : kXxh3Scalar;
}

}  // namespace payload
