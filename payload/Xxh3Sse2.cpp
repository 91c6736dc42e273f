// XXH3 with SSE2 (built with -msse2): only called where the processor has it.
#define XXH_VECTOR 1  // XXH_SSE2
#define VT_XXH3_KERNEL kXxh3Sse2
#define VT_XXH3_KERNEL_NAME "SSE2"
#include "payload/Xxh3KernelBody.inc"
