#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "TestSupport.h"
#include "frame/NumberParse.h"
#include "frame/NumberText.h"

namespace lombar {
namespace {

double Number(const std::string& text) { return std::strtod(text.c_str(), nullptr); }
std::int64_t Whole(const std::string& text) { return std::stoll(text); }
std::string Same(const std::string& text) { return text; }

// Checks the rows of Numbers.cases for `function`: `call` on what a row gives
// answers what `expected` makes of its last field, or raises the error it names.
template <class Call, class Expected>
void CheckRows(std::string_view function, Call call, Expected expected) {
  static const std::vector<testing::CaseLine> rows = ReadCases("frame/Numbers.cases", 3);
  int checked = 0;
  for (const auto& row : rows) {
    if (row[0] != function) continue;
    ++checked;
    if (row[2].starts_with("error "))
      EXPECT_EQ(ErrorOf([&] { call(row[1]); }).first, std::stoi(row[2].substr(6))) << row.where;
    else
      EXPECT_EQ(call(row[1]), expected(row[2])) << row.where;
  }
  EXPECT_GT(checked, 0) << function;
}

TEST(NumberParse, ReadsEveryLocaleFormAndRejectsTheRest) {
  // IsNumericText takes exactly the texts ParseNumber reads.
  const auto parse = [](const std::string& text) {
    const bool numeric = IsNumericText(text);
    try {
      const double number = ParseNumber(text);
      EXPECT_TRUE(numeric) << text;
      return number;
    } catch (const Error&) {
      EXPECT_FALSE(numeric) << text;
      throw;
    }
  };
  CheckRows("ParseNumber", parse, Number);
}

TEST(NumberParse, CurrencyIsReadExactlyAndRoundedHalfToEven) {
  CheckRows("ParseCurrency", [](const std::string& text) { return ParseCurrency(text).units; }, Whole);
}

TEST(NumberParse, LeadingNumbersStopAtTheFirstForeignCharacterAndAreReadExactly) {
  CheckRows("LeadingNumber", [](const std::string& text) { return LeadingNumber(text); }, Number);
  EXPECT_TRUE(std::signbit(LeadingNumber("-0")));
  EXPECT_FALSE(std::signbit(LeadingNumber("0")));
  CheckRows("LeadingCurrency", [](const std::string& text) { return LeadingCurrency(text).units; }, Whole);
  CheckRows("LeadingShort", [](const std::string& text) { return LeadingInteger(text, -32768, 32767); }, Whole);
  CheckRows("LeadingLong", [](const std::string& text) { return LeadingInteger(text, INT32_MIN, INT32_MAX); },
            Whole);
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
  CheckRows("DoubleText", [](const std::string& text) { return DoubleText(Number(text)); }, Same);
  CheckRows("SingleText", [](const std::string& text) { return SingleText(static_cast<float>(Number(text))); },
            Same);
}

TEST(NumberText, CurrencyAndDateForms) {
  CheckRows("CurrencyText", [](const std::string& text) { return CurrencyText(Currency{Whole(text)}); }, Same);
  CheckRows("DateText", [](const std::string& text) { return DateText(Date{Number(text)}); }, Same);
}

}  // namespace
}  // namespace lombar
