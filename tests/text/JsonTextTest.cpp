#include "text/JsonText.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

namespace lombar {
namespace {

// Strings as other writers escape them: every escape JSON has, \u in either
// case, a character beyond 16 bits as a pair; the library's own writing
// reads back unchanged.
TEST(JsonTextTest, StringsReadEveryEscapeAndTheirOwnWriting) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {R"("\"\\\/\b\f\n\r\t")", "\"\\/\b\f\n\r\t"},
      {R"("\u00e9\u00C9\u00ff\u00FF\u0041")", "\u00e9\u00c9\u00ff\u00ffA"},
      {R"("\ud83d\ude00")", "\xF0\x9F\x98\x80"},
  };
  for (const auto& [json, text] : cases) EXPECT_EQ(ReadJson(json).text, text) << json;
  const std::string text = "\"\\\x01\x1f/\u00e9\xF0\x9F\x98\x80";
  std::string written;
  AppendJsonString(written, text);
  EXPECT_EQ(ReadJson(written).text, text) << written;
}

TEST(JsonTextTest, BadEscapesHalfPairsAndNumbersAreFaults) {
  for (const std::string_view json : {R"("\x")", R"("\u12g4")", R"("\ud83d")", R"("\ude00")",
                                      R"("\ud83d\u0041")", "-", "1.", "1e", "01"})
    EXPECT_THROW(ReadJson(json), JsonFault) << json;
  for (const std::string_view json : {"-0", "0.5", "1E+2", "10e-3"})
    EXPECT_EQ(ReadJson(json).text, json);
}

}  // namespace
}  // namespace lombar
