#include "base/Text.h"

#include <gtest/gtest.h>

namespace lombar {
namespace {

TEST(TextTest, CharEliminateRemovesWholeTextsAndSingleCharacters) {
  EXPECT_EQ(Eliminate("aabbab", "ab", true), "");  // each cut forms a new "ab"
  EXPECT_EQ(Eliminate("aabbab", "ab", false), "");
  EXPECT_EQ(Eliminate("xabyab", "ab", true), "xy");
  EXPECT_EQ(Eliminate("a-b_c-", "-_", false), "abc");
  EXPECT_EQ(Eliminate("a-b_c-", "-_", true), "a-b_c-");
  EXPECT_EQ(Eliminate("AbAB", "ab", true), "AbAB");  // case-sensitive
  EXPECT_EQ(Eliminate("", "ab", true), "");
  EXPECT_EQ(Eliminate("abc", "", true), "abc");
  EXPECT_EQ(Eliminate("ababa", "aba", true), "ba");
}

TEST(TextTest, QuoteChoosesTheQuoteTheValueAllows) {
  EXPECT_EQ(QuotedValue("abc"), "\"abc\"");
  EXPECT_EQ(QuotedValue(""), "\"\"");
  EXPECT_EQ(QuotedValue("say \"hi\" now"), "'say \"hi\" now'");
  EXPECT_EQ(QuotedValue("\"quoted\""), "\"quoted\"");
  EXPECT_EQ(QuotedValue("'it' \"x\""), "\"it x\"");
  EXPECT_EQ(QuotedValue("'both \" inside'"), "'both \" inside'");
  EXPECT_EQ(QuotedValue("\"a'b"), "\"ab\"");
}

TEST(TextTest, TrimAndReplaceTouchOnlyWhatTheySay) {
  EXPECT_EQ(TrimSpaces("  a b  "), "a b");
  EXPECT_EQ(TrimSpaces("\ta\t"), "\ta\t");
  EXPECT_EQ(TrimSpaces("   "), "");
  EXPECT_EQ(ReplaceAll("a\r\nb\r\n", "\r\n", "]["), "a][b][");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

// The small letters of Windows-1252 go to upper case (ÿ to Ÿ, two bytes
// each); signs, ß, characters beyond the page and a cut character stay.
TEST(TextTest, UpperCaseTakesEveryLetterOfTheCodePage) {
  EXPECT_EQ(UpperCase("az \u00E0\u00FE\u00F7\u00D7\u00DF \u00FF\u0161\u0153\u017E "
                      "\u0160\u0152\u017D\u0178 \u0101\xC5"),
            "AZ \u00C0\u00DE\u00F7\u00D7\u00DF \u0178\u0160\u0152\u017D "
            "\u0160\u0152\u017D\u0178 \u0101\xC5");
  EXPECT_EQ(UpperCase("\u00E0 az"), "\u00C0 AZ");  // ASCII letters after the first that is not
}

}  // namespace
// Every length, through each of the fixed-size ways and the call, sees a
// difference at every place.
TEST(TextTest, SameBytesSeesADifferenceAnywhere) {
  const std::string text = "<Description>Engine water pump</Description>";
  for (std::size_t n = 0; n <= 24; ++n) {
    std::string copy = text;
    EXPECT_TRUE(SameBytes(text.data(), copy.data(), n)) << n;
    for (std::size_t at = 0; at < n; ++at) {
      copy[at] = '#';
      EXPECT_FALSE(SameBytes(text.data(), copy.data(), n)) << n << " at " << at;
      copy[at] = text[at];
    }
  }
}

// Every length up to three words and every place of the first sought byte,
// among bytes that differ from it only in the high bit or the lowest bit
// (where a word-wide test could mistake one for the other), with the other
// sought byte later or not at all, answers what a byte-by-byte search does.
TEST(TextTest, FirstOfEitherFindsTheFirstOfTwoBytesAtAnyPlace) {
  const auto plain = [](const std::string& text, std::size_t from) {
    const std::size_t at = text.find_first_of("<&", from);
    return at == std::string::npos ? text.size() : at;
  };
  const std::string fillers = {'\xBC', '=', '\xA6', '\'', 'a', '\0', '\xFF'};
  for (std::size_t length = 0; length <= 24; ++length) {
    for (std::size_t place = 0; place <= length; ++place) {
      for (const char sought : {'<', '&'}) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i)
          text += fillers[i % fillers.size()];
        if (place < length) text[place] = sought;
        if (place + 3 < length) text[place + 3] = sought == '<' ? '&' : '<';
        for (std::size_t from = 0; from <= length; ++from) {
          const char* found =
              FirstOfEither(text.data() + from, text.data() + text.size(), '<', '&');
          EXPECT_EQ(static_cast<std::size_t>(found - text.data()), plain(text, from))
              << length << " " << place << " " << from;
        }
      }
    }
  }
}

}  // namespace lombar
