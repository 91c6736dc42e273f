// XXH3 in plain integer code, for processors without SSE2 (built as the rest of the program is).
#define XXH_VECTOR 0  // XXH_SCALAR
#define VT_XXH3_KERNEL kXxh3Scalar
#define VT_XXH3_KERNEL_NAME "scalar"
#include "payload/Xxh3KernelBody.inc"
