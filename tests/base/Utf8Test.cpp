#include "base/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lombar {
namespace {

// Short texts are checked by fixed-size words, long ones many bytes at a
// time: one character beyond ASCII is seen wherever it lies, and converts in
// its place.
TEST(Utf8Test, ACharacterBeyondAsciiIsSeenAtEveryPlace) {
  std::vector<std::size_t> sizes = {63, 64, 65, 200};
  for (std::size_t size = 0; size <= 17; ++size)
    sizes.push_back(size);
  for (const std::size_t size : sizes) {
    EXPECT_TRUE(IsAscii(std::string(size, 'a')));
    for (std::size_t at = 0; at < size; ++at) {
      std::string latin1(size, 'a');
      latin1[at] = '\xE9';
      std::string utf8 = latin1;
      utf8.replace(at, 1, "\xC3\xA9");
      EXPECT_FALSE(IsAscii(latin1)) << size << " " << at;
      EXPECT_EQ(Latin1FromUtf8(utf8), latin1) << size << " " << at;
      EXPECT_EQ(Utf8FromLatin1(latin1), utf8) << size << " " << at;
    }
  }
}

}  // namespace
}  // namespace lombar
