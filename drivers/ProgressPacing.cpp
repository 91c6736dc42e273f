#include "drivers/ProgressPacing.h"

namespace drivers {

unsigned PauseLengthMs(unsigned draw, unsigned minMs, unsigned maxMs) {
    if (draw > kRandMax) {
        draw = kRandMax;
    }
    if (maxMs < minMs) {
        return minMs;
    }
    // 64-bit so that wide bounds cannot overflow the product.
    return minMs + static_cast<unsigned>(std::uint64_t{draw} * (maxMs - minMs) / kRandMax);
}

}  // namespace drivers
