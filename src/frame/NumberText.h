// Text forms of automation values under locale 0x409: the number texts of
// base/NumberWriting.h, currency and dates.
#pragma once

#include <string>
#include <string_view>

#include "base/NumberWriting.h"
#include "lombar/Variant.h"

namespace lombar {

// The exact decimal, without trailing zeros or grouping: 12.5, 0, -3.1416.
using CurrencyBuffer = FixedPointBuffer;
inline std::string_view CurrencyText(Currency value, CurrencyBuffer& buffer) {
  return FixedPointText(value.units, buffer);
}
inline std::string CurrencyText(Currency value) {
  CurrencyBuffer buffer;
  return std::string(CurrencyText(value, buffer));
}
// "M/D/YYYY h:mm:ss AM"; the date part is left out for day 0 and the time
// part for midnight.
std::string DateText(Date value);

}  // namespace lombar
