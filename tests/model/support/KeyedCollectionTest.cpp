#include "lombar/internal/KeyedCollection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "lombar/Enumerator.h"
#include "lombar/ICatInfo.h"

namespace lombar {
namespace {

using testing::ErrorOf;

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
  EXPECT_EQ(members.NewEnum()->Next(9), (std::vector<Variant>{plugs, unkeyed, filter}));

  const auto error_of = [&](const Variant& index) { return ErrorOf([&] { members.Item(index); }); };
  EXPECT_EQ(error_of("Nope"), std::make_pair(5, std::string("Invalid procedure call or argument")));
  EXPECT_EQ(error_of(Long{0}), std::make_pair(9, std::string("Subscript out of range")));
  EXPECT_EQ(error_of("2").first, kInvalidProcedureCall);  // a number text is a key
  EXPECT_EQ(error_of(3.5).first, kSubscriptOutOfRange);   // rounds to 4
  EXPECT_EQ(error_of(Variant::Null()).first, kInvalidUseOfNull);
  EXPECT_EQ(error_of(Variant(plugs)).first, kTypeMismatch);
  for (const Variant& absent :
       {Variant("Nope"), Variant(Long{4}), Variant::Null(), Variant(1e12)}) {
    EXPECT_FALSE(members.Contains(absent));
  }
  EXPECT_TRUE(members.Contains(Long{3}));

  EXPECT_EQ(ErrorOf([&] { members.Add(NewMember(), "SPARKPLUGS"); }).first, kDuplicateKey);
  EXPECT_EQ(ErrorOf([&] { members.Remove("Nope"); }).first, kInvalidProcedureCall);
  EXPECT_EQ(members.Count(), 3);
}

TEST(KeyedCollectionTest, OnlyLettersFoldAndTheEmptyTextIsAKey) {
  KeyedCollection members;
  // Each of these differs from the others in more than letter case.
  for (const char* key : {"×", "÷", "ß", "ÿ", "日", "本", "?", "[", "{"}) {
    EXPECT_TRUE(members.TryAdd(NewMember(), key)) << key;
  }
  for (const auto& [stored, other_case] : {std::pair{"À", "à"}, {"Þ", "þ"}, {"Z", "z"}}) {
    members.Add(NewMember(), stored);
    EXPECT_FALSE(members.TryAdd(NewMember(), other_case)) << other_case;
  }
  const auto first_empty = NewMember();
  members.Add(first_empty, "");
  EXPECT_FALSE(members.TryAdd(NewMember(), ""));
  members.Add(NewMember());  // no key at all is not the empty key
  EXPECT_EQ(members.Item(""), first_empty);
}

TEST(KeyedCollectionTest, RemovalShiftsLaterPositionsAndFreesTheKey) {
  KeyedCollection members;
  std::vector<Ref<AutomationObject>> added;
  for (int i = 0; i < 6; ++i) {
    added.push_back(NewMember());
    members.Add(added.back(), "K" + std::to_string(i));
  }
  members.Remove("k1");
  members.Remove(Long{3});  // K3, now third
  members.Remove("K5");
  EXPECT_EQ(members.Count(), 3);
  EXPECT_EQ(members.At(2), added[2]);
  EXPECT_EQ(members.Item("K4"), added[4]);
  EXPECT_EQ(members.Item(Long{3}), added[4]);
  EXPECT_FALSE(members.Contains("K3"));
  members.Add(added[1], "K1");
  EXPECT_EQ(members.Item("k1"), members.At(4));
}

}  // namespace
}  // namespace lombar
