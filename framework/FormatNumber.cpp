#include "framework/FormatNumber.h"

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
    do {
        *--first = static_cast<Char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
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
