#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "frame/Dispatch.h"
#include "lombar/ICatItemProfileCol.h"

namespace lombar {
namespace {

using testing::ErrorOf;
using testing::InFreshThread;
using testing::LogFolderScope;

Ref<ICatItemProfile> Profile(Long type, std::string_view description, std::string_view group = "",
                             std::string_view part_type = "", std::string_view generic_id = "",
                             std::string_view manufacturer = "") {
  auto profile = MakeRef<ICatItemProfile>();
  profile->SetItemType(type);
  profile->SetDescription(description);
  profile->SetGroupNumber(group);
  profile->SetPartTypeCode(part_type);
  profile->SetGenericID(generic_id);
  profile->SetManufacturerName(manufacturer);
  return profile;
}

// Two profiles and whether they are alike.
using Pairing = std::tuple<Ref<ICatItemProfile>, Ref<ICatItemProfile>, bool>;

// The Tags of the members in order.
std::string TagsInOrder(const ICatItemProfileCol& profiles) {
  std::string tags;
  for (const Ref<ICatItemProfile>& profile : profiles.Members())
    tags += profile->Tag() + " ";
  return tags;
}

TEST(ICatItemProfileTest, XmlRoundTripAndClearKeepTheItemType) {
  const auto profile = Profile(1, "Oil & <Filter>s", "12", "340", "007", "Acme's");
  profile->SetGenericDescription("Filter");
  profile->SetTag("t");
  profile->SetKey("123");
  const std::string xml =
      "<ItemProfile><ItemType>1</ItemType><Description>Oil &amp; &lt;Filter&gt;s</Description>"
      "<GroupNumber>12</GroupNumber><PartTypeCode>340</PartTypeCode>"
      "<GenericDescription>Filter</GenericDescription><GenericID>007</GenericID>"
      "<Manufacturer>Acme&apos;s</Manufacturer><Tag>t</Tag><Key>123</Key></ItemProfile>";
  EXPECT_EQ(profile->XML(), xml);

  auto loaded = MakeRef<ICatItemProfile>();
  loaded->SetXML(xml);
  EXPECT_EQ(std::tuple(loaded->ItemType(), loaded->Description(), loaded->ManufacturerName()),
            std::tuple(1, "Oil & <Filter>s", "Acme's"));
  EXPECT_EQ(loaded->XML(), xml);

  loaded->Clear();
  EXPECT_EQ(std::tuple(loaded->ItemType(), loaded->Description(), loaded->Key()),
            std::tuple(1, "", ""));
  loaded->SetXML("");  // clears only
  EXPECT_EQ(loaded->ItemType(), 1);
  // ItemType is the leading number of its element, half to even; missing or not a number: 0.
  for (const auto& [element, type] : std::vector<std::pair<std::string, Long>>{
           {"<ItemType>3.5x</ItemType>", 4}, {"<Description>d</Description>", 0}}) {
    loaded->SetItemType(9);
    loaded->SetXML("<ItemProfile>" + element + "</ItemProfile>");
    EXPECT_EQ(loaded->ItemType(), type) << element;
  }
}

TEST(ICatItemProfileTest, LikeTypeAndLikeManufacturerDecisionTables) {
  // LikeType: the description in upper case first, whatever the types; then
  // the same type with the same group and part type code, or the same
  // generic id when it reads as a number above 0.
  const std::vector<Pairing> like_type = {
      {Profile(0, "Oil Filter", "1", "2"), Profile(1, "OIL FILTER", "3", "4"), true},
      {Profile(0, "bougie é"), Profile(0, "BOUGIE É"), true},
      {Profile(0, ""), Profile(2, ""), true},
      {Profile(0, "a", "12", "340"), Profile(1, "b", "12", "340"), false},
      {Profile(0, "a", "12", "340"), Profile(0, "b", "12", "340"), true},
      {Profile(0, "a", "12", "340", "0"), Profile(0, "b", "12", "341", "0"), false},
      {Profile(0, "a", "1", "", "12"), Profile(0, "b", "2", "", "12"), true},
      {Profile(0, "a", "1", "", "7x"), Profile(0, "b", "2", "", "7x"), true},
      {Profile(0, "a", "1", "", "abc"), Profile(0, "b", "2", "", "abc"), false},
      {Profile(1, "a", "1", "", "12"), Profile(0, "b", "2", "", "12"), false},
  };
  for (std::size_t row = 0; row < like_type.size(); ++row) {
    const auto& [mine, theirs, expected] = like_type[row];
    EXPECT_EQ(mine->LikeType(theirs), expected) << "row " << row;
  }

  // LikeManufacturer: the group number exactly and the manufacturer in upper case.
  const std::vector<Pairing> like_manufacturer = {
      {Profile(0, "a", "12", "", "", "Acme"), Profile(2, "b", "12", "9", "", "ACME"), true},
      {Profile(0, "", "12", "", "", "zé"), Profile(0, "", "12", "", "", "ZÉ"), true},
      {Profile(0, "", "12", "", "", "Acme"), Profile(0, "", "012", "", "", "Acme"), false},
      {Profile(0, "", "12", "", "", "Acme"), Profile(0, "", "12", "", "", "Acme "), false},
  };
  for (std::size_t row = 0; row < like_manufacturer.size(); ++row) {
    const auto& [mine, theirs, expected] = like_manufacturer[row];
    EXPECT_EQ(mine->LikeManufacturer(theirs), expected) << "row " << row;
  }

  const auto profile = Profile(0, "");
  EXPECT_FALSE(profile->LikeType(Nothing) || profile->LikeManufacturer(Nothing));
  std::vector<Argument> other = {{Variant(Profile(0, "", "", "", "", "x")), true}};
  EXPECT_EQ(Invoke(*profile, MethodId(10), MemberKind::Method, other), Variant(false));
}

TEST(ICatItemProfileColTest, NumericKeysAreHeldUnderKHashAndDuplicatesDroppedSilently) {
  auto profiles = MakeRef<ICatItemProfileCol>();
  EXPECT_EQ(profiles->XML(), "");
  // Key → the collection key it is held under.
  const std::vector<std::pair<std::string, std::string>> keys = {
      {"123", "K#123"},
      {" 4.5 ", "K# 4.5 "},
      {"&H1F", "K#&H1F"},
      {"12abc", "12abc"},
  };
  for (const auto& [key, held_under] : keys) {
    const auto profile = profiles->Add("d", "g", "p", "gd", "1", "m", "t", key);
    EXPECT_EQ(profile->Key(), key);
    EXPECT_EQ(profiles->Item(held_under), profile) << key;
    EXPECT_EQ(profiles->Exists(key), key == held_under) << key;
  }
  EXPECT_EQ(profiles->Item(Long{1})->Key(), "123");  // positions stay positions

  const auto duplicate = profiles->Add("", "", "", "", "", "", "", "12ABC");
  EXPECT_TRUE(duplicate && profiles->Count() == 4);
  EXPECT_TRUE(profiles->AddObject(Nothing).IsNothing());

  // Item is the default member; Add without its key and AddObject add unkeyed profiles.
  std::vector<Argument> by_key = {{Variant("K#123")}};
  EXPECT_EQ(Invoke(*profiles, kDispIdValue, MemberKind::Get, by_key),
            Variant(profiles->Item(Long{1})));
  std::vector<Argument> add(7, Argument{Variant("")});
  Invoke(*profiles, MethodId(4), MemberKind::Method, add);
  const auto unkeyed = MakeRef<ICatItemProfile>();
  EXPECT_EQ(profiles->AddObject(unkeyed), unkeyed);
  EXPECT_TRUE(profiles->Count() == 6 && !profiles->Exists(""));
}

TEST(ICatItemProfileColTest, XmlRoundTripReadsKeysByTheKeyRule) {
  InFreshThread([] {  // the thread's switches off: empty values are written
    auto profiles = MakeRef<ICatItemProfileCol>();
    profiles->Add("Plug", "", "", "", "", "", "", "55");
    profiles->Add("Wire", "", "", "", "", "", "", "w");
    // A profile with only a description and a key, every element written.
    const auto bare = [](std::string_view description, std::string_view key) {
      return "<ItemProfile><ItemType>0</ItemType><Description>" + std::string(description) +
             "</Description><GroupNumber></GroupNumber><PartTypeCode></PartTypeCode>"
             "<GenericDescription></GenericDescription><GenericID></GenericID>"
             "<Manufacturer></Manufacturer><Tag></Tag><Key>" +
             std::string(key) + "</Key></ItemProfile>";
    };
    const std::string xml = "<ICatItemProfileCol><Count>2</Count><Collection>" +
                            bare("Plug", "55") + bare("Wire", "w") +
                            "</Collection></ICatItemProfileCol>";
    EXPECT_EQ(profiles->XML(), xml);

    auto loaded = MakeRef<ICatItemProfileCol>();
    loaded->Add("Old", "", "", "", "", "", "", "");
    loaded->SetXML(xml);
    EXPECT_EQ(loaded->XML(), xml);
    EXPECT_EQ(loaded->Item("K#55")->Description(), "Plug");
    loaded->SetXML("");
    EXPECT_EQ(loaded->Count(), 0);
  });
}

// The members of the sorting tests, Tag first. Each key is the decimal
// ItemType followed by the fields of the mode, compared as binary text.
Ref<ICatItemProfileCol> ProfilesToSort() {
  auto profiles = MakeRef<ICatItemProfileCol>();
  const auto add = [&](std::string_view tag, Long type, std::string_view description,
                       std::string_view group, std::string_view part_type,
                       std::string_view generic_id, std::string_view manufacturer,
                       std::string_view key) {
    profiles->Add(description, group, part_type, "", generic_id, manufacturer, tag, key)
        ->SetItemType(type);
  };
  add("p1", 0, "b", "12", "340", "20", "Zeta", "123");
  add("p2", 0, "A", "12", "34", "3", "acme", "alpha");
  add("p3", 1, "a", "1", "9", "1", "Acme", "");
  add("p4", 0, "a", "2", "0", "100", "Beta", "7");
  add("p5", 0, "A", "12", "34", "3", "Acme", "beta");
  add("p6", 10, "z", "", "", "", "", "ten");  // "10..." sorts before "1a", "119", "11..."
  return profiles;
}

TEST(ICatItemProfileColTest, SortByOrdersByTypeThenTheModesFieldsAndRestoresNumericKeys) {
  // Mode → the Tags in sorted order, with the sort keys that give it.
  const std::vector<std::pair<Long, std::string>> orders = {
      {1, "p2 p5 p4 p1 p6 p3 "},   // 0A 0A 0a 0b 10z 1a
      {0, "p2 p5 p4 p1 p6 p3 "},   // as 1
      {3, "p2 p5 p4 p1 p6 p3 "},   // as 1
      {-1, "p2 p5 p4 p1 p6 p3 "},  // as 1
      {5, "p2 p5 p1 p4 p6 p3 "},   // 01234 01234 012340 020 10 119
      {7, "p5 p1 p2 p4 p6 p3 "},   // 012Acme 012Zeta 012acme 02Beta 10 11Acme
      {9, "p4 p1 p2 p5 p6 p3 "},   // 0100 020 03 03 10 11
  };
  for (const auto& [mode, order] : orders) {
    const auto profiles = ProfilesToSort();
    EXPECT_TRUE(profiles->Exists("K#123") && !profiles->Exists("123"));
    profiles->SortBy(mode);
    EXPECT_EQ(TagsInOrder(*profiles), order) << mode;
    EXPECT_EQ(profiles->Item("123")->Tag(), "p1") << mode;
    EXPECT_EQ(profiles->Item("7")->Tag(), "p4") << mode;
    EXPECT_FALSE(profiles->Exists("K#123") || profiles->Exists("K#7"));
    EXPECT_TRUE(profiles->Exists("ALPHA") && profiles->Exists("ten"));
  }

  auto empty = MakeRef<ICatItemProfileCol>();
  empty->SortBy(1);
  EXPECT_EQ(empty->Count(), 0);
}

TEST(ICatItemProfileColTest, KeyMetTwiceInTheRefillRaisesAndLeavesTheCollectionAsItWas) {
  LogFolderScope folder;
  InFreshThread([&] {
    const auto profiles = ProfilesToSort();
    profiles->Item("beta")->SetKey("ALPHA");  // collides with p2's key, letter case aside
    const auto [number, message] = ErrorOf([&] { profiles->SortBy(1); });
    EXPECT_EQ(number, kDuplicateKey);
    EXPECT_TRUE(message.starts_with("ICatItemProfileCol | SortBy, Error # 457 at line: 0\r\n"))
        << message;
    EXPECT_NE(testing::ReadFile(folder.ErrorLog()).find("ICatItemProfileCol | SortBy"),
              std::string::npos);
    EXPECT_EQ(TagsInOrder(*profiles), "p1 p2 p3 p4 p5 p6 ");
    EXPECT_TRUE(profiles->Exists("K#123") && profiles->Exists("beta") && profiles->Exists("K#7"));
    EXPECT_FALSE(profiles->Exists("123"));
  });
}

}  // namespace
}  // namespace lombar
