#include "text/JsonText.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

namespace lombar {
namespace {

// Strings as other writers escape them (every escape, \u in either case, a
// pair for a character beyond 16 bits) and as the library writes them read
// back; numbers keep their text; what JSON does not have is refused.
TEST(JsonTextTest, EscapesAndNumbersAsJsonHasThem) {
  const std::string own = "\"\\\x01\x1f/\u00e9\xF0\x9F\x98\x80";
  std::string written;
  AppendJsonString(written, own);
  const std::pair<std::string, std::string_view> reads[] = {
      {R"("\"\\\/\b\f\n\r\t")", "\"\\/\b\f\n\r\t"}, {R"("\u00e9\u00C9\u00ff\u00FFA")", "\u00e9\u00c9\u00ff\u00ffA"},
      {R"("\ud83d\ude00")", "\xF0\x9F\x98\x80"}, {written, own}, {"-0", "-0"}, {"1E+2", "1E+2"}, {"10e-3", "10e-3"}};
  for (const auto& [json, text] : reads) EXPECT_EQ(ReadJson(json).text, text) << json;
  for (const std::string_view json : {R"("\x")", R"("\u12g4")", R"("\ud83d")", R"("\ude00")",
                                      R"("\ud83d\u0041")", R"("\ude00\udc00")", "-", "1.", "1e", "01"})
    EXPECT_THROW(ReadJson(json), JsonFault) << json;
  // An escape cut off by the text's end, where the bytes after the text would complete it.
  const std::string longer = R"("\u1234")";
  try {
    ReadJson(std::string_view(longer).substr(0, 6));
    ADD_FAILURE() << "an escape cut off by the end was read";
  } catch (const JsonFault& fault) {
    EXPECT_NE(std::string_view(fault.what()).find("four hex digits"), std::string_view::npos)
        << fault.what();
  }
}

}  // namespace
}  // namespace lombar
