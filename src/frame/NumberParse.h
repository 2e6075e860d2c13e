// Reading numbers out of text, the two ways the library does it.
#pragma once

#include <cstdint>
#include <string_view>

#include "lombar/Variant.h"

namespace lombar {

// The locale's text-to-number conversion (locale 0x409), as the automation
// number parser accepts text: blanks before and after, one leading or
// trailing sign, parentheses for a negative value, the currency symbol $,
// commas as digit grouping after the first digit, one decimal point, an
// exponent, &H and &O prefixes. Anything else, the empty text included,
// raises error 13; a value beyond the double range raises error 6.
double ParseNumber(std::string_view text);
// The same grammar read exactly into currency (rounded half to even to four
// decimals); error 13 as above, error 6 beyond the currency range.
Currency ParseCurrency(std::string_view text);
// True when ParseNumber accepts the text.
bool IsNumericText(std::string_view text) noexcept;

// The leading plain number of a text, as the XML reader reads numbers:
// leading blanks, a sign, digits and one decimal point; whatever follows is
// ignored, and an empty or non-numeric text gives 0.
double LeadingNumber(std::string_view text) noexcept;
// The leading plain number read exactly: into currency, rounded half to even
// to four decimals; into a whole number between `lowest` and `highest`,
// rounded half to even; error 6 beyond either range.
Currency LeadingCurrency(std::string_view text);
std::int64_t LeadingInteger(std::string_view text, std::int64_t lowest, std::int64_t highest);
// The leading plain number as the nearest single; beyond the single range,
// the infinity of its sign.
float LeadingSingle(std::string_view text) noexcept;

}  // namespace lombar
