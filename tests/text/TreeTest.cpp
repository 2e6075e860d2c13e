#include "text/Tree.h"

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace lombar {
namespace {

using Values = std::vector<std::int32_t>;

// The values of a result, without the unused index 0 and the zero tail.
Values Used(const Values& result, std::size_t count) {
  return Values(result.begin() + 1, result.begin() + 1 + static_cast<std::ptrdiff_t>(count));
}

// The result grows in steps of ten and ends in zeros; enumerating twice
// answers the same, and DeleteAll leaves a tree that starts afresh.
TEST(TreeTest, UpperBoundGrowsInStepsOfTenWithZeroTail) {
  for (const std::size_t count : {1u, 9u, 10u, 11u, 20u, 21u, 95u}) {
    Tree tree;
    for (std::size_t i = 0; i < count; ++i)
      tree.Insert(std::string(1, 'a'), 7);
    const Values result = tree.Enumerate(false);
    Values expected((count + 9) / 10 * 10 + 1, 0);
    std::fill_n(expected.begin() + 1, count, 7);
    EXPECT_EQ(result, expected) << count;
    EXPECT_EQ(tree.Enumerate(false), result);
    EXPECT_EQ(tree.Size(), count);
    tree.DeleteAll();
    EXPECT_EQ(tree.Size(), 0u);
    EXPECT_TRUE(tree.Enumerate(false).empty());
    tree.Insert("Q", 9);
    EXPECT_EQ(tree.Enumerate(true), (Values{0, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  }
}

// Keys order as binary text: bytes compare unsigned (é's C3 after z), a
// prefix comes first, letter case counts and an embedded NUL is part of the
// key; equal keys keep their order of insertion, reversed when descending.
TEST(TreeTest, MatchesStableSortOnShuffledKeysWithDuplicates) {
  EXPECT_TRUE(Tree().Enumerate(true).empty());
  const char alphabet[] = {'A', 'a', 'z', '\0', '\xC3', '\xE2'};
  std::mt19937 random(20240611);
  std::vector<std::pair<std::string, std::int32_t>> entries;
  Tree tree;
  for (std::int32_t value = 1; value <= 5000; ++value) {
    std::string key(random() % 4, ' ');
    for (char& c : key)
      c = alphabet[random() % sizeof alphabet];
    entries.emplace_back(key, value);
    tree.Insert(key, value);
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  Values expected;
  for (const auto& entry : entries)
    expected.push_back(entry.second);
  EXPECT_EQ(Used(tree.Enumerate(false), expected.size()), expected);
  std::reverse(expected.begin(), expected.end());
  EXPECT_EQ(Used(tree.Enumerate(true), expected.size()), expected);
}

}  // namespace
}  // namespace lombar
