// Reading numbers out of text as automation values: the readings of
// base/NumberReading.h, a text that is not a number raised as error 13 and
// one out of range as error 6.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/NumberReading.h"
#include "lombar/Error.h"
#include "lombar/Variant.h"

namespace lombar {

static_assert(Currency::kScale == 10'000, "currency is read in ten-thousandths");

// The number's value; a fault raised as its error.
template <class Number>
Number RaisingFault(const NumberReading<Number>& reading) {
  if (reading.fault == NumberFault::kNotANumber) RaiseRuntime(kTypeMismatch);
  if (reading.fault == NumberFault::kOutOfRange) RaiseRuntime(kOverflow);
  return reading.value;
}

// ReadNumber: error 13 for a text that is not a number (the empty text
// too), error 6 beyond the double range.
inline double ParseNumber(std::string_view text) {
  return RaisingFault(ReadNumber(text));
}
// The same grammar read exactly into currency (rounded half to even to four
// decimals); error 13 as above, error 6 beyond the currency range.
inline Currency ParseCurrency(std::string_view text) {
  return Currency::FromUnits(RaisingFault(ReadFixedPoint(text)));
}

// The leading plain number (LeadingNumber) read exactly into currency or a
// whole number between `lowest` and `highest`; error 6 beyond either range.
inline Currency LeadingCurrency(std::string_view text) {
  if (const auto units = LeadingFixedPoint(text)) return Currency::FromUnits(*units);
  RaiseRuntime(kOverflow);
}
inline std::int64_t LeadingInteger(std::string_view text, std::int64_t lowest,
                                   std::int64_t highest) {
  if (const auto value = LeadingWholeNumber(text, lowest, highest)) return *value;
  RaiseRuntime(kOverflow);
}

}  // namespace lombar
