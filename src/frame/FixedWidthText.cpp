#include "frame/FixedWidthText.h"

#include "base/Text.h"
#include "base/Utf8.h"
#include "lombar/Error.h"

namespace lombar {
namespace {

std::string FillText(const Variant& value) {
  switch (value.Kind()) {
    case VarKind::Empty:
    case VarKind::Null:
    case VarKind::Error:
      return std::string();
    default:
      return value.ToText();
  }
}

}  // namespace

std::string FixedWidthText(const Variant& value, Short width, std::string_view fill) {
  const std::string text = FillText(value);
  const std::size_t wanted = static_cast<std::size_t>(width < 0 ? -width : width);
  if (fill.empty() && CharCount(text) < wanted) RaiseRuntime(kInvalidProcedureCall);
  return FitToWidth(text, wanted, fill, width < 0);
}

}  // namespace lombar
