#include "payload/ProcessorFeatures.h"

#include <cpuid.h>

namespace payload {

namespace {

constexpr unsigned kSse2 = 1u << 26;     // leaf 1, edx
constexpr unsigned kOsXsave = 1u << 27;  // leaf 1, ecx: the system turned on XSAVE and XGETBV
constexpr unsigned kAvx = 1u << 28;      // leaf 1, ecx
constexpr unsigned kAvx2 = 1u << 5;      // leaf 7, ebx
constexpr unsigned kSseAndAvxState = 6;  // XCR0: the system saves the SSE and the upper AVX registers

// The low half of XCR0. Written as bytes, so that the file needs no -mxsave: it runs only after the
// processor said it has the instruction.
unsigned ExtendedControlRegister0() {
    unsigned low = 0;
    unsigned high = 0;
    __asm__ volatile(".byte 0x0f, 0x01, 0xd0" : "=a"(low), "=d"(high) : "c"(0));
    return low;
}

}  // namespace

bool ProcessorHasSse2() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    return __get_cpuid(1, &eax, &ebx, &ecx, &edx) && (edx & kSse2) != 0;
}

bool ProcessorHasAvx2() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx) || (ecx & (kOsXsave | kAvx)) != (kOsXsave | kAvx) ||
        (ExtendedControlRegister0() & kSseAndAvxState) != kSseAndAvxState) {
        return false;
    }
    return __get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) && (ebx & kAvx2) != 0;
}

}  // namespace payload
