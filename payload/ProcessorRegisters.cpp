// The one part of the kernel choice that asks the processor: it reads, the decisions are
// ProcessorFeatures.cpp's. It runs before anything knows what the processor has, so it is built for any
// x86 processor, as the rest of the 32-bit setup is.
#include "payload/ProcessorFeatures.h"

#include <cpuid.h>

#if defined(__i386__) && defined(__SSE2__)
#error "ProcessorRegisters.cpp runs on processors without SSE2 too: build it without -msse2"
#endif

namespace payload {

namespace {

constexpr unsigned kOsXsave = 1u << 27;  // leaf 1, ecx

// The low half of XCR0. Written as bytes, so that the file needs no -mxsave.
unsigned ExtendedControlRegister0() {
    unsigned low = 0;
    unsigned high = 0;
    __asm__ volatile(".byte 0x0f, 0x01, 0xd0" : "=a"(low), "=d"(high) : "c"(0));
    return low;
}

}  // namespace

ProcessorRegisters ReadProcessorRegisters() {
    ProcessorRegisters registers;
    // 0 as well on a 32-bit processor without cpuid.
    registers.highestLeaf = __get_cpuid_max(0, nullptr);
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (registers.highestLeaf >= 1) {
        __cpuid(1, eax, ebx, ecx, edx);
        registers.leaf1Ecx = ecx;
        registers.leaf1Edx = edx;
        // xgetbv is an invalid instruction until the system turns it on.
        if (ecx & kOsXsave) {
            registers.xcr0 = ExtendedControlRegister0();
        }
    }
    if (registers.highestLeaf >= 7) {
        __cpuid_count(7, 0, eax, ebx, ecx, edx);
        registers.leaf7Ebx = ebx;
    }
    return registers;
}

bool ProcessorHasSse2() {
    return HasSse2(ReadProcessorRegisters());
}

bool ProcessorHasAvx2() {
    return HasAvx2(ReadProcessorRegisters());
}

}  // namespace payload
