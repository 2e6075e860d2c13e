#include "lombar/StoredText.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>

namespace lombar {
namespace {

// Texts on both sides of the inline limit, replacing one another in every
// order: each must read back exactly, whether it replaces an inline text, a
// longer block (reused) or a shorter one (a new block); so must a text given
// itself or a part of itself, whose bytes are read before they are overwritten.
// Each text is stored both plainly and shared (AssignShared), in every mix.
TEST(StoredTextTest, EveryLengthReadsBackAfterAnyOther) {
  const std::string lengths[] = {"",
                                 "a",
                                 "seven77",
                                 "eight888",
                                 "a text of twenty bytes",
                                 std::string(300, 'x'),
                                 std::string("nul\0byte", 8)};
  for (const std::string& first : lengths) {
    for (const std::string& second : lengths) {
      for (const int shared : {0, 1, 2, 3}) {
        StoredText text;
        if (shared & 1) {
          text.AssignShared(first);
        } else {
          text = first;
        }
        EXPECT_EQ(text.View(), first);
        if (shared & 2) {
          text.AssignShared(second);
        } else {
          text = second;
        }
        EXPECT_EQ(text.View(), second) << "after " << first.size() << " bytes, " << shared;
        EXPECT_EQ(text.size(), second.size());
        EXPECT_EQ(text.empty(), second.empty());
        const StoredText& itself = text;
        text = itself;
        text = text.View().substr(second.size() / 3);
        EXPECT_EQ(text.View(), second.substr(second.size() / 3));
      }
    }
  }
}

// Texts stored shared with the same bytes share one block, which none of
// them changes: each assignment gives its text a block of its own again.
TEST(StoredTextTest, SharedTextsShareOneBlockUntilEachIsChanged) {
  const std::string_view location = "Central Warehouse";
  StoredText first;
  StoredText second;
  first.AssignShared(location);
  second.AssignShared(std::string(location));
  EXPECT_TRUE(first.Shares());
  EXPECT_EQ(first.View().data(), second.View().data());
  StoredText copy(first);
  EXPECT_EQ(copy.View().data(), first.View().data());
  second = "Main Street South";  // no longer than the block: not written into it
  EXPECT_EQ(first.View(), location);
  EXPECT_EQ(copy.View(), location);
  EXPECT_FALSE(second.Shares());
  copy.AssignShared(copy.View());  // its own bytes
  EXPECT_EQ(copy.View(), location);

  // Short texts stay inline, whatever their length's bits; long ones are not shared.
  for (const std::string& unshared :
       {std::string("abc"), std::string("abcdefg"), std::string(65, 'y')}) {
    StoredText text;
    text.AssignShared(unshared);
    EXPECT_FALSE(text.Shares()) << unshared.size();
    EXPECT_EQ(text.View(), unshared);
  }
}

// A shared block outlives the thread that made it and the texts it was
// made for, as long as any text holds it.
TEST(StoredTextTest, SharedBlockOutlivesTheThreadThatStoredIt) {
  StoredText kept;
  std::thread([&] {
    StoredText made;
    made.AssignShared("Next day 7 am delivery");
    kept = made;
  }).join();
  EXPECT_TRUE(kept.Shares());
  EXPECT_EQ(kept.View(), "Next day 7 am delivery");
  StoredText again;
  again.AssignShared("Next day 7 am delivery");  // this thread's own block
  EXPECT_EQ(again.View(), kept.View());
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
