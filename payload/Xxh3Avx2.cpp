// XXH3 with AVX2 (built with -mavx2): only called where the processor and the system have it.
#define XXH_VECTOR 2  // XXH_AVX2
#define VT_XXH3_KERNEL kXxh3Avx2
#define VT_XXH3_KERNEL_NAME "AVX2"
#include "payload/Xxh3KernelBody.inc"
