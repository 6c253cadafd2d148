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
    } else {
        const uint64_t product = mantissa * scale;
        const int shift = -exponent;
        uint64_t scaled = shift < 64 ? product >> shift : 0;
        const uint64_t rest = shift < 64 ? product & ((uint64_t{1} << shift) - 1) : product;
        const bool overHalf = shift < 64 ? rest > (uint64_t{1} << (shift - 1)) : false;
        const bool half = shift < 64 && rest == (uint64_t{1} << (shift - 1));
        if (overHalf || (half && scaled % 2 == 1)) ++scaled;
        whole = scaled / scale;
        decimals = scaled % scale;
    }
    std::string text = std::to_string(whole);
    if (places > 0) text += '.' + Padded(decimals, static_cast<std::size_t>(places));
    return std::signbit(value) ? '-' + text : text;
}

}  // namespace tessel
