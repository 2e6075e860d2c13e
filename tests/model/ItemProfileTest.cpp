#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "frame/Dispatch.h"
#include "lombar/ICatItemProfileCol.h"
#include "model/support/CollectionXml.h"

namespace lombar {
namespace {

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

// The Tags of the members in order.
std::string TagsInOrder(const ICatItemProfileCol& profiles) {
  std::string tags;
  for (const Ref<ICatItemProfile>& profile : profiles.Members())
    tags.append(profile->Tag()).append(" ");
  return tags;
}

TEST(ICatItemProfileTest, AnXmlLetWithoutTheTypeResetsItThoughClearKeepsIt) {
  const auto profile = MakeRef<ICatItemProfile>();
  profile->SetItemType(qcit_Labor);
  profile->SetXML("<ItemProfile><Tag>d</Tag></ItemProfile>");
  EXPECT_EQ(profile->ItemType(), 0);
}

TEST(ICatItemProfileTest, LikeTypeAndLikeManufacturerDecisionTables) {
  // LikeType: the description in upper case first, whatever the types; then
  // the same type with the same group and part type code, or the same
  // generic id when it reads as a number above 0. LikeManufacturer: the
  // group number exactly and the manufacturer in upper case.
  enum Question { kType, kManufacturer };
  // clang-format off
  const std::vector<std::tuple<Question, Ref<ICatItemProfile>, Ref<ICatItemProfile>, bool>> rows = {
      {kType, Profile(0, "Oil Filter", "1", "2"), Profile(1, "OIL FILTER", "3", "4"), true},
      {kType, Profile(0, "bougie é"), Profile(0, "BOUGIE É"), true},
      {kType, Profile(0, ""), Profile(2, ""), true},
      {kType, Profile(0, "a", "12", "340"), Profile(1, "b", "12", "340"), false},
      {kType, Profile(0, "a", "12", "340"), Profile(0, "b", "12", "340"), true},
      {kType, Profile(0, "a", "12", "340", "0"), Profile(0, "b", "12", "341", "0"), false},
      {kType, Profile(0, "a", "1", "", "12"), Profile(0, "b", "2", "", "12"), true},
      {kType, Profile(0, "a", "1", "", "7x"), Profile(0, "b", "2", "", "7x"), true},
      {kType, Profile(0, "a", "1", "", "abc"), Profile(0, "b", "2", "", "abc"), false},
      {kManufacturer, Profile(0, "a", "12", "", "", "Acme"), Profile(2, "b", "12", "9", "", "ACME"), true},
      {kManufacturer, Profile(0, "", "12", "", "", "zé"), Profile(0, "", "12", "", "", "ZÉ"), true},
      {kManufacturer, Profile(0, "", "12", "", "", "Acme"), Profile(0, "", "012", "", "", "Acme"), false},
      {kManufacturer, Profile(0, "", "12", "", "", "Acme"), Profile(0, "", "12", "", "", "Acme "), false},
  };
  // clang-format on
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const auto& [question, mine, theirs, expected] = rows[row];
    EXPECT_EQ(question == kType ? mine->LikeType(theirs) : mine->LikeManufacturer(theirs), expected)
        << "row " << row;
  }
  EXPECT_FALSE(Profile(0, "")->LikeType(Nothing) || Profile(0, "")->LikeManufacturer(Nothing));
}

TEST(ICatItemProfileColTest, NumericKeysAreHeldUnderKHashAndDuplicatesDroppedSilently) {
  auto profiles = MakeRef<ICatItemProfileCol>();
  const auto numeric = profiles->Add("d", "g", "p", "gd", "1", "m", "t", "123");
  const auto text = profiles->Add("d", "g", "p", "gd", "1", "m", "t", "12abc");
  EXPECT_EQ(std::tuple(numeric->Key(), profiles->Item("K#123"), profiles->Exists("123")),
            std::tuple("123", numeric, false));
  EXPECT_EQ(std::tuple(profiles->Item("12abc"), profiles->Item(Long{1})),
            std::tuple(text, numeric));

  EXPECT_TRUE(profiles->Add("", "", "", "", "", "", "", "12ABC"));
  EXPECT_EQ(profiles->Count(), 2);
  EXPECT_TRUE(profiles->AddObject(Nothing).IsNothing());

  // Add without its key and AddObject of a profile without one add unkeyed members.
  std::vector<Argument> add(7, Argument{Variant("")});
  Invoke(*profiles, MethodId(4), MemberKind::Method, add);
  const auto unkeyed = MakeRef<ICatItemProfile>();
  EXPECT_EQ(profiles->AddObject(unkeyed), unkeyed);
  EXPECT_TRUE(profiles->Count() == 4 && !profiles->Exists(""));
}

TEST(ICatItemProfileColTest, XmlFollowsTheSwitchesAndALetReadsKeysByTheKeyRule) {
  InFreshThread([] {
    XmlSwitches::OfThread() = {true, true};
    auto profiles = MakeRef<ICatItemProfileCol>();
    profiles->Add("Plug", "", "", "", "", "", "", "55");
    profiles->Add("Wire", "", "", "", "", "", "", "w");
    const std::string xml = profiles->XML();
    EXPECT_EQ(xml.find("<GroupNumber>"), std::string::npos);  // the members' empty leaves go
    auto loaded = MakeRef<ICatItemProfileCol>();
    loaded->Add("Old", "", "", "", "", "", "", "");
    loaded->SetXML(xml);
    EXPECT_EQ(std::tuple(loaded->Count(), loaded->Item("K#55")->Description()),
              std::tuple(2, "Plug"));
  });
}

// The members of the sorting tests, named by their Tags. Each key is the
// decimal ItemType followed by the fields of the mode, compared as binary text.
Ref<ICatItemProfileCol> ProfilesToSort() {
  auto profiles = MakeRef<ICatItemProfileCol>();
  // description, group, part type, generic description, generic id, manufacturer, tag, key
  profiles->Add("b", "12", "340", "", "20", "Zeta", "p1", "123");
  profiles->Add("A", "12", "34", "", "3", "acme", "p2", "alpha");
  profiles->Add("a", "1", "9", "", "1", "Acme", "p3", "")->SetItemType(qcit_Labor);
  profiles->Add("a", "2", "0", "", "100", "Beta", "p4", "7");
  profiles->Add("A", "12", "34", "", "3", "Acme", "p5", "beta");
  // "10..." sorts before "1a", "119", "11..."
  profiles->Add("z", "", "", "", "", "", "p6", "ten")->SetItemType(10);
  return profiles;
}

TEST(ICatItemProfileColTest, SortByOrdersByTypeThenTheModesFieldsAndRestoresNumericKeys) {
  // Mode → the Tags in sorted order, with the sort keys that give it.
  const std::vector<std::pair<Long, std::string>> orders = {
      {1, "p2 p5 p4 p1 p6 p3 "},   // 0A 0A 0a 0b 10z 1a
      {0, "p2 p5 p4 p1 p6 p3 "},   // as 1
      {-1, "p2 p5 p4 p1 p6 p3 "},  // as 1
      {5, "p2 p5 p1 p4 p6 p3 "},   // 01234 01234 012340 020 10 119
      {7, "p5 p1 p2 p4 p6 p3 "},   // 012Acme 012Zeta 012acme 02Beta 10 11Acme
      {9, "p4 p1 p2 p5 p6 p3 "},   // 0100 020 03 03 10 11
  };
  LogFolderScope folder;
  InFreshThread([&] {
    for (const auto& [mode, order] : orders) {
      const auto profiles = ProfilesToSort();
      profiles->SortBy(mode);
      EXPECT_EQ(TagsInOrder(*profiles), order) << mode;
      EXPECT_EQ(std::tuple(profiles->Item("123")->Tag(), profiles->Item("7")->Tag()),
                std::tuple("p1", "p4"));
      EXPECT_FALSE(profiles->Exists("K#123") || profiles->Exists("K#7"));
      EXPECT_TRUE(profiles->Exists("ALPHA") && profiles->Exists("ten"));
    }

    // A key met twice in the refill is an error that leaves the collection as it was.
    const auto profiles = ProfilesToSort();
    profiles->Item("beta")->SetKey("ALPHA");  // collides with p2's key, letter case aside
    EXPECT_EQ(ErrorOf([&] { profiles->SortBy(1); }).first, kDuplicateKey);
    EXPECT_NE(testing::ReadFile(folder.ErrorLog()).find("ICatItemProfileCol | SortBy, Error # 457"),
              std::string::npos);
    EXPECT_EQ(TagsInOrder(*profiles), "p1 p2 p3 p4 p5 p6 ");
    EXPECT_TRUE(profiles->Exists("K#123") && profiles->Exists("beta") && !profiles->Exists("123"));
  });
}

}  // namespace
}  // namespace lombar
