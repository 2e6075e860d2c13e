// Automation values: the kinds the interfaces use, and every conversion
// between them as automation performs it under locale 0x409 (US English).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "lombar/Object.h"
#include "lombar/StoredText.h"

namespace lombar {

// Automation's integer types: `long` is 32 bits and `short` 16 bits on every platform.
using Long = std::int32_t;
using Short = std::int16_t;

// The value kinds, numbered as the automation variant types they stand for.
enum class VarKind : std::uint16_t {
  Empty = 0,
  Null = 1,
  I2 = 2,  // 16-bit integer (Short)
  I4 = 3,  // 32-bit integer (Long)
  Single = 4,
  Double = 5,
  Currency = 6,
  Date = 7,
  Text = 8,
  Object = 9,
  Error = 10,
  Bool = 11,
};

// A fixed-point amount: a 64-bit count of 1/10000.
struct Currency {
  static constexpr std::int64_t kScale = 10000;
  std::int64_t units = 0;

  static constexpr Currency FromUnits(std::int64_t units) { return Currency{units}; }
  // Rounds half to even to four decimals; error 6 beyond the currency range.
  static Currency FromDouble(double value);
  double ToDouble() const noexcept { return static_cast<double>(units) / kScale; }
  friend constexpr bool operator==(Currency, Currency) = default;
  friend constexpr auto operator<=>(Currency, Currency) = default;
};

// A point in time as automation counts it: days since 30 December 1899, the
// fraction being the time of day.
struct Date {
  double serial = 0;
  // Automation's dates run from 1 January 100 to the last instant of 31 December 9999.
  constexpr bool InRange() const noexcept { return serial > -657435.0 && serial < 2958466.0; }
  friend constexpr bool operator==(Date, Date) = default;
};

// An automation error code carried as a value (a missing optional argument
// arrives as one).
struct ErrorCode {
  std::int32_t code = 0;
  friend constexpr bool operator==(ErrorCode, ErrorCode) = default;
};

// The code a missing optional argument carries (DISP_E_PARAMNOTFOUND).
inline constexpr std::int32_t kParamNotFound = static_cast<std::int32_t>(0x80020004u);

struct NullValue {
  friend constexpr bool operator==(NullValue, NullValue) = default;
};

class Variant {
 public:
  Variant() noexcept = default;
  Variant(bool value) : value_(value) {}
  Variant(Short value) : value_(value) {}
  Variant(Long value) : value_(value) {}
  Variant(float value) : value_(value) {}
  Variant(double value) : value_(value) {}
  Variant(Currency value) : value_(value) {}
  Variant(Date value) : value_(value) {}
  Variant(ErrorCode value) : value_(value) {}
  Variant(NullValue value) : value_(value) {}
  Variant(const std::string& value) : value_(StoredText(value)) {}
  Variant(std::string_view value) : value_(StoredText(value)) {}
  Variant(const char* value) : value_(StoredText(value)) {}
  Variant(StoredText value) : value_(std::move(value)) {}
  Variant(Ref<Object> value) : value_(std::move(value)) {}
  template <class T>
  Variant(const Ref<T>& value) : value_(Ref<Object>(value)) {}

  static Variant Null() { return Variant(NullValue{}); }
  // The value an omitted optional argument carries.
  static Variant Missing() { return Variant(ErrorCode{kParamNotFound}); }

  VarKind Kind() const noexcept;
  bool IsEmpty() const noexcept { return Kind() == VarKind::Empty; }
  bool IsNull() const noexcept { return Kind() == VarKind::Null; }
  bool IsMissing() const noexcept;
  bool IsText() const noexcept { return Kind() == VarKind::Text; }
  bool IsNumeric() const noexcept;  // a number kind: short to currency, or boolean

  // The stored value itself; the kind must match (else error 13).
  std::string_view Text() const;
  const Ref<lombar::Object>& ObjectRef() const;

  // Conversions as automation's change of type gives them. Text is parsed by
  // the locale's number rules (error 13 when it is not a number); results
  // beyond the target's range raise error 6; integers round half to even;
  // Null raises error 94.
  bool ToBool() const;
  Short ToShort() const;
  Long ToLong() const;
  float ToSingle() const;
  double ToDouble() const;
  Currency ToCurrency() const;
  Date ToDate() const;
  // The text form: True/False, integers in decimal, currency exactly without
  // trailing zeros, doubles to 15 and singles to 7 significant digits, empty
  // as "", Null raising error 94.
  std::string ToText() const;
  // The same text, read where it is kept when the variant holds a text;
  // any other kind's is made into `converted`.
  std::string_view ToText(std::string& converted) const;
  // Empty and Nothing give Nothing; any other non-object kind raises error 13.
  Ref<lombar::Object> ToObject() const;

  // The value converted to `kind` by the routines above.
  Variant ChangeType(VarKind kind) const;

  // Same kind and same value (objects: the same object).
  friend bool operator==(const Variant& a, const Variant& b) = default;

  using Storage = std::variant<std::monostate, NullValue, bool, Short, Long, float, double,
                               Currency, Date, StoredText, Ref<lombar::Object>, ErrorCode>;
  const Storage& Raw() const noexcept { return value_; }

 private:
  Storage value_;
};

}  // namespace lombar
