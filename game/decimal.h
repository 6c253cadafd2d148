// Numbers written with a fixed number of decimals, as printf's "%.Nf" writes them, without the C library's
// printf: its floating-point code would be the biggest part of the web page's module after the hints.
#pragma once

#include <string>

namespace tessel {

// `value` with `places` decimals (0 to 2), rounded to the nearest on the double's exact value, a tie to the
// even digit: 22.25 to one place is "22.2", 0.45 (a little over) "0.5".
std::string Decimal(double value, int places);

// `value` zero-padded to `width` digits: Padded(7, 2) is "07".
std::string Padded(unsigned long long value, std::size_t width);

}  // namespace tessel
