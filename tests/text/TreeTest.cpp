#include "text/Tree.h"

#include <algorithm>
#include <cstdio>
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

Tree TreeOf(std::initializer_list<std::string> keys) {
  Tree tree;
  std::int32_t value = 1;
  for (const auto& key : keys)
    tree.Insert(key, value++);
  return tree;
}

TEST(TreeTest, OrdersKeysAsBinaryText) {
  EXPECT_TRUE(Tree().Enumerate(false).empty());
  EXPECT_TRUE(Tree().Enumerate(true).empty());

  const Tree unordered = TreeOf({"B", "A", "C"});
  EXPECT_EQ(unordered.Enumerate(false), (Values{0, 2, 1, 3, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(unordered.Enumerate(true), (Values{0, 3, 1, 2, 0, 0, 0, 0, 0, 0, 0}));

  EXPECT_EQ(Used(TreeOf({"b", "C"}).Enumerate(false), 2), (Values{2, 1}));
  EXPECT_EQ(Used(TreeOf({"ab", "a", ""}).Enumerate(false), 3), (Values{3, 2, 1}));
  // Bytes compare unsigned: é (C3 A9) after z, € (E2 82 AC) after é.
  EXPECT_EQ(Used(TreeOf({"\u20AC", "\u00E9", "z", "A"}).Enumerate(false), 4), (Values{4, 3, 2, 1}));
  // An embedded NUL is part of the key, not its end.
  Tree with_nul;
  with_nul.Insert(std::string("a\0b", 3), 1);
  with_nul.Insert("a", 2);
  EXPECT_EQ(Used(with_nul.Enumerate(false), 2), (Values{2, 1}));
}

TEST(TreeTest, UpperBoundGrowsInStepsOfTenWithZeroTail) {
  for (const std::size_t count : {1u, 9u, 10u, 11u, 20u, 21u, 95u}) {
    Tree tree;
    for (std::size_t i = 0; i < count; ++i)
      tree.Insert(std::string(1, 'a'), 7);
    const Values result = tree.Enumerate(false);
    const std::size_t upper_bound = count <= 10 ? 10 : (count + 9) / 10 * 10;
    ASSERT_EQ(result.size(), upper_bound + 1) << count;
    EXPECT_EQ(result.front(), 0) << count;
    EXPECT_EQ(std::count(result.begin(), result.end(), 7), static_cast<long>(count));
    EXPECT_TRUE(std::all_of(result.begin() + 1 + static_cast<std::ptrdiff_t>(count), result.end(),
                            [](std::int32_t value) { return value == 0; }))
        << count;
  }
}

TEST(TreeTest, EnumerateRepeatsAndDeleteAllEmpties) {
  Tree tree = TreeOf({"B", "A", "C"});
  EXPECT_EQ(tree.Enumerate(false), tree.Enumerate(false));
  EXPECT_EQ(tree.Size(), 3u);
  tree.DeleteAll();
  EXPECT_EQ(tree.Size(), 0u);
  EXPECT_TRUE(tree.Enumerate(false).empty());
  tree.Insert("Q", 9);
  EXPECT_EQ(tree.Enumerate(true), (Values{0, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(TreeTest, MatchesStableSortOnShuffledKeysWithDuplicates) {
  std::mt19937 random(20240611);
  std::vector<std::pair<std::string, std::int32_t>> entries;
  Tree tree;
  for (std::int32_t value = 1; value <= 5000; ++value) {
    std::string key(1 + random() % 3, ' ');
    for (char& c : key)
      c = static_cast<char>('A' + random() % 4);
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

TEST(TreeTest, MillionSortedKeysNeedNoDeepRecursion) {
  constexpr std::int32_t kCount = 1'000'000;
  Tree tree;
  char key[16];
  for (std::int32_t i = 1; i <= kCount; ++i) {
    std::snprintf(key, sizeof key, "%07d", static_cast<int>(i));
    tree.Insert(key, i);
  }
  const Values up = tree.Enumerate(false);
  ASSERT_EQ(up.size(), static_cast<std::size_t>(kCount) + 1);
  for (std::int32_t i = 0; i <= kCount; ++i)
    ASSERT_EQ(up[i], i);
  const Values down = tree.Enumerate(true);
  for (std::int32_t i = 1; i <= kCount; ++i)
    ASSERT_EQ(down[i], kCount + 1 - i);
}

}  // namespace
}  // namespace lombar
