#include "lombar/Variant.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>

#include "TestSupport.h"

namespace lombar {
namespace {

struct Plain : Object {};

Currency Amount(std::int64_t units) {
  return Currency::FromUnits(units);
}
// The expected outcome of a conversion that raises `error`.
Variant Raises(std::int32_t error) {
  return ErrorCode{error};
}
// The converted value, or the error the conversion raises as an error code.
Variant Converted(const Variant& input, VarKind kind) {
  Variant result;
  const std::int32_t error = ErrorOf([&] { result = input.ChangeType(kind); }).first;
  return error == 0 ? result : Raises(error);
}

struct Conversion {
  Variant input;
  VarKind kind;
  Variant expected;
};
void ExpectConverted(std::span<const Conversion> rows) {
  for (const Conversion& row : rows)
    EXPECT_EQ(Converted(row.input, row.kind), row.expected)
        << "row " << &row - rows.data() << " to kind " << static_cast<int>(row.kind);
}

const Variant kNull = Variant::Null();
const Variant kMissing = Variant::Missing();
const Variant kNothing = Ref<Object>();
const Variant kNoon = Date{0.5};

TEST(Variant, NumbersRoundHalfToEvenAndRaiseSixThirteenAndNinetyFour) {
  using enum VarKind;
  // clang-format off
  const Conversion rows[] = {
      {0.5, I2, Short{0}}, {1.5, I2, Short{2}}, {-2.5, I2, Short{-2}}, {32767.5, I2, Raises(6)},
      {-32768.5, I2, Short{-32768}}, {"2.5", I2, Short{2}}, {" (3.5) ", I2, Short{-4}}, {true, I2, Short{-1}},
      {Variant(), I2, Short{0}}, {Amount(25000), I2, Short{2}}, {kNull, I2, Raises(94)}, {kMissing, I2, Raises(13)},
      {"abc", I2, Raises(13)}, {2147483647.5, I4, Raises(6)}, {"&H10000", I4, Long{65536}},
      {1e39, Single, Raises(6)}, {"1.5", Single, 1.5f}, {Amount(-5000), Double, -0.5},
      {"1e400", Double, Raises(6)}, {false, Double, 0.0}, {"0.5", Date, kNoon},
      {"1/1/2000", Date, Raises(13)}, {1e7, Date, Raises(6)},
      {2.5e-4, Currency, Amount(2)}, {true, Currency, Amount(-10000)}, {"0.00015", Currency, Amount(2)},
      {"1.5", Currency, Amount(15000)}, {1e20, Currency, Raises(6)}, {"", Currency, Raises(13)}};
  // clang-format on
  ExpectConverted(rows);
}

TEST(Variant, BooleansTextsObjectsAndTheKindsNothingConvertsTo) {
  using enum VarKind;
  const Variant object = MakeRef<Plain>();
  // clang-format off
  const Conversion rows[] = {
      {"tRUE", Bool, true}, {"false", Bool, false}, {"0", Bool, false}, {"-1", Bool, true},
      {"yes", Bool, Raises(13)}, {Variant(), Bool, false}, {0.1, Bool, true}, {Amount(1), Bool, true},
      {kNull, Bool, Raises(94)},
      {Variant(), Text, ""}, {true, Text, "True"}, {Short{-5}, Text, "-5"}, {1e15, Text, "1E+15"},
      {12.3456789f, Text, "12.34568"}, {Amount(125000), Text, "12.5"}, {kNoon, Text, "12:00:00 PM"},
      {kNull, Text, Raises(94)}, {kMissing, Text, Raises(13)}, {object, Text, Raises(13)},
      {Variant(), Object, kNothing}, {object, Object, object}, {1, Object, Raises(13)},
      {"x", Empty, Variant()}, {kNull, Null, kNull}, {5, Null, Raises(13)}, {5, Error, Raises(13)}};
  // clang-format on
  ExpectConverted(rows);
}

TEST(Variant, StoredValuesAnswerOnlyForTheirOwnKind) {
  EXPECT_TRUE(Variant::Missing().IsMissing());
  EXPECT_FALSE(Variant(ErrorCode{5}).IsMissing());
  EXPECT_TRUE(Variant(true).IsNumeric() && Variant(Currency{}).IsNumeric());
  EXPECT_FALSE(Variant(Date{}).IsNumeric() || Variant("1").IsNumeric());
  EXPECT_EQ(ErrorOf([] { Variant(1).Text(); }).first, 13);
  EXPECT_EQ(ErrorOf([] { Variant("x").ObjectRef(); }).first, 13);
}

}  // namespace
}  // namespace lombar
