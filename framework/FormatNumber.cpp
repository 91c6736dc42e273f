#include "framework/FormatNumber.h"

#include <cstdint>

namespace {

template <typename Char>
std::basic_string<Char> Decimal(long long value) {
    // Filled from the end: 19 digits and a sign are the most a long long needs.
    constexpr int kCapacity = 20;
    Char text[kCapacity];
    Char* first = text + kCapacity;
    // Taken as unsigned before negating, so the most negative value has its magnitude too.
    unsigned long long magnitude = static_cast<unsigned long long>(value);
    if (value < 0) {
        magnitude = 0 - magnitude;
    }
    // Divided by ten in 16-bit pieces while the magnitude is wider than 32 bits: each division then
    // holds less than 10 * 2^16, so a 32-bit program needs no 64-bit division from the runtime.
    std::uint32_t high = static_cast<std::uint32_t>(magnitude >> 32);
    std::uint32_t low = static_cast<std::uint32_t>(magnitude);
    while (high != 0) {
        std::uint32_t remainder = high % 10;
        high /= 10;
        const std::uint32_t upper = (remainder << 16 | low >> 16);
        remainder = upper % 10;
        const std::uint32_t lower = (remainder << 16 | (low & 0xFFFF));
        low = (upper / 10) << 16 | lower / 10;
        *--first = static_cast<Char>('0' + lower % 10);
    }
    do {
        *--first = static_cast<Char>('0' + low % 10);
        low /= 10;
    } while (low != 0);
    if (value < 0) {
        *--first = '-';
    }
    return std::basic_string<Char>(first, text + kCapacity);
}

}  // namespace

std::string FormatDecimal(long long value) {
    return Decimal<char>(value);
}

std::wstring FormatDecimalWide(long long value) {
    return Decimal<wchar_t>(value);
}
