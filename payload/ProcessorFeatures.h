#pragma once
// What the processor offers the digest's kernels (payload/Xxh3Kernel.h), asked of the processor itself:
// the same answer on every system, and for AVX2 only where the system also saves the wide registers.

namespace payload {

bool ProcessorHasSse2();
bool ProcessorHasAvx2();

}  // namespace payload
