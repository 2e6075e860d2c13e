#include "base/NumberWriting.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace lombar {
namespace {

// A finite non-zero number rounded to a number of significant digits: the
// value is 0.d1d2d3... × 10^(exponent + 1), the digits without trailing zeros.
struct Significand {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

Significand RoundToSignificant(double value, int precision) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, precision - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');

  Significand rounded;
  rounded.negative = text.front() == '-';
  for (const char c : text.substr(0, e)) {
    if (c >= '0' && c <= '9') rounded.digits.push_back(c);
  }
  rounded.digits.erase(rounded.digits.find_last_not_of('0') + 1);
  std::string_view exponent = text.substr(e + 1);
  const bool negative_exponent = exponent.front() == '-';
  exponent.remove_prefix(1);  // to_chars always writes the exponent's sign
  std::from_chars(exponent.data(), exponent.data() + exponent.size(), rounded.exponent);
  if (negative_exponent) rounded.exponent = -rounded.exponent;
  return rounded;
}

// "1.5E-16": the mantissa, E, the exponent's sign and at least two digits.
std::string ExponentForm(const Significand& number) {
  std::string text = number.digits.substr(0, 1);
  if (number.digits.size() > 1) text += '.' + number.digits.substr(1);
  text += number.exponent < 0 ? "E-" : "E+";
  const std::string exponent = std::to_string(std::abs(number.exponent));
  if (exponent.size() < 2) text += '0';
  return text + exponent;
}

std::string PlainForm(const Significand& number) {
  const std::string& digits = number.digits;
  if (number.exponent < 0) {
    return "0." + std::string(static_cast<std::size_t>(-number.exponent - 1), '0') + digits;
  }
  const auto integer_digits = static_cast<std::size_t>(number.exponent) + 1;
  if (digits.size() <= integer_digits)
    return digits + std::string(integer_digits - digits.size(), '0');
  return digits.substr(0, integer_digits) + '.' + digits.substr(integer_digits);
}

// Written out in full when the digits fit in `precision` places: a large
// number while its exponent stays below the precision, a small one while its
// decimals do not exceed it.
bool FitsPlain(const Significand& number, int precision) {
  if (number.exponent >= 0) return number.exponent < precision;
  const int decimals = -number.exponent + static_cast<int>(number.digits.size()) - 1;
  return decimals <= precision;
}

std::string FloatingText(double value, int precision) {
  // Infinities and NaN are written as the runtime has always shown them.
  if (std::isnan(value)) return "1.#QNAN";
  if (std::isinf(value)) return value < 0 ? "-1.#INF" : "1.#INF";
  if (value == 0) return "0";  // -0 too
  const Significand number = RoundToSignificant(value, precision);
  const std::string text = FitsPlain(number, precision) ? PlainForm(number) : ExponentForm(number);
  return number.negative ? '-' + text : text;
}

}  // namespace

std::string DoubleText(double value) {
  return FloatingText(value, 15);
}

std::string SingleText(float value) {
  return FloatingText(value, 7);
}

std::string PlainSingleText(float value) {
  if (!std::isfinite(value)) return SingleText(value);
  char digits[64];
  const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
  std::string text(digits, result.ptr);
  return text == "-0" ? "0" : text;
}

std::string_view FixedPointText(std::int64_t units, FixedPointBuffer& buffer) {
  const bool negative = units < 0;
  // Unsigned, so that the lowest amount has a magnitude too.
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
  constexpr std::uint64_t kScale = 10'000;  // ten-thousandths
  char* end = buffer;
  if (negative) *end++ = '-';
  end = std::to_chars(end, buffer + sizeof buffer, magnitude / kScale).ptr;
  if (std::uint64_t fraction = magnitude % kScale; fraction != 0) {
    *end++ = '.';
    for (std::uint64_t place = kScale / 10; fraction != 0; place /= 10) {
      *end++ = static_cast<char>('0' + fraction / place);
      fraction %= place;
    }
  }
  return {buffer, static_cast<std::size_t>(end - buffer)};
}

}  // namespace lombar
