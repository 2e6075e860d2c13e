#include "frame/FixedWidthText.h"

#include <gtest/gtest.h>

#include "lombar/Error.h"

namespace lombar {
namespace {

TEST(FixedWidthTextTest, FillPadsOrCutsToTheWidth) {
  EXPECT_EQ(FixedWidthText(Variant("ab"), 5, " "), "ab   ");
  EXPECT_EQ(FixedWidthText(Variant("ab"), -5, " "), "   ab");
  EXPECT_EQ(FixedWidthText(Variant("abcdef"), 3, " "), "abc");
  EXPECT_EQ(FixedWidthText(Variant("abcdef"), -3, " "), "abc");
  EXPECT_EQ(FixedWidthText(Variant("ab"), 4, "*-"), "ab**");
  EXPECT_EQ(FixedWidthText(Variant(), 3, "."), "...");
  EXPECT_EQ(FixedWidthText(Variant::Null(), 2, "."), "..");
  EXPECT_EQ(FixedWidthText(Variant(Long{42}), -4, "0"), "0042");
  // Widths count characters, not bytes.
  EXPECT_EQ(FixedWidthText(Variant("\xC3\xA9t\xC3\xA9"), 4, " "), "\xC3\xA9t\xC3\xA9 ");
  EXPECT_EQ(FixedWidthText(Variant("\xC3\xA9t\xC3\xA9"), 2, " "), "\xC3\xA9t");
}

}  // namespace
}  // namespace lombar
