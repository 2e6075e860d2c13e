#include "lombar/internal/KeyedCollection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <numeric>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "base/Text.h"
#include "lombar/ICatInfo.h"

// Allocation that fails on demand, for this test program: once armed, the
// countdown fails the allocation it reaches. The address sanitizer keeps
// allocation to itself, so under it the failures are not made.
#if defined(__SANITIZE_ADDRESS__)
#define LOMBAR_FAILING_ALLOCATION 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LOMBAR_FAILING_ALLOCATION 0
#endif
#endif
#ifndef LOMBAR_FAILING_ALLOCATION
#define LOMBAR_FAILING_ALLOCATION 1
#endif

namespace {
thread_local long allocations_before_failure = -1;
}  // namespace

#if LOMBAR_FAILING_ALLOCATION

void* operator new(std::size_t size) {
  if (allocations_before_failure >= 0 && allocations_before_failure-- == 0) throw std::bad_alloc();
  if (void* storage = std::malloc(size == 0 ? 1 : size)) return storage;
  throw std::bad_alloc();
}
// The storage comes from malloc above, which GCC cannot see where it inlines.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* storage) noexcept { std::free(storage); }
void operator delete(void* storage, std::size_t) noexcept { std::free(storage); }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#endif  // LOMBAR_FAILING_ALLOCATION

namespace lombar {
namespace {

Ref<AutomationObject> NewMember() {
  return MakeRef<ICatInfo>();
}

TEST(KeyedCollectionTest, TextsAreKeysInAnyCaseAndEverythingElseAPosition) {
  KeyedCollection members;
  const auto plugs = NewMember(), unkeyed = NewMember(), filter = NewMember();
  members.Add(plugs, "SparkPlugs");
  members.Add(unkeyed);
  members.Add(filter, "Ölfilter");
  EXPECT_EQ(members.Item("sparkplugs"), plugs);
  EXPECT_EQ(members.Item("öLFILTER"), filter);  // Latin-1 letters fold too
  EXPECT_EQ(members.Item(Short{2}), unkeyed);
  EXPECT_EQ(members.Item(2.5), unkeyed);  // rounded half to even

  EXPECT_EQ(ErrorOf([&] { members.Item("Nope"); }),
            std::make_pair(5, std::string("Invalid procedure call or argument")));
  EXPECT_EQ(ErrorOf([&] { members.Item(Long{0}); }),
            std::make_pair(9, std::string("Subscript out of range")));
  // A number text is a key; 3.5 rounds to 4.
  // clang-format off
  const std::pair<Variant, int> refused[] = {{"2", kInvalidProcedureCall}, {3.5, kSubscriptOutOfRange},
      {1e12, kOverflow}, {Variant::Null(), kInvalidUseOfNull}, {Variant(plugs), kTypeMismatch}};
  // clang-format on
  for (const auto& [index, error] : refused) {
    EXPECT_EQ(ErrorOf([&] { members.Item(index); }).first, error) << error;
    EXPECT_FALSE(members.Contains(index)) << error;
  }
  EXPECT_EQ(ErrorOf([&] { members.Add(NewMember(), "SPARKPLUGS"); }).first, kDuplicateKey);

  // Removal shifts the later positions and keeps the keys after it.
  members.Remove("sparkplugs");
  EXPECT_EQ(std::tuple(members.Count(), members.Item("ölfilter"), members.At(2)),
            std::tuple(2, filter, filter));
}

TEST(KeyedCollectionTest, OnlyLettersFoldAndTheEmptyTextIsAKey) {
  KeyedCollection members;
  // Each of these differs from the others in more than letter case: Ā and ā
  // are letters beyond Windows-1252.
  for (const char* key : {"×", "÷", "ß", "Ā", "ā", "日", "本", "?", "[", "{"}) {
    EXPECT_TRUE(members.TryAdd(NewMember(), key)) << key;
  }
  for (const auto& [stored, other_case] : {std::pair{"À", "à"}, {"Þ", "þ"}, {"Z", "z"}, {"Š", "š"},
                                           {"œ", "Œ"}, {"Ž", "ž"}, {"ÿ", "Ÿ"},
                                           // longer than the room a short key is folded in
                                           {"Front Brake Pads, Ceramic, Left And Right",
                                            "front brake pads, CERAMIC, left and right"}}) {
    members.Add(NewMember(), stored);
    EXPECT_FALSE(members.TryAdd(NewMember(), other_case)) << other_case;
  }
  const auto first_empty = NewMember();
  members.Add(first_empty, "");
  EXPECT_FALSE(members.TryAdd(NewMember(), ""));
  members.Add(NewMember());  // no key at all is not the empty key
  EXPECT_EQ(members.Item(""), first_empty);
}

// Small collections walk their entries for a key, larger ones hash it in a
// table that grows many times over and closes the gaps removals leave: at
// every size on both sides of the change and far past it, after inserting in
// the middle and removing every third keyed member by key or by predicate,
// each key finds its own member in any case and is refused again, and each
// removed key is free again.
TEST(KeyedCollectionTest, KeysFindTheirMembersAtEverySize) {
  std::vector<int> sizes(20);
  std::iota(sizes.begin(), sizes.end(), 1);
  sizes.push_back(3000);
  for (const int size : sizes) {
    KeyedCollection members;
    std::vector<std::pair<std::string, Variant>> keyed, removed;  // what the keys must find
    for (int i = 0; i < size; ++i) {
      const Variant member(NewMember());
      if (i % 4 == 3) {
        members.Add(member);
        continue;
      }
      keyed.emplace_back("Key " + std::to_string(i * 7919 % 5003), member);
      members.Add(member, keyed.back().first);
    }
    const std::string middle = "Middle";
    members.Insert(1, Variant(NewMember()), &middle);  // after the first
    keyed.emplace_back(middle, members.At(2));
    EXPECT_EQ(ErrorOf([&] { members.Insert(0, Variant(NewMember()), &middle); }).first, kDuplicateKey);
    std::vector<Variant> by_predicate;
    for (std::size_t k = 0; k < keyed.size(); k += 3) {
      if (k % 2 == 0) {
        members.Remove(UpperCase(keyed[k].first));
      } else {
        by_predicate.push_back(keyed[k].second);
      }
      removed.push_back(keyed[k]);
    }
    members.RemoveWhere([&](const Variant& member) {
      return std::find(by_predicate.begin(), by_predicate.end(), member) != by_predicate.end();
    });
    std::erase_if(keyed, [&](const auto& entry) {
      return std::find(removed.begin(), removed.end(), entry) != removed.end();
    });
    ASSERT_EQ(members.Count(), size + 1 - static_cast<int>(removed.size()));
    for (const auto& [key, member] : keyed) {
      EXPECT_EQ(members.Item(UpperCase(key)), member) << key << " of " << size;
      EXPECT_FALSE(members.TryAdd(NewMember(), key)) << key << " of " << size;
    }
    for (const auto& [key, member] : removed)
      EXPECT_TRUE(members.TryAdd(NewMember(), key)) << key << " of " << size;
  }
}

// Memory running out while a member goes in (for its entry, or for the key
// table that is made or grows at that moment) leaves the collection as it
// was: the member is not in it, and every key still finds its own member.
// Each size of collection is tried with each allocation of the step failing.
TEST(KeyedCollectionTest, AMemberThatRunsOutOfMemoryIsNotAdded) {
  if (!LOMBAR_FAILING_ALLOCATION) GTEST_SKIP() << "allocation failures are not made here";
  const auto key_of = [](int i) { return "K" + std::to_string(i); };
  for (int size = 0; size <= 40; ++size) {
    for (const bool inserting : {false, true}) {
      KeyedCollection members;
      std::vector<Variant> added;
      for (int i = 0; i < size; ++i) {
        added.emplace_back(NewMember());
        members.Add(added.back(), key_of(i));
      }
      const auto expect_keys_found = [&] {
        for (int i = 0; i < size; ++i)
          ASSERT_EQ(members.Item(key_of(i)), added[static_cast<std::size_t>(i)]) << size << " " << i;
      };
      const Variant newcomer(NewMember());
      const std::string new_key = key_of(size);
      for (long failing = 0;; ++failing) {
        allocations_before_failure = failing;
        bool failed = false;
        try {
          if (inserting) {
            members.Insert(0, newcomer, &new_key);
          } else {
            members.Add(newcomer, new_key);
          }
        } catch (const std::exception&) {
          failed = true;
        }
        allocations_before_failure = -1;
        if (!failed) break;
        ASSERT_EQ(members.Count(), size) << size << " " << inserting << " " << failing;
        EXPECT_FALSE(members.Contains(new_key)) << size << " " << inserting << " " << failing;
        expect_keys_found();
      }
      ASSERT_EQ(members.Count(), size + 1);
      EXPECT_EQ(members.Item(new_key), newcomer) << size << " " << inserting;
      expect_keys_found();
    }
  }
}

}  // namespace
}  // namespace lombar
