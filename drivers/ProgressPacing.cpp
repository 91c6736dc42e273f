#include "drivers/ProgressPacing.h"

namespace drivers {

unsigned PauseLengthMs(unsigned draw, unsigned minMs, unsigned maxMs) {
    if (draw > kRandMax) {
        draw = kRandMax;
    }
    if (maxMs < minMs) {
        return minMs;
    }
    // draw * range / kRandMax without a product wider than 32 bits, so wide bounds cannot overflow and
    // a 32-bit build needs no 64-bit division from the runtime. With range = q * kRandMax + r the
    // quotient is draw * q + draw * r / kRandMax exactly; draw * r stays below 2^30, and the sum is
    // at most range.
    const unsigned range = maxMs - minMs;
    return minMs + draw * (range / kRandMax) + draw * (range % kRandMax) / kRandMax;
}

}  // namespace drivers
