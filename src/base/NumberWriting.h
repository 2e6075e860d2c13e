// Text forms of numbers as automation writes them under locale 0x409.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lombar {

// Up to 15 significant digits, as "%.15G" prints them, but written out in full
// when the digits fit: 5.6789e-11 gives 0.000000000056789, 1e15 gives 1E+15,
// -0 gives 0.
std::string DoubleText(double value);
// The same with 7 significant digits: 1e8 gives 1E+08, 12.3456789 gives 12.34568.
std::string SingleText(float value);
// The shortest plain decimal (no exponent) that reads back as the same
// single: 10000000 gives 10000000, 123456.78 gives 123456.78. Infinities and
// NaN as SingleText writes them.
std::string PlainSingleText(float value);
// The exact decimal of a count of ten-thousandths, without trailing zeros or
// grouping (12.5, 0, -3.1416), written into `buffer`: at most a sign, 15
// whole digits, a point and 4 decimals.
using FixedPointBuffer = char[24];
std::string_view FixedPointText(std::int64_t units, FixedPointBuffer& buffer);

}  // namespace lombar
