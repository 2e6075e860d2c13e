// Reading numbers out of text, the two ways the library does it. What a
// text cannot give is answered, not raised: frame/NumberParse.h raises it
// as the automation's errors.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lombar {

// Amounts are read exactly as counts of ten-thousandths.
inline constexpr int kFixedPointDecimals = 4;

// What keeps a text from giving a number.
enum class NumberFault : std::uint8_t { kNone, kNotANumber, kOutOfRange };

// A number read, or the fault that kept the text from giving one (the value is then 0).
template <class Number>
struct NumberReading {
  Number value{};
  NumberFault fault = NumberFault::kNone;
};

// The locale's text-to-number conversion (locale 0x409), as the automation
// number parser accepts text: blanks before and after, one leading or
// trailing sign, parentheses for a negative value, the currency symbol $,
// commas as digit grouping after the first digit, one decimal point, an
// exponent, &H and &O prefixes. Anything else, the empty text included, is
// not a number; a value beyond the double range is out of range.
NumberReading<double> ReadNumber(std::string_view text);
// The same grammar read exactly into ten-thousandths, rounded half to even;
// out of range beyond 64 bits.
NumberReading<std::int64_t> ReadFixedPoint(std::string_view text);
// True when ReadNumber reads the text without a fault.
bool IsNumericText(std::string_view text) noexcept;

// The leading plain number of a text, as the XML reader reads numbers:
// leading blanks, a sign, digits and one decimal point; whatever follows is
// ignored, and an empty or non-numeric text gives 0.
double LeadingNumber(std::string_view text) noexcept;
// The leading plain number read exactly: into ten-thousandths, rounded half
// to even; into a whole number between `lowest` and `highest`, rounded half
// to even. Nothing beyond either range.
std::optional<std::int64_t> LeadingFixedPoint(std::string_view text);
std::optional<std::int64_t> LeadingWholeNumber(std::string_view text, std::int64_t lowest,
                                               std::int64_t highest);
// The leading plain number as the nearest single; beyond the single range,
// the infinity of its sign.
float LeadingSingle(std::string_view text) noexcept;

}  // namespace lombar
