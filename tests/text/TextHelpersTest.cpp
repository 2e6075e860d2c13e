#include "text/TextHelpers.h"

#include <gtest/gtest.h>

#include "lombar/Error.h"

namespace lombar {
namespace {

TEST(TextHelpersTest, FillPadsOrCutsToTheWidth) {
  EXPECT_EQ(str_Fill(Variant("ab"), 5, " "), "ab   ");
  EXPECT_EQ(str_Fill(Variant("ab"), -5, " "), "   ab");
  EXPECT_EQ(str_Fill(Variant("abcdef"), 3, " "), "abc");
  EXPECT_EQ(str_Fill(Variant("abcdef"), -3, " "), "abc");
  EXPECT_EQ(str_Fill(Variant("ab"), 4, "*-"), "ab**");
  EXPECT_EQ(str_Fill(Variant(), 3, "."), "...");
  EXPECT_EQ(str_Fill(Variant::Null(), 2, "."), "..");
  EXPECT_EQ(str_Fill(Variant(Long{42}), -4, "0"), "0042");
  // Widths count characters, not bytes.
  EXPECT_EQ(str_Fill(Variant("\xC3\xA9t\xC3\xA9"), 4, " "), "\xC3\xA9t\xC3\xA9 ");
  EXPECT_EQ(str_Fill(Variant("\xC3\xA9t\xC3\xA9"), 2, " "), "\xC3\xA9t");
}

}  // namespace
}  // namespace lombar
