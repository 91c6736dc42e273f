// The choice of the digest's kernel from what the processor and its system report: each combination a
// machine may show, whatever the machine that runs the test has.
#include <gtest/gtest.h>

#include <string>

#include "payload/ProcessorFeatures.h"
#include "payload/Xxh3Kernel.h"

using namespace payload;

namespace {

constexpr unsigned kSse2 = 1u << 26;
constexpr unsigned kOsXsave = 1u << 27;
constexpr unsigned kAvx = 1u << 28;
constexpr unsigned kAvx2 = 1u << 5;
constexpr unsigned kX87 = 1u << 0;
constexpr unsigned kXmm = 1u << 1;
constexpr unsigned kYmm = 1u << 2;
constexpr unsigned kAvx512States = 7u << 5;

// A processor of today under a system that saves every register it has.
ProcessorRegisters Modern() {
    ProcessorRegisters r;
    r.highestLeaf = 0x16;
    r.leaf1Ecx = kOsXsave | kAvx;
    r.leaf1Edx = kSse2;
    r.leaf7Ebx = kAvx2;
    r.xcr0 = kX87 | kXmm | kYmm;
    return r;
}

struct Case {
    const char* what;
    ProcessorRegisters registers;
    const char* kernel;  // the one chosen: kXxh3Scalar's, kXxh3Sse2's or kXxh3Avx2's name
};

ProcessorRegisters With(void (*change)(ProcessorRegisters&)) {
    ProcessorRegisters r = Modern();
    change(r);
    return r;
}

}  // namespace

TEST(ProcessorFeatures, KernelFollowsTheProcessorAndWhatTheSystemSaves) {
    const std::string avx2 = kXxh3Avx2.name;
    const std::string sse2 = kXxh3Sse2.name;
    const std::string scalar = kXxh3Scalar.name;
    const Case cases[] = {
        {"AVX2, the system saves the YMM state", Modern(), kXxh3Avx2.name},
        {"AVX-512 states saved as well", With([](ProcessorRegisters& r) { r.xcr0 |= kAvx512States; }), kXxh3Avx2.name},
        // The fault this guards against: AVX2 instructions on such a system end the setup at its check.
        {"OSXSAVE, but XCR0 without the YMM state", With([](ProcessorRegisters& r) { r.xcr0 = kX87 | kXmm; }),
         kXxh3Sse2.name},
        {"XCR0 with the YMM state but not the XMM state", With([](ProcessorRegisters& r) { r.xcr0 = kX87 | kYmm; }),
         kXxh3Sse2.name},
        {"no OSXSAVE: XCR0 is not to be read, whatever it would say",
         With([](ProcessorRegisters& r) { r.leaf1Ecx &= ~kOsXsave; }), kXxh3Sse2.name},
        {"AVX2 without AVX (a hypervisor that hides AVX)", With([](ProcessorRegisters& r) { r.leaf1Ecx &= ~kAvx; }),
         kXxh3Sse2.name},
        {"AVX without AVX2", With([](ProcessorRegisters& r) { r.leaf7Ebx = 0; }), kXxh3Sse2.name},
        // Asked beyond its highest leaf, a processor answers with another leaf's values.
        {"leaf 7 absent, its bits garbage", With([](ProcessorRegisters& r) { r.highestLeaf = 6; }), kXxh3Sse2.name},
        {"no SSE2 (a processor of the 32-bit setup's oldest)", With([](ProcessorRegisters& r) {
             r.highestLeaf = 2;
             r.leaf1Ecx = 0;
             r.leaf1Edx = 0;
             r.leaf7Ebx = 0;
             r.xcr0 = 0;
         }),
         kXxh3Scalar.name},
        {"no cpuid at all", ProcessorRegisters{}, kXxh3Scalar.name},
        {"cpuid without leaf 1, its bits garbage", With([](ProcessorRegisters& r) { r.highestLeaf = 0; }),
         kXxh3Scalar.name},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::string(Xxh3KernelFor(c.registers).name), c.kernel) << c.what;
        EXPECT_EQ(HasAvx2(c.registers), c.kernel == avx2) << c.what;
        EXPECT_EQ(HasSse2(c.registers), c.kernel != scalar) << c.what;
    }
    EXPECT_NE(avx2, sse2);
    EXPECT_NE(sse2, scalar);
}

#if defined(__x86_64__)
// The reading, where the answer is known: every 64-bit processor has SSE2, and a system that turned
// XGETBV on always saves the x87 state (XCR0 bit 0 cannot be cleared).
TEST(ProcessorFeatures, ReadsThisProcessor) {
    const ProcessorRegisters r = ReadProcessorRegisters();
    EXPECT_GE(r.highestLeaf, 1u);
    EXPECT_TRUE(HasSse2(r));
    EXPECT_TRUE(ProcessorHasSse2());
    if (r.leaf1Ecx & kOsXsave) {
        EXPECT_TRUE(r.xcr0 & kX87) << std::hex << r.xcr0;
    } else {
        EXPECT_EQ(r.xcr0, 0u);
    }
    EXPECT_EQ(ProcessorHasAvx2(), HasAvx2(r));
}
#endif
