#include "lombar/StoredText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace lombar {
namespace {

// Texts on both sides of the inline limit, replacing one another in every
// order: each must read back exactly, whether it replaces an inline text, a
// longer block (reused) or a shorter one (a new block); so must a text given
// itself or a part of itself, whose bytes are read before they are overwritten.
TEST(StoredTextTest, EveryLengthReadsBackAfterAnyOther) {
  const std::string lengths[] = {"", "a", "seven77", "eight888", "a text of twenty bytes",
                                 std::string(300, 'x'), std::string("nul\0byte", 8)};
  for (const std::string& first : lengths) {
    for (const std::string& second : lengths) {
      StoredText text(first);
      EXPECT_EQ(text.View(), first);
      text = second;
      EXPECT_EQ(text.View(), second) << "after " << first.size() << " bytes";
      EXPECT_EQ(text.size(), second.size());
      EXPECT_EQ(text.empty(), second.empty());
      const StoredText& itself = text;
      text = itself;
      text = text.View().substr(second.size() / 3);
      EXPECT_EQ(text.View(), second.substr(second.size() / 3));
    }
  }
}

TEST(StoredTextTest, CopiesAreIndependentAndMovesLeaveTheSourceEmpty) {
  StoredText original("a text too long to be inline");
  StoredText copy(original);
  copy = "short";
  EXPECT_EQ(original.View(), "a text too long to be inline");
  StoredText moved(std::move(original));
  EXPECT_EQ(moved.View(), "a text too long to be inline");
  EXPECT_TRUE(original.empty());  // NOLINT: a moved-from text is empty
  copy = std::move(moved);
  EXPECT_EQ(copy.View(), "a text too long to be inline");
  EXPECT_EQ(sizeof(StoredText), 8U);
}

}  // namespace
}  // namespace lombar
