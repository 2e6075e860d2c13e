#include "base/NumberReading.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace lombar {
namespace {

// A decimal number as read from text: the value is digits × 10^exponent. The
// digits carry no leading or trailing zeros, so zero has no digits at all.
struct DecimalNumber {
  bool negative = false;
  std::string digits;
  std::int64_t exponent = 0;

  void AppendDigit(char digit) {
    if (digits.empty() && digit == '0') return;
    digits.push_back(digit);
  }
  void Normalise() {
    while (!digits.empty() && digits.back() == '0') {
      digits.pop_back();
      ++exponent;
    }
    if (digits.empty()) exponent = 0;
  }
  // The power of ten just above the value: 10^(m-1) <= |value| < 10^m.
  std::int64_t Magnitude() const { return static_cast<std::int64_t>(digits.size()) + exponent; }
};

// The number a text spells, or what keeps it from spelling one.
struct Reading {
  DecimalNumber number;
  NumberFault fault = NumberFault::kNone;
};

// Exponents beyond this lie far outside every target range; capping them keeps
// the arithmetic on them from overflowing.
constexpr std::int64_t kExponentCap = 100000;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The value of `c` as a digit of `radix`, or -1.
int RadixDigit(char c, int radix) {
  const char lower = Lower(c);
  int value = -1;
  if (IsDigit(lower)) value = lower - '0';
  if (lower >= 'a' && lower <= 'f') value = lower - 'a' + 10;
  return value < radix ? value : -1;
}

class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void Advance() { ++pos_; }
  // Consumes `lower` in either letter case.
  bool Accept(char lower) {
    if (AtEnd() || Lower(Peek()) != lower) return false;
    ++pos_;
    return true;
  }
  void SkipBlanks() {
    while (!AtEnd() && IsBlank(Peek()))
      ++pos_;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// Digits with at most one decimal point; with `grouping`, commas may follow
// the first digit of the integer part. True when at least one digit was read.
bool ScanMantissa(Cursor& cursor, DecimalNumber& number, bool grouping) {
  bool any_digit = false;
  bool after_point = false;
  for (;; cursor.Advance()) {
    const char c = cursor.Peek();
    if (IsDigit(c)) {
      number.AppendDigit(c);
      // Every fraction digit scales the value down, dropped leading zeros too.
      if (after_point) --number.exponent;
      any_digit = true;
    } else if (c == '.' && !after_point) {
      after_point = true;
    } else if (!(c == ',' && grouping && any_digit && !after_point)) {
      break;
    }
  }
  number.Normalise();
  return any_digit;
}

// An optional exponent: e, E, d or D, an optional sign and at least one digit.
bool ScanExponent(Cursor& cursor, DecimalNumber& number) {
  if (!cursor.Accept('e') && !cursor.Accept('d')) return true;
  const bool negative = cursor.Accept('-');
  if (!negative) cursor.Accept('+');
  if (!IsDigit(cursor.Peek())) return false;
  std::int64_t exponent = 0;
  for (; IsDigit(cursor.Peek()); cursor.Advance()) {
    exponent = std::min(exponent * 10 + (cursor.Peek() - '0'), kExponentCap);
  }
  if (!number.digits.empty()) number.exponent += negative ? -exponent : exponent;
  return true;
}

DecimalNumber FromInteger(std::int64_t value) {
  DecimalNumber number;
  number.negative = value < 0;
  const std::uint64_t magnitude =
      number.negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  for (const char digit : std::to_string(magnitude))
    number.AppendDigit(digit);
  number.Normalise();
  return number;
}

// The digits after &H or &O. What fits 16 bits is a signed 16-bit value
// (&HFFFF is -1), else a signed 32-bit one; more than 32 bits overflow.
Reading ReadRadixDigits(Cursor& cursor, int radix) {
  std::uint64_t value = 0;
  bool any_digit = false;
  bool overflow = false;
  for (; RadixDigit(cursor.Peek(), radix) >= 0; cursor.Advance()) {
    any_digit = true;
    if (overflow) continue;  // the rest only has to be well formed
    value = value * static_cast<unsigned>(radix) +
            static_cast<unsigned>(RadixDigit(cursor.Peek(), radix));
    overflow = value > 0xFFFFFFFFu;
  }
  cursor.SkipBlanks();
  if (!any_digit || !cursor.AtEnd()) return {{}, NumberFault::kNotANumber};
  if (overflow) return {{}, NumberFault::kOutOfRange};
  const std::int32_t signed_value =
      value <= 0xFFFFu ? static_cast<std::int16_t>(value) : static_cast<std::int32_t>(value);
  return {FromInteger(signed_value), NumberFault::kNone};
}

// The sign, parentheses and currency symbol around a number, each at most once.
struct Decorations {
  bool sign = false;
  bool negative = false;
  bool open = false;
  bool close = false;
  bool currency = false;

  bool Accept(Cursor& cursor, bool leading) {
    const char c = cursor.Peek();
    if ((c == '+' || c == '-') && !sign) {
      sign = true;
      negative = c == '-';
    } else if (c == '(' && leading && !open) {
      open = true;
    } else if (c == ')' && !leading && open && !close) {
      close = true;
    } else if (c == '$' && !currency) {
      currency = true;
    } else {
      return false;
    }
    cursor.Advance();
    return true;
  }
  bool Consistent() const { return open == close && !(open && sign); }
};

Reading ReadNumberText(std::string_view text) {
  Cursor cursor(text);
  cursor.SkipBlanks();
  if (cursor.Accept('&')) {
    if (cursor.Accept('h')) return ReadRadixDigits(cursor, 16);
    if (cursor.Accept('o')) return ReadRadixDigits(cursor, 8);
    return {{}, NumberFault::kNotANumber};
  }
  Decorations decorations;
  while (decorations.Accept(cursor, true)) {
  }
  Reading reading;
  if (!ScanMantissa(cursor, reading.number, true) || !ScanExponent(cursor, reading.number)) {
    return {{}, NumberFault::kNotANumber};
  }
  while (decorations.Accept(cursor, false)) {
  }
  cursor.SkipBlanks();
  if (!cursor.AtEnd() || !decorations.Consistent()) return {{}, NumberFault::kNotANumber};
  reading.number.negative = decorations.negative || decorations.open;
  return reading;
}

// The nearest Float, straight from the decimal digits (a single is not
// rounded through a double), or nothing when the value is beyond Float's
// range. Beyond `far_magnitude` either way the answer is known without
// converting.
template <class Float>
std::optional<Float> NearestBinary(const DecimalNumber& number, std::int64_t far_magnitude) {
  const Float zero = number.negative ? -Float{0} : Float{0};
  if (number.digits.empty() || number.Magnitude() < -far_magnitude) return zero;
  if (number.Magnitude() > far_magnitude) return std::nullopt;

  const std::string text = number.digits + 'e' + std::to_string(number.exponent);
  Float value = 0;
  const auto result =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::scientific);
  if (result.ec == std::errc::result_out_of_range) {
    if (number.Magnitude() > 0) return std::nullopt;
    return zero;
  }
  if (std::isinf(value)) return std::nullopt;
  return number.negative ? -value : value;
}

std::optional<double> ToDouble(const DecimalNumber& number) {
  constexpr std::int64_t kFarMagnitude = 400;  // far outside the double range
  return NearestBinary<double>(number, kFarMagnitude);
}

std::uint64_t DigitsValue(std::string_view digits) {
  std::uint64_t value = 0;
  for (const char digit : digits) {
    value = value * 10 + static_cast<unsigned>(digit - '0');
  }
  return value;
}

// Half to even on decimal digits: whether dropping `dropped` from a value
// whose last kept digit is odd (or not) rounds it up.
bool RoundsUp(std::string_view dropped, bool kept_odd) {
  if (dropped.empty() || dropped.front() != '5') return !dropped.empty() && dropped.front() > '5';
  const bool beyond_half = dropped.find_first_not_of('0', 1) != std::string_view::npos;
  return beyond_half || kept_odd;
}

// The exact value times 10^scale, rounded half to even to a whole number,
// or nothing when its magnitude exceeds `limit` (`negative_limit` below zero).
std::optional<std::int64_t> ToScaledInteger(const DecimalNumber& number, int scale,
                                            std::uint64_t limit, std::uint64_t negative_limit) {
  constexpr std::int64_t kMaxDigits = 19;  // 2^63 has 19 digits
  if (number.digits.empty()) return 0;
  if (number.Magnitude() + scale > kMaxDigits) return std::nullopt;

  const std::int64_t shift = number.exponent + scale;
  std::uint64_t magnitude = 0;
  if (shift >= 0) {
    magnitude = DigitsValue(number.digits);
    for (std::int64_t i = 0; i < shift; ++i)
      magnitude *= 10;
  } else if (const std::int64_t kept = number.Magnitude() + scale; kept >= 0) {
    const std::string_view digits = number.digits;
    const auto split = static_cast<std::size_t>(kept);
    magnitude = DigitsValue(digits.substr(0, split));
    if (RoundsUp(digits.substr(split), magnitude % 2 != 0)) ++magnitude;
  }  // else every digit lies below half a unit: the value rounds to zero

  if (magnitude > (number.negative ? negative_limit : limit)) return std::nullopt;
  return number.negative ? static_cast<std::int64_t>(0 - magnitude)
                         : static_cast<std::int64_t>(magnitude);
}

// The exact amount in ten-thousandths, rounded half to even, or nothing
// when it is beyond the 64-bit range.
std::optional<std::int64_t> ToFixedPoint(const DecimalNumber& number) {
  constexpr std::uint64_t kLimit = (std::uint64_t{1} << 63) - 1;
  return ToScaledInteger(number, kFixedPointDecimals, kLimit, kLimit + 1);
}

// The leading plain number of a text: blanks, a sign, digits and one point.
DecimalNumber ReadLeadingNumber(std::string_view text) {
  Cursor cursor(text);
  cursor.SkipBlanks();
  DecimalNumber number;
  number.negative = cursor.Accept('-');
  if (!number.negative) cursor.Accept('+');
  ScanMantissa(cursor, number, false);
  return number;
}

// The texts most values are read from, converted without building a decimal
// number: the empty text (0), and plain digits with an optional minus and at
// most `scale` decimals, which convert exactly. Anything else (blanks, a plus,
// grouping, exponents, more decimals, long digit runs) takes the general way.
std::optional<std::int64_t> PlainScaled(std::string_view text, int scale) {
  if (text.empty()) return 0;
  const bool negative = text.front() == '-';
  constexpr std::ptrdiff_t kMostWholeDigits = 14;  // with four decimals, well inside 64 bits
  // Read as two runs of digits, the whole part and the decimals, each in a
  // loop of its own that asks nothing else of a digit.
  const char* at = text.data() + (negative ? 1 : 0);
  const char* const end = text.data() + text.size();
  const char* const whole = at;
  std::int64_t value = 0;
  for (; at < end && IsDigit(*at); ++at) {
    if (at - whole == kMostWholeDigits) return std::nullopt;
    value = value * 10 + (*at - '0');
  }
  if (at == whole) return std::nullopt;
  int decimals = 0;
  if (at < end && *at == '.') {
    for (++at; at < end && IsDigit(*at); ++at) {
      if (++decimals > scale) return std::nullopt;
      value = value * 10 + (*at - '0');
    }
  }
  if (at != end) return std::nullopt;
  for (; decimals < scale; ++decimals)
    value *= 10;
  return negative ? -value : value;
}

}  // namespace

NumberReading<double> ReadNumber(std::string_view text) {
  const Reading reading = ReadNumberText(text);
  if (reading.fault != NumberFault::kNone) return {0, reading.fault};
  const std::optional<double> value = ToDouble(reading.number);
  if (!value) return {0, NumberFault::kOutOfRange};
  return {*value, NumberFault::kNone};
}

NumberReading<std::int64_t> ReadFixedPoint(std::string_view text) {
  const Reading reading = ReadNumberText(text);
  if (reading.fault != NumberFault::kNone) return {0, reading.fault};
  const std::optional<std::int64_t> units = ToFixedPoint(reading.number);
  if (!units) return {0, NumberFault::kOutOfRange};
  return {*units, NumberFault::kNone};
}

bool IsNumericText(std::string_view text) noexcept {
  const Reading reading = ReadNumberText(text);
  return reading.fault == NumberFault::kNone && ToDouble(reading.number).has_value();
}

double LeadingNumber(std::string_view text) noexcept {
  // Plain digits (every count) convert exactly; "-0" keeps its sign.
  if (const auto plain = PlainScaled(text, 0); plain && (*plain != 0 || !text.starts_with('-')))
    return static_cast<double>(*plain);
  const DecimalNumber number = ReadLeadingNumber(text);
  // Only an absurdly long digit run gets here without a value.
  return ToDouble(number).value_or(number.negative ? -HUGE_VAL : HUGE_VAL);
}

std::optional<std::int64_t> LeadingFixedPoint(std::string_view text) {
  if (const auto units = PlainScaled(text, kFixedPointDecimals)) return units;
  return ToFixedPoint(ReadLeadingNumber(text));
}

std::optional<std::int64_t> LeadingWholeNumber(std::string_view text, std::int64_t lowest,
                                               std::int64_t highest) {
  if (const auto plain = PlainScaled(text, 0); plain && *plain >= lowest && *plain <= highest)
    return plain;
  return ToScaledInteger(ReadLeadingNumber(text), 0, static_cast<std::uint64_t>(highest),
                         0 - static_cast<std::uint64_t>(lowest));
}
float LeadingSingle(std::string_view text) noexcept {
  if (text.empty()) return 0.0f;
  const DecimalNumber number = ReadLeadingNumber(text);
  constexpr std::int64_t kFarMagnitude = 60;  // far outside the single range
  return NearestBinary<float>(number, kFarMagnitude).value_or(number.negative ? -HUGE_VALF : HUGE_VALF);
}

}  // namespace lombar
