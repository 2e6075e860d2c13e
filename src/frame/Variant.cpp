#include "lombar/Variant.h"

#include <array>
#include <cmath>
#include <limits>
#include <type_traits>

#include "frame/NumberParse.h"
#include "frame/NumberText.h"
#include "lombar/Error.h"
#include "base/Text.h"

namespace lombar {
namespace {

// The kind of each alternative of Variant::Storage, in storage order.
constexpr std::array kKindOfAlternative = {
    VarKind::Empty, VarKind::Null,   VarKind::Bool,   VarKind::I2,
    VarKind::I4,    VarKind::Single, VarKind::Double, VarKind::Currency,
    VarKind::Date,  VarKind::Text,   VarKind::Object, VarKind::Error,
};
static_assert(kKindOfAlternative.size() == std::variant_size_v<Variant::Storage>);

template <class T, class Stored>
constexpr bool kIs = std::is_same_v<std::decay_t<Stored>, T>;

// Half to even, as automation rounds into integers: 0.5 → 0, 1.5 → 2, -2.5 → -2.
double RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double excess = value - below;
  if (excess < 0.5) return below;
  if (excess > 0.5) return below + 1;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

// `value` rounded half to even into a signed integer type; error 6 beyond its range.
template <class Integer>
Integer RoundToInteger(double value) {
  const double rounded = RoundHalfEven(value);
  const double limit = std::ldexp(1.0, std::numeric_limits<Integer>::digits);
  if (!(rounded >= -limit && rounded < limit)) RaiseRuntime(kOverflow);  // NaN fails too
  return static_cast<Integer>(rounded);
}

float SingleFromDouble(double value) {
  constexpr double kLargest = std::numeric_limits<float>::max();
  if (value < -kLargest || value > kLargest) RaiseRuntime(kOverflow);
  return static_cast<float>(value);
}

Date DateFromSerial(double serial) {
  const Date date{serial};
  if (!date.InRange()) RaiseRuntime(kOverflow);
  return date;
}

// The value of a number, boolean (true is -1), date or empty (0) as a double;
// text is read as a number. Null raises error 94, other kinds error 13. An
// object would give the value of its default member, which no class has yet.
double NumberOf(const Variant::Storage& value) {
  return std::visit(
      [](const auto& stored) -> double {
        using T = decltype(stored);
        if constexpr (kIs<std::monostate, T>) {
          return 0;
        } else if constexpr (kIs<NullValue, T>) {
          RaiseRuntime(kInvalidUseOfNull);
        } else if constexpr (kIs<bool, T>) {
          return stored ? -1 : 0;
        } else if constexpr (std::is_arithmetic_v<std::decay_t<T>>) {
          return stored;
        } else if constexpr (kIs<Currency, T>) {
          return stored.ToDouble();
        } else if constexpr (kIs<Date, T>) {
          return stored.serial;
        } else if constexpr (kIs<StoredText, T>) {
          return ParseNumber(stored);
        } else {
          RaiseRuntime(kTypeMismatch);
        }
      },
      value);
}

}  // namespace

Currency Currency::FromDouble(double value) {
  return FromUnits(RoundToInteger<std::int64_t>(value * static_cast<double>(kScale)));
}

VarKind Variant::Kind() const noexcept {
  return kKindOfAlternative[value_.index()];
}

bool Variant::IsMissing() const noexcept {
  const auto* error = std::get_if<ErrorCode>(&value_);
  return error != nullptr && error->code == kParamNotFound;
}

bool Variant::IsNumeric() const noexcept {
  switch (Kind()) {
    case VarKind::I2:
    case VarKind::I4:
    case VarKind::Single:
    case VarKind::Double:
    case VarKind::Currency:
    case VarKind::Bool:
      return true;
    default:
      return false;
  }
}

std::string_view Variant::Text() const {
  if (const auto* text = std::get_if<StoredText>(&value_)) return text->View();
  RaiseRuntime(kTypeMismatch);
}

const Ref<Object>& Variant::ObjectRef() const {
  if (const auto* object = std::get_if<Ref<Object>>(&value_)) return *object;
  RaiseRuntime(kTypeMismatch);
}

bool Variant::ToBool() const {
  if (const auto* text = std::get_if<StoredText>(&value_)) {
    if (EqualsIgnoringCase(*text, "True")) return true;
    if (EqualsIgnoringCase(*text, "False")) return false;
  }
  return NumberOf(value_) != 0;
}

Short Variant::ToShort() const {
  return RoundToInteger<Short>(NumberOf(value_));
}

Long Variant::ToLong() const {
  return RoundToInteger<Long>(NumberOf(value_));
}

float Variant::ToSingle() const {
  if (const auto* single = std::get_if<float>(&value_)) return *single;
  return SingleFromDouble(NumberOf(value_));
}

double Variant::ToDouble() const {
  return NumberOf(value_);
}

Currency Variant::ToCurrency() const {
  if (const auto* amount = std::get_if<Currency>(&value_)) return *amount;
  // Read exactly: through a double, "0.00015" would no longer be a tie.
  if (const auto* text = std::get_if<StoredText>(&value_)) return ParseCurrency(*text);
  return Currency::FromDouble(NumberOf(value_));
}

Date Variant::ToDate() const {
  if (const auto* date = std::get_if<Date>(&value_)) return *date;
  // A text must be a number text: nothing in the library hands over dates
  // written as "1/2/2000", so date texts are not read.
  return DateFromSerial(NumberOf(value_));
}

std::string_view Variant::ToText(std::string& converted) const {
  if (const auto* text = std::get_if<StoredText>(&value_)) return text->View();
  converted = ToText();
  return converted;
}

std::string Variant::ToText() const {
  return std::visit(
      [](const auto& stored) -> std::string {
        using T = decltype(stored);
        if constexpr (kIs<std::monostate, T>) {
          return {};
        } else if constexpr (kIs<NullValue, T>) {
          RaiseRuntime(kInvalidUseOfNull);
        } else if constexpr (kIs<bool, T>) {
          return stored ? "True" : "False";
        } else if constexpr (kIs<Short, T> || kIs<Long, T>) {
          return std::to_string(stored);
        } else if constexpr (kIs<float, T>) {
          return SingleText(stored);
        } else if constexpr (kIs<double, T>) {
          return DoubleText(stored);
        } else if constexpr (kIs<Currency, T>) {
          return CurrencyText(stored);
        } else if constexpr (kIs<Date, T>) {
          return DateText(stored);
        } else if constexpr (kIs<StoredText, T>) {
          return stored.String();
        } else {
          // An object's text would be its default member's, and no class has one yet.
          RaiseRuntime(kTypeMismatch);
        }
      },
      value_);
}

Ref<Object> Variant::ToObject() const {
  if (IsEmpty()) return Nothing;
  return ObjectRef();
}

Variant Variant::ChangeType(VarKind kind) const {
  if (kind == Kind()) return *this;
  switch (kind) {
    case VarKind::Empty:
      return Variant();
    case VarKind::Bool:
      return ToBool();
    case VarKind::I2:
      return ToShort();
    case VarKind::I4:
      return ToLong();
    case VarKind::Single:
      return ToSingle();
    case VarKind::Double:
      return ToDouble();
    case VarKind::Currency:
      return ToCurrency();
    case VarKind::Date:
      return ToDate();
    case VarKind::Text:
      return ToText();
    case VarKind::Object:
      return ToObject();
    case VarKind::Null:
    case VarKind::Error:
      break;  // only a Null or an error code is one
  }
  RaiseRuntime(kTypeMismatch);
}

}  // namespace lombar
