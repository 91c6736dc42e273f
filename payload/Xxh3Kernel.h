#pragma once
// XXH3-64's streaming update, where a check of a setup spends its time: compiled for any x86 processor,
// with SSE2 and with AVX2, the last two for speed whatever the rest of the program is built for. All
// give the same digests. The state is xxHash's XXH3_state_t; ArchiveDigest starts and ends it.

#include <cstddef>

namespace payload {

struct Xxh3Kernel {
    const char* name;
    void (*update)(void* state, const void* data, std::size_t size);
};

extern const Xxh3Kernel kXxh3Scalar;
extern const Xxh3Kernel kXxh3Sse2;
extern const Xxh3Kernel kXxh3Avx2;

struct ProcessorRegisters;

// The fastest one a processor that reports these registers runs.
const Xxh3Kernel& Xxh3KernelFor(const ProcessorRegisters& registers);
// The fastest one this processor runs.
const Xxh3Kernel& ChosenXxh3Kernel();

}  // namespace payload
