#include "payload/ProcessorFeatures.h"
#include "payload/Xxh3Kernel.h"

namespace payload {

// The 32-bit setup still runs on processors without SSE2; every 64-bit one has it.
const Xxh3Kernel& Xxh3KernelFor(const ProcessorRegisters& registers) {
    if (HasAvx2(registers)) {
        return kXxh3Avx2;
    }
    return HasSse2(registers) ? kXxh3Sse2 : kXxh3Scalar;
}

const Xxh3Kernel& ChosenXxh3Kernel() {
    return Xxh3KernelFor(ReadProcessorRegisters());
}

}  // namespace payload
