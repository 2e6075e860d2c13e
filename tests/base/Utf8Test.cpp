#include "base/Utf8.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "base/CodePage.h"

namespace lombar {
namespace {

// Short texts are checked by fixed-size words, long ones many bytes at a
// time: one character beyond ASCII is seen wherever it lies, and converts in
// its place, whether its UTF-8 takes two bytes or three.
TEST(Utf8Test, ACharacterBeyondAsciiIsSeenAtEveryPlace) {
  std::vector<std::size_t> sizes = {63, 64, 65, 200};
  for (std::size_t size = 0; size <= 17; ++size)
    sizes.push_back(size);
  const std::pair<char, std::string> kCharacters[] = {{'\xE9', "\xC3\xA9"}, {'\x92', "\xE2\x80\x99"}};
  for (const std::size_t size : sizes) {
    EXPECT_TRUE(IsAscii(std::string(size, 'a')));
    for (std::size_t at = 0; at < size; ++at) {
      for (const auto& [byte, character] : kCharacters) {
        std::string bytes(size, 'a');
        bytes[at] = byte;
        std::string utf8 = bytes;
        utf8.replace(at, 1, character);
        EXPECT_FALSE(IsAscii(bytes)) << size << " " << at;
        EXPECT_EQ(Windows1252().FromUtf8(utf8), bytes) << size << " " << at;
        EXPECT_EQ(Windows1252().ToUtf8(bytes), utf8) << size << " " << at;
      }
    }
  }
}

// Each code page, byte by byte from 0x80 to 0x9F and then a few of its
// upper half, against the characters written out here: every one goes both
// ways, and a character the page lacks (or a byte that is no UTF-8) is "?".
TEST(CodePageTest, EachPageHoldsItsCharactersAndMakesTheRestQuestionMarks) {
  const std::string c1_controls =
      "\u0080\u0081\u0082\u0083\u0084\u0085\u0086\u0087\u0088\u0089\u008A\u008B\u008C\u008D\u008E"
      "\u008F\u0090\u0091\u0092\u0093\u0094\u0095\u0096\u0097\u0098\u0099\u009A\u009B\u009C\u009D"
      "\u009E\u009F";
  struct Case {
    const CodePage& page;
    std::uint32_t number;
    std::string first_row;  // the characters of 0x80..0x9F
    std::string lacked;     // characters it makes "?"
  };
  const Case cases[] = {
      {Windows1252(), 1252,
       "\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D\u017D"
       "\u008F\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u009D"
       "\u017E\u0178",
       "\u0080\u0085\u009F\u0100\u0101\U0001F600\u65E5"},
      {Latin1(), 28591, c1_controls, "\u20AC\u2019\u0160\u0178\U0001F600"},
  };
  const std::string last_row = "\u00A0\u00C0\u00D7\u00E9\u00FF";  // every page holds Latin-1's upper half
  const std::string last_bytes = "\xA0\xC0\xD7\xE9\xFF";
  for (const Case& c : cases) {
    EXPECT_EQ(c.page.Number(), c.number);
    std::string first_bytes;
    for (int byte = 0x80; byte < 0xA0; ++byte)
      first_bytes.push_back(static_cast<char>(byte));
    EXPECT_EQ(c.page.ToUtf8(first_bytes + last_bytes), c.first_row + last_row) << c.number;
    EXPECT_EQ(c.page.FromUtf8("a" + c.first_row + last_row), "a" + first_bytes + last_bytes)
        << c.number;
    EXPECT_EQ(c.page.FromUtf8(c.lacked + "z"), std::string(CharCount(c.lacked), '?') + "z")
        << c.number;
    EXPECT_EQ(c.page.FromUtf8(std::string("a\xFF\xC3\xE2\x80", 5)), "a????") << c.number;
  }
  // A character two bytes claim goes back to the lower one, past Latin-1 or in it.
  std::array<char32_t, 128> doubled = {0x2019, 0x2019};
  doubled[0x20] = doubled[0x21] = 0xE9;
  EXPECT_EQ(CodePage(1, doubled).FromUtf8("\u2019\u00E9"), "\x80\xA0");
  EXPECT_EQ(KnownCodePage("1252"), &Windows1252());
  EXPECT_EQ(KnownCodePage("28591"), &Latin1());
  for (const char* unknown : {"", "1251", "65001", "cp1252", "1252 "})
    EXPECT_EQ(KnownCodePage(unknown), nullptr) << unknown;
}

}  // namespace
}  // namespace lombar
