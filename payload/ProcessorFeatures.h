#pragma once
// What the processor offers the digest's kernels (payload/Xxh3Kernel.h). The decisions are functions of
// what `cpuid` and `xgetbv` report and of nothing else, so every combination a machine may show is
// tested on any machine; ProcessorRegisters.cpp reads the values of the processor that runs.

namespace payload {

// The values the decisions read. A value the reader could not ask for stays 0: no feature.
struct ProcessorRegisters {
    unsigned highestLeaf = 0;  // cpuid leaf 0, eax: the highest leaf the processor answers
    unsigned leaf1Ecx = 0;
    unsigned leaf1Edx = 0;
    unsigned leaf7Ebx = 0;  // cpuid leaf 7, sub-leaf 0; a processor asked beyond its highest leaf answers garbage
    unsigned xcr0 = 0;      // the low half of XCR0, read only when the system set OSXSAVE (xgetbv faults else)
};

bool HasSse2(const ProcessorRegisters& registers);
// AVX2 in the processor and its wide registers saved by the system across task switches: a system
// that leaves them unsaved has the instructions fault.
bool HasAvx2(const ProcessorRegisters& registers);

// The processor that runs this.
ProcessorRegisters ReadProcessorRegisters();
bool ProcessorHasSse2();
bool ProcessorHasAvx2();

}  // namespace payload
