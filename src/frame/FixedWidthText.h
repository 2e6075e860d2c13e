// The fixed-width field of a value, as sort keys and log lines use it.
#pragma once

#include <string>
#include <string_view>

#include "lombar/Variant.h"

namespace lombar {

// The value's text cut or padded to |width| characters with the first
// character of `fill`: on the right for a width >= 0, on the left for a
// negative one. Empty, Null and error values count as the empty text; an
// empty `fill` that would be needed raises error 5.
std::string FixedWidthText(const Variant& value, Short width, std::string_view fill);

}  // namespace lombar
