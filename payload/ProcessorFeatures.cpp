#include "payload/ProcessorFeatures.h"

namespace payload {

namespace {

constexpr unsigned kSse2 = 1u << 26;     // leaf 1, edx
constexpr unsigned kOsXsave = 1u << 27;  // leaf 1, ecx: the system turned on XSAVE and XGETBV
constexpr unsigned kAvx = 1u << 28;      // leaf 1, ecx
constexpr unsigned kAvx2 = 1u << 5;      // leaf 7, ebx
constexpr unsigned kXmmState = 1u << 1;  // XCR0: the system saves the SSE registers
constexpr unsigned kYmmState = 1u << 2;  // XCR0: ... and the upper halves of the AVX registers

bool AllSet(unsigned value, unsigned bits) {
    return (value & bits) == bits;
}

}  // namespace

bool HasSse2(const ProcessorRegisters& registers) {
    return registers.highestLeaf >= 1 && AllSet(registers.leaf1Edx, kSse2);
}

bool HasAvx2(const ProcessorRegisters& registers) {
    return registers.highestLeaf >= 7 && AllSet(registers.leaf1Ecx, kOsXsave | kAvx) &&
           AllSet(registers.xcr0, kXmmState | kYmmState) && AllSet(registers.leaf7Ebx, kAvx2);
}

}  // namespace payload
