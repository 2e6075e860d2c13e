#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "TestSupport.h"
#include "frame/NumberParse.h"
#include "frame/NumberText.h"

namespace lombar {
namespace {

constexpr std::int64_t kMaxUnits = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMinUnits = std::numeric_limits<std::int64_t>::min();

using TextAndNumber = std::pair<const char*, double>;
using TextAndUnits = std::pair<const char*, std::int64_t>;
using TextAndError = std::pair<const char*, std::int32_t>;

TEST(NumberParse, ReadsEveryLocaleFormAndRejectsTheRest) {
  const TextAndNumber accepted[] = {
      {"1,234.50", 1234.5}, {"(5)", -5},        {"5-", -5},         {"+5", 5},
      {"$1,000", 1000},     {"1,000$", 1000},   {"($5)", -5},       {" 12 ", 12},
      {"\t7\n", 7},         {"1e3", 1000},      {"1.5E-2", 0.015},  {"2d2", 200},
      {".5", 0.5},          {"5.", 5},          {"1e-400", 0},      {"&hff", 255},
      {"&HFFFF", -1},       {"&H8000", -32768}, {"&H10000", 65536}, {"&O17", 15},
      {"&HFFFFFFFF", -1}};
  for (const auto& [text, number] : accepted) {
    EXPECT_DOUBLE_EQ(ParseNumber(text), number) << text;
    EXPECT_TRUE(IsNumericText(text)) << text;
  }
  const TextAndError refused[] = {{"", 13},     {".", 13},     {",5", 13},   {"1.5,0", 13},
                                  {"5-5", 13},  {"-5-", 13},   {"(5", 13},   {"5)", 13},
                                  {"(-5)", 13}, {"$$5", 13},   {"1e", 13},   {"1e+", 13},
                                  {"abc", 13},  {"12abc", 13}, {"1 2", 13},  {"&H", 13},
                                  {"&HG", 13},  {"&H1 x", 13}, {"1e400", 6}, {"&H100000000", 6}};
  for (const auto& [text, error] : refused) {
    EXPECT_EQ(ErrorOf([&] { ParseNumber(text); }).first, error) << text;
    EXPECT_FALSE(IsNumericText(text)) << text;
  }
}

TEST(NumberParse, CurrencyIsReadExactlyAndRoundedHalfToEven) {
  // clang-format off
  const TextAndUnits amounts[] = {
      {"12.5", 125000}, {"0.00015", 2}, {"0.00025", 2}, {"0.000250001", 3}, {"-0.00025", -2},
      {"1,234.56789", 12345679}, {"1e-400", 0}, {"&HFFFF", -10000}, {"922337203685477.5807", kMaxUnits},
      {"922337203685477.58074", kMaxUnits}, {"-922337203685477.5808", kMinUnits}};
  // clang-format on
  for (const auto& [text, units] : amounts)
    EXPECT_EQ(ParseCurrency(text).units, units) << text;
  const TextAndError refused[] = {
      {"922337203685477.5808", 6}, {"922337203685477.58075", 6}, {"1e20", 6}, {"abc", 13}};
  for (const auto& [text, error] : refused)
    EXPECT_EQ(ErrorOf([&] { ParseCurrency(text); }).first, error) << text;
}

TEST(NumberParse, LeadingNumbersStopAtTheFirstForeignCharacterAndAreReadExactly) {
  // clang-format off
  const TextAndNumber numbers[] = {{"1,234.50", 1}, {"  -0.00", 0},    {"12abc", 12}, {"abc", 0},
                                   {"-.5x", -0.5},  {"+3.25.7", 3.25}, {"1e3", 1},    {"(5)", 0},
                                   // plain digits, read without the general way
                                   {"", 0}, {"42", 42}, {"-7", -7}, {"5.", 5},
                                   {"99999999999999", 99999999999999}};
  // clang-format on
  for (const auto& [text, number] : numbers)
    EXPECT_DOUBLE_EQ(LeadingNumber(text), number) << text;
  EXPECT_TRUE(std::signbit(LeadingNumber("-0")));
  EXPECT_FALSE(std::signbit(LeadingNumber("0")));

  const TextAndUnits amounts[] = {
      {"500000000000000.5", 5'000'000'000'000'005'000},  // sixteen digits, one past a double's text
      {"-922337203685477.5808 left", kMinUnits},
      {" 12.5abc", 125000},
      {"0.00005", 0},  // half to even
      {"1e3", 10000},
      {"$5", 0},
      // plain forms: empty, digits with a point at the end, four and five decimals
      {"", 0}, {"-58.11", -581100}, {"5.", 50000}, {"99999999999999.9999", 999'999'999'999'999'999},
      {"1.23455", 12346}, {"1.23465", 12346}, {"-", 0}, {"1.2.3", 12000}};
  for (const auto& [text, units] : amounts)
    EXPECT_EQ(LeadingCurrency(text).units, units) << text;
  EXPECT_EQ(ErrorOf([] { LeadingCurrency("922337203685477.5808"); }).first, kOverflow);

  constexpr std::int64_t kShortMin = -32768, kShortMax = 32767;
  const TextAndUnits wholes[] = {{"2.5", 2},         {"3.5", 4},         {"-2.5", -2},
                                 {"2.5000001", 3},   {"32766.5", 32766}, {"-32768.4", kShortMin},
                                 {" 12 apples", 12}, {"abc", 0},     {"", 0},
                                 {"-32768", kShortMin}, {"007", 7},    {"5.", 5}};
  for (const auto& [text, whole] : wholes)
    EXPECT_EQ(LeadingInteger(text, kShortMin, kShortMax), whole) << text;
  for (const char* beyond : {"32767.5", "32768", "-32768.6", "99999999999999999999"})
    EXPECT_EQ(ErrorOf([&] { LeadingInteger(beyond, kShortMin, kShortMax); }).first, kOverflow)
        << beyond;
  EXPECT_EQ(LeadingInteger("-2147483648", INT32_MIN, INT32_MAX), INT32_MIN);
  EXPECT_EQ(ErrorOf([] { LeadingInteger("2147483648", INT32_MIN, INT32_MAX); }).first, kOverflow);
}

TEST(NumberText, SinglesAreWrittenPlainAndReadBackToTheSameSingle) {
  const std::pair<float, const char*> written[] = {
      {123456.78f, "123456.78"}, {1e8f, "100000000"}, {0.1f, "0.1"}, {-2.5f, "-2.5"}, {0.0f, "0"}};
  for (const auto& [single, text] : written) {
    EXPECT_EQ(PlainSingleText(single), text);
    EXPECT_EQ(LeadingSingle(text), single) << text;
  }
  for (const float single :
       {3.4028235e38f, 1.17549435e-38f, 1e-45f, 16777216.0f, 0.3f, 7.0e-5f, 33554430.0f})
    EXPECT_EQ(LeadingSingle(PlainSingleText(single)), single) << PlainSingleText(single);
  EXPECT_EQ(LeadingSingle(" 12.5 miles"), 12.5f);
  EXPECT_EQ(LeadingSingle("1" + std::string(60, '0')), HUGE_VALF);
  EXPECT_EQ(LeadingSingle("-1" + std::string(60, '0')), -HUGE_VALF);
}

TEST(NumberText, FloatingNumbersAreWrittenInFullWhileTheDigitsFit) {
  // clang-format off
  const TextAndNumber doubles[] = {
      {"0.000000000056789", 5.6789e-11}, {"1E+15", 1e15}, {"123456789012345", 123456789012345.0},
      {"0", -0.0}, {"0.3", 0.1 + 0.2}, {"1.5E-16", 1.5e-16}, {"0.000000000000001", 1e-15},
      {"-2.5E-20", -2.5e-20}, {"1E+100", 1e100}, {"1E+15", 999999999999999.9}};
  // clang-format on
  for (const auto& [text, number] : doubles)
    EXPECT_EQ(DoubleText(number), text);
  const TextAndNumber singles[] = {
      {"1E+08", 1e8}, {"12.34568", 12.3456789}, {"1234567", 1234567}, {"0.1", 0.1}};
  for (const auto& [text, number] : singles)
    EXPECT_EQ(SingleText(static_cast<float>(number)), text);
}

TEST(NumberText, CurrencyAndDateForms) {
  // clang-format off
  const std::pair<std::int64_t, const char*> amounts[] = {
      {125000, "12.5"}, {0, "0"}, {-31416, "-3.1416"}, {-1, "-0.0001"}, {10500, "1.05"},
      {1001, "0.1001"}, {kMaxUnits, "922337203685477.5807"}, {kMinUnits, "-922337203685477.5808"}};
  for (const auto& [units, text] : amounts)
    EXPECT_EQ(CurrencyText(Currency{units}), text);

  const TextAndNumber dates[] = {
      {"12:00:00 AM", 0}, {"12/31/1899", 1}, {"1/1/2000 12:00:00 PM", 36526.5},
      {"12/29/1899 6:00:00 AM", -1.25}, {"1/1/2000 1:05:09 PM", 36526 + 47109 / 86400.0},
      {"1/1/1900", 1.9999999}, {"12/31/9999", 2958465}};
  // clang-format on
  for (const auto& [text, serial] : dates)
    EXPECT_EQ(DateText(Date{serial}), text);
  EXPECT_EQ(ErrorOf([] { DateText(Date{3e6}); }).first, 5);
}

}  // namespace
}  // namespace lombar
