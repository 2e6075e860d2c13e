#include "lombar/internal/KeyedCollection.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
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

  // Removal shifts the later positions, keeps the keys after it and frees its own.
  members.Remove("sparkplugs");
  EXPECT_EQ(std::tuple(members.Count(), members.Item("ölfilter"), members.At(2)),
            std::tuple(2, filter, filter));
  members.Add(plugs, "SparkPlugs");
  EXPECT_EQ(members.Item("SPARKPLUGS"), members.At(3));
}

TEST(KeyedCollectionTest, OnlyLettersFoldAndTheEmptyTextIsAKey) {
  KeyedCollection members;
  // Each of these differs from the others in more than letter case: Ā and ā
  // are letters beyond Windows-1252.
  for (const char* key : {"×", "÷", "ß", "Ā", "ā", "日", "本", "?", "[", "{"}) {
    EXPECT_TRUE(members.TryAdd(NewMember(), key)) << key;
  }
  for (const auto& [stored, other_case] : {std::pair{"À", "à"}, {"Þ", "þ"}, {"Z", "z"}, {"Š", "š"},
                                           {"œ", "Œ"}, {"Ž", "ž"}, {"ÿ", "Ÿ"}}) {
    members.Add(NewMember(), stored);
    EXPECT_FALSE(members.TryAdd(NewMember(), other_case)) << other_case;
  }
  const auto first_empty = NewMember();
  members.Add(first_empty, "");
  EXPECT_FALSE(members.TryAdd(NewMember(), ""));
  members.Add(NewMember());  // no key at all is not the empty key
  EXPECT_EQ(members.Item(""), first_empty);
}

TEST(KeyedCollectionTest, InsertAndRemoveWhereKeepKeysFindingTheirMembers) {
  KeyedCollection members;
  const auto first = NewMember(), last = NewMember(), middle = NewMember();
  members.Add(first, "First");
  members.Add(last, "Last");
  const std::string middle_key = "Middle";
  members.Insert(1, middle, &middle_key);
  EXPECT_EQ(std::tuple(members.At(2), members.Item("last"), members.Item("MIDDLE")),
            std::tuple(middle, last, middle));
  EXPECT_EQ(ErrorOf([&] { members.Insert(0, NewMember(), &middle_key); }).first, kDuplicateKey);
  EXPECT_EQ(members.Count(), 3);

  members.RemoveWhere([&](const Variant& member) { return member == Variant(middle); });
  EXPECT_EQ(std::tuple(members.Count(), members.Item("Last"), members.Contains("Middle")),
            std::tuple(2, last, false));
  members.Add(middle, "Middle");  // its key was freed
  EXPECT_EQ(members.At(3), middle);
}

// Small collections walk their entries for a key, larger ones hash it: every
// size on both sides of the change, through adding, inserting and both kinds
// of removal, keeps each key leading to its own member and refused twice.
TEST(KeyedCollectionTest, KeysFindTheirMembersAtEverySize) {
  for (int size = 1; size <= 20; ++size) {
    KeyedCollection members;
    std::vector<std::pair<std::string, Variant>> keyed;  // what the keys must find
    for (int i = 0; i < size; ++i) {
      const Variant member(NewMember());
      if (i % 3 == 2) {
        members.Add(member);
        continue;
      }
      keyed.emplace_back("Key" + std::to_string(i), member);
      members.Add(member, keyed.back().first);
    }
    const std::string front = "Front";
    const Variant first(NewMember());
    members.Insert(0, first, &front);
    keyed.emplace_back(front, first);
    members.Remove("KEY0");
    std::erase_if(keyed, [](const auto& entry) { return entry.first == "Key0"; });
    const Variant dropped = keyed.size() > 2 ? keyed[1].second : Variant();
    members.RemoveWhere([&](const Variant& member) { return member == dropped; });
    std::erase_if(keyed, [&](const auto& entry) { return entry.second == dropped; });

    for (const auto& [key, member] : keyed) {
      EXPECT_EQ(members.Item(UpperCase(key)), member) << key << " of " << size;
      EXPECT_FALSE(members.TryAdd(NewMember(), key)) << key << " of " << size;
    }
    EXPECT_FALSE(members.Contains("Key0"));
    EXPECT_TRUE(members.TryAdd(NewMember(), "Key0")) << size;
  }
}

// A large collection's key table grows many times over and closes the gaps
// that removals leave in it: after removing every third member, by key and
// by predicate, each remaining key still finds its member, each removed one
// is free again, and nothing else is.
TEST(KeyedCollectionTest, ManyKeysSurviveGrowthAndRemovals) {
  KeyedCollection members;
  std::vector<Variant> added;
  const auto key_of = [](int i) { return "Part " + std::to_string(i * 7919 % 5003); };
  constexpr int kCount = 3000;
  for (int i = 0; i < kCount; ++i) {
    added.emplace_back(NewMember());
    members.Add(added.back(), key_of(i));
  }
  for (int i = 0; i < kCount; i += 6)
    members.Remove(key_of(i));
  members.RemoveWhere([&](const Variant& member) {
    for (int i = 3; i < kCount; i += 6) {
      if (member == added[static_cast<std::size_t>(i)]) return true;
    }
    return false;
  });
  ASSERT_EQ(members.Count(), kCount - kCount / 3);
  for (int i = 0; i < kCount; ++i) {
    if (i % 3 == 0) {
      EXPECT_FALSE(members.Contains(key_of(i))) << i;
    } else {
      EXPECT_EQ(members.Item(key_of(i)), added[static_cast<std::size_t>(i)]) << i;
    }
  }
  for (int i = 0; i < kCount; i += 3)
    EXPECT_TRUE(members.TryAdd(NewMember(), key_of(i))) << i;
  EXPECT_FALSE(members.TryAdd(NewMember(), key_of(1)));
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
