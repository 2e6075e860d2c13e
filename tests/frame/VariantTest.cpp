#include "lombar/Variant.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "TestSupport.h"

namespace lombar {
namespace {

using testing::ErrorOf;

struct Plain : Object {};

const Variant kEmpty;
const Variant kNull = Variant::Null();
const Variant kMissing = Variant::Missing();
Currency Amount(std::int64_t units) {
  return Currency::FromUnits(units);
}

// A conversion result or the error number it raises.
struct Expected {
  double value = 0;
  std::int32_t error = 0;
};
Expected Fails(std::int32_t error) {
  return {0, error};
}

struct Row {
  Variant input;
  Expected expected;
};

template <std::size_t N, class Convert>
void ExpectConversions(const Row (&rows)[N], Convert convert) {
  for (std::size_t row = 0; row < N; ++row) {
    const auto [error, description] = ErrorOf([&] {
      EXPECT_DOUBLE_EQ(static_cast<double>(convert(rows[row].input)), rows[row].expected.value)
          << "row " << row;
    });
    EXPECT_EQ(error, rows[row].expected.error) << "row " << row << ": " << description;
  }
}

TEST(Variant, KindsAndStoredValues) {
  const std::pair<Variant, VarKind> kinds[] = {
      {Variant(), VarKind::Empty},
      {Variant::Null(), VarKind::Null},
      {Variant(true), VarKind::Bool},
      {Variant(Short{1}), VarKind::I2},
      {Variant(1), VarKind::I4},
      {Variant(1.f), VarKind::Single},
      {Variant(1.0), VarKind::Double},
      {Variant(Currency{}), VarKind::Currency},
      {Variant(Date{}), VarKind::Date},
      {Variant("x"), VarKind::Text},
      {Variant(Ref<Object>()), VarKind::Object},
      {Variant::Missing(), VarKind::Error},
  };
  for (const auto& [value, kind] : kinds)
    EXPECT_EQ(value.Kind(), kind);

  EXPECT_TRUE(Variant::Missing().IsMissing());
  EXPECT_FALSE(Variant(ErrorCode{5}).IsMissing());
  EXPECT_TRUE(Variant(true).IsNumeric());
  EXPECT_TRUE(Variant(Currency{}).IsNumeric());
  EXPECT_FALSE(Variant(Date{}).IsNumeric());
  EXPECT_FALSE(Variant("1").IsNumeric());
  EXPECT_EQ(ErrorOf([] { Variant(1).Text(); }).first, 13);
  EXPECT_EQ(ErrorOf([] { Variant("x").ObjectRef(); }).first, 13);
}

TEST(Variant, IntegersRoundHalfToEvenWithinTheirRange) {
  const Row shorts[] = {
      {0.5, {0}},           {1.5, {2}},
      {2.5, {2}},           {-2.5, {-2}},
      {32767.5, Fails(6)},  {40000, Fails(6)},
      {-32768.5, {-32768}}, {"2.5", {2}},
      {" (3.5) ", {-4}},    {true, {-1}},
      {kEmpty, {0}},        {Amount(25000), {2}},
      {kNull, Fails(94)},   {kMissing, Fails(13)},
      {"abc", Fails(13)},
  };
  ExpectConversions(shorts, [](const Variant& v) { return v.ToShort(); });
  const Row longs[] = {
      {2147483647.5, Fails(6)},
      {-2147483648.5, {-2147483648.0}},
      {"&H10000", {65536}},
  };
  ExpectConversions(longs, [](const Variant& v) { return v.ToLong(); });
}

TEST(Variant, FloatingCurrencyAndDateConversions) {
  const Row singles[] = {
      {1e39, Fails(6)},
      {"1.5", {1.5}},
      {kNull, Fails(94)},
  };
  ExpectConversions(singles, [](const Variant& v) { return v.ToSingle(); });
  const Row doubles[] = {
      {Amount(-31416), {-3.1416}},
      {"1e400", Fails(6)},
      {false, {0}},
  };
  ExpectConversions(doubles, [](const Variant& v) { return v.ToDouble(); });
  const Row amounts[] = {
      {2.5e-4, {2}},    {7, {70000}},       {true, {-10000}}, {"0.00015", {2}},
      {1e20, Fails(6)}, {"abc", Fails(13)}, {"", Fails(13)},  {kNull, Fails(94)},
  };
  ExpectConversions(amounts, [](const Variant& v) { return v.ToCurrency().units; });
  const Row dates[] = {
      {36526, {36526}},
      {"36526.5", {36526.5}},
      {"1/1/2000", Fails(13)},
      {1e7, Fails(6)},
  };
  ExpectConversions(dates, [](const Variant& v) { return v.ToDate().serial; });
}

TEST(Variant, BooleansFromWordsAndNumbers) {
  const Row booleans[] = {
      {"True", {1}},      {"tRUE", {1}}, {"false", {0}}, {"0", {0}},       {"-1", {1}},
      {"yes", Fails(13)}, {kEmpty, {0}}, {0.1, {1}},     {Amount(1), {1}}, {kNull, Fails(94)},
  };
  ExpectConversions(booleans, [](const Variant& v) { return v.ToBool(); });
}

TEST(Variant, TextFormsAndChangeType) {
  const std::pair<Variant, const char*> texts[] = {
      {kEmpty, ""},
      {true, "True"},
      {Short{-5}, "-5"},
      {5.6789e-11, "0.000000000056789"},
      {12.3456789f, "12.34568"},
      {Amount(125000), "12.5"},
      {Date{0}, "12:00:00 AM"},
      {"x", "x"},
  };
  for (const auto& [value, text] : texts)
    EXPECT_EQ(value.ToText(), text);
  EXPECT_EQ(ErrorOf([] { Variant::Null().ToText(); }).first, 94);
  EXPECT_EQ(ErrorOf([] { Variant::Missing().ToText(); }).first, 13);
  EXPECT_EQ(ErrorOf([] { Variant(MakeRef<Plain>()).ToText(); }).first, 13);

  const Ref<Object> object = MakeRef<Plain>();
  EXPECT_EQ(Variant(object).ToObject(), object);
  EXPECT_TRUE(Variant().ToObject().IsNothing());
  EXPECT_EQ(ErrorOf([] { Variant(1).ToObject(); }).first, 13);

  EXPECT_EQ(Variant("x").ChangeType(VarKind::Empty), Variant());
  EXPECT_EQ(Variant::Null().ChangeType(VarKind::Null), Variant::Null());
  EXPECT_EQ(Variant("2.5").ChangeType(VarKind::I2), Variant(Short{2}));
  EXPECT_EQ(Variant(1e15).ChangeType(VarKind::Text), Variant("1E+15"));
  EXPECT_EQ(Variant("TRUE").ChangeType(VarKind::Bool), Variant(true));
  EXPECT_EQ(Variant("1.5").ChangeType(VarKind::Currency), Variant(Amount(15000)));
  EXPECT_EQ(Variant().ChangeType(VarKind::Object), Variant(Ref<Object>()));
  EXPECT_EQ(Variant(object).ChangeType(VarKind::Object), Variant(object));
  EXPECT_EQ(ErrorOf([] { Variant(5).ChangeType(VarKind::Null); }).first, 13);
  EXPECT_EQ(ErrorOf([] { Variant(5).ChangeType(VarKind::Error); }).first, 13);
  EXPECT_EQ(ErrorOf([] { Variant::Null().ChangeType(VarKind::I4); }).first, 94);
}

}  // namespace
}  // namespace lombar
