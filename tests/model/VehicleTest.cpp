#include "lombar/ICatVehicle.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "TestSupport.h"
#include "frame/Dispatch.h"
#include "lombar/Json.h"

namespace lombar {
namespace {

std::string SpecXml(std::string_view type, std::string_view group) {
  return "<Spec><Type>" + std::string(type) + "</Type><Group>" + std::string(group) +
         "</Group></Spec>";
}

TEST(ICatVehicleTest, SpecsAndTheirRecordsAreWrittenInFullAndReadBackInPlace) {
  InFreshThread([] {  // with the thread's XML switches off
    auto vehicle = MakeRef<ICatVehicle>();
    EXPECT_EQ(std::tuple(vehicle->Description(), vehicle->XML()), std::tuple("   ", ""));
    const std::string xml =
        "<Vehicle><AAIA>12345</AAIA><Year>2004</Year><Make>Acme</Make><CurrentMileage>45000"
        "</CurrentMileage><ICatSpecCol><Count>2</Count><Collection><Spec><Type>VEH</Type>"
        "<Group>0</Group><ICatInfoCol><Count>1</Count><Collection><Info Type=\"P\" "
        "Line=\"1\" Code=\"C\" Desc=\"a&amp;b\" Text=\"\" Tag=\"\" Default=\"True\" "
        "Style=\"\" Key=\"K1\"/></Collection></ICatInfoCol></Spec>" +
        SpecXml("GRP", "42") + "</Collection></ICatSpecCol></Vehicle>";
    // XML let reloads the held Specs in place.
    const Ref<ICatSpecCol> held = vehicle->Specs();
    held->Add("OLD", 1, Nothing);
    vehicle->SetXML(xml);
    EXPECT_EQ(vehicle->XML(), xml);
    EXPECT_EQ(std::tuple(vehicle->Specs(), held->Count(), held->Item("grp00042")->Index()),
              std::tuple(held, 2, 2));
    EXPECT_EQ(vehicle->Description(), "2004 Acme  ");  // derived, never written
    std::vector<Argument> none;                        // dispatch reads the derived description too
    EXPECT_EQ(Invoke(*vehicle, PropertyId(2), MemberKind::Get, none).Text(), "2004 Acme  ");
    const auto described = MakeRef<ICatVehicle>();
    described->SetDescription("Shop truck");
    EXPECT_EQ(described->Description(), "Shop truck");

    // A Specs set through dispatch shares the caller's collection, and Add the caller's records.
    auto specs = MakeRef<ICatSpecCol>();
    const auto records = MakeRef<ICatInfoCol>();
    std::vector<Argument> shared = {{Variant(specs), true}};
    Invoke(*vehicle, PropertyId(0), MemberKind::Set, shared);
    std::vector<Argument> add = {{Variant("GRP"), true}, {Variant("12.5"), true}, {records}};
    Invoke(*vehicle->Specs(), MethodId(3), MemberKind::Method, add);
    EXPECT_EQ(specs->Item("grp00012")->Information(), records);
  });
}

TEST(ICatSpecTest, KeyPadsTheGroupAndXmlReadsItWithTheLocaleConversion) {
  auto spec = MakeRef<ICatSpec>();
  std::string keys;
  constexpr Long kLowest = std::numeric_limits<Long>::min();
  const std::pair<const char*, Long> kSpecs[] = {
      {"VEH", 0}, {"GRP", 42}, {"GRP", 123456}, {"GRP", -42}, {"", kLowest}};
  for (const auto& [type, group] : kSpecs) {
    spec->SetTypeX(type);
    spec->SetGroup(group);
    keys += spec->Key() + " ";
  }
  EXPECT_EQ(keys, "VEH00000 GRP00042 GRP123456 GRP-00042 -2147483648 ");

  // A spec of the calling thread's own: the errors are read on a fresh thread.
  const auto group_read = [](std::string_view group) {
    const auto read = MakeRef<ICatSpec>();
    read->SetXML(SpecXml("GRP", group));
    return read->Group();
  };
  EXPECT_EQ(std::tuple(group_read("12.5"), group_read("13.5"), group_read(" 1,024 ")),
            std::tuple(12, 14, 1024));
  // In JSON a number's text that JSON has no form for stays a string.
  EXPECT_NE(JsonOfXml("ICatSpec", SpecXml("GRP", " 1,024 ")).find("\" 1,024 \""), std::string::npos);
  LogFolderScope folder;
  InFreshThread([&] {
    for (const char* bad : {"", "12x", "abc"}) {
      EXPECT_EQ(ErrorOf([&] { group_read(bad); }).second,
                "ICatSpec | Let XML, Error # 13 at line: 0\r\nType mismatch");
    }
    EXPECT_EQ(ErrorOf([&] { group_read("3000000000"); }).first, kOverflow);
  });
}

TEST(ICatSpecColTest, DuplicateKeysAreRefusedThroughTheCommonConvention) {
  LogFolderScope folder;
  InFreshThread([&] {
    auto specs = MakeRef<ICatSpecCol>();
    specs->Add("GRP", 7, Nothing);
    EXPECT_EQ(ErrorOf([&] { specs->Add("GRP", 7, Nothing); }).second,
              "ICatSpecCol | Add, Error # 457 at line: 0\r\n"
              "ICatSpecCol | AddObject, Error # 457 at line: 0\r\n"
              "This key is already associated with an element of this collection");
    const auto second = specs->Add("GRP", 9, Nothing);

    // Index is the position at the append; removals do not update it.
    specs->Remove(Long{1});
    EXPECT_EQ(std::tuple(specs->Count(), specs->Item(Long{1}), second->Index()),
              std::tuple(1, second, 2));
    specs->Clear(true);
    EXPECT_EQ(std::tuple(specs->XML(), specs->Exists(Long{1})), std::tuple("", false));

    // A load ends at a duplicate, or at a spec without a Group, which fails each level it
    // passes; the specs before it stay. A missing member reads the empty block: a cleared spec.
    auto vehicle = MakeRef<ICatVehicle>();
    specs = vehicle->Specs();
    const std::string grp7 = SpecXml("GRP", "7");
    EXPECT_EQ(ErrorOf([&] {
                specs->SetXML("<Count>3</Count>" + grp7 + SpecXml("GRP", "8") + grp7);
              }).first,
              kDuplicateKey);
    EXPECT_EQ(specs->Count(), 2);
    EXPECT_EQ(ErrorOf([&] {
                vehicle->SetXML("<Make>Acme</Make><ICatSpecCol><Count>2</Count>" + grp7 +
                                "<Spec><Type>GRP</Type></Spec></ICatSpecCol>");
              }).second,
              "ICatVehicle | Let XML, Error # 13 at line: 0\r\n"
              "ICatSpecCol | Let XML, Error # 13 at line: 0\r\n"
              "ICatSpec | Let XML, Error # 13 at line: 0\r\nType mismatch");
    EXPECT_EQ(std::tuple(vehicle->Make(), specs->Count()), std::tuple("Acme", 1));
    specs->SetXML("<Count>2</Count>" + grp7);
    EXPECT_EQ(specs->Item(Long{2})->Key(), "00000");
  });
}

}  // namespace
}  // namespace lombar
