#include "game/decimal.h"

#include <cmath>
#include <cstdint>

namespace tessel {

std::string Padded(unsigned long long value, std::size_t width) {
    std::string digits = std::to_string(value);
    return digits.size() < width ? std::string(width - digits.size(), '0') + digits : digits;
}

std::string Decimal(double value, int places) {
    if (!std::isfinite(value)) return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
    uint64_t scale = 1;
    for (int i = 0; i < places; ++i) scale *= 10;
    // The value is mantissa x 2^exponent exactly, the mantissa under 2^53; times the scale (at most 100) it
    // stays under 2^60, so the rounding is decided on exact integers.
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    const auto mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
    exponent -= 53;
    uint64_t whole = 0, decimals = 0;
    if (exponent >= 0) {
        // 2^53 or more: a whole number, kept within 64 bits.
        whole = std::fabs(value) < 0x1p64 ? static_cast<uint64_t>(std::fabs(value)) : UINT64_MAX;
    } else if (exponent > -64) {
        const uint64_t product = mantissa * scale;
        const int shift = -exponent;
        const uint64_t half = uint64_t{1} << (shift - 1), rest = product & ((half << 1) - 1);
        uint64_t scaled = product >> shift;
        if (rest > half || (rest == half && scaled % 2 == 1)) ++scaled;
        whole = scaled / scale;
        decimals = scaled % scale;
    }  // below 2^-11: under 1/16 times the scale, which rounds to 0
    std::string text = std::to_string(whole);
    if (places > 0) text += '.' + Padded(decimals, static_cast<std::size_t>(places));
    return std::signbit(value) ? '-' + text : text;
}

}  // namespace tessel
