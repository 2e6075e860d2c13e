#include "lombar/ICatVehicle.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "TestSupport.h"
#include "frame/DiagnosticLog.h"
#include "frame/Dispatch.h"
#include "model/support/ModelState.h"

namespace lombar {
namespace {

using testing::ErrorOf;
using testing::InFreshThread;
using testing::LogFolderScope;

// Runs `action` on a fresh thread with these XML switches.
template <class Action>
void WithSwitches(bool compress, bool zero_suppress, Action&& action) {
  InFreshThread([&] {
    ThreadModel().compress = compress;
    ThreadModel().zero_suppress = zero_suppress;
    action();
  });
}

Ref<ICatInfoCol> Records(int count) {
  auto records = MakeRef<ICatInfoCol>();
  for (int i = 1; i <= count; ++i)
    records->Add("P", std::to_string(i), "C", "a&b", "", "", i == 1, "", "K" + std::to_string(i));
  return records;
}

// A vehicle with a spec of one record (VEH when `first_group` is 0) and GRP 42 of two.
Ref<ICatVehicle> Roadster(Long first_group) {
  auto vehicle = MakeRef<ICatVehicle>();
  vehicle->SetAAIA("12345");
  vehicle->SetYear("2004");
  vehicle->SetMake("Acme");
  vehicle->SetCurrentMileage("45000");
  vehicle->Specs()->Add(first_group == 0 ? "VEH" : "GRP", first_group, Records(1));
  vehicle->Specs()->Add("GRP", 42, Records(2));
  return vehicle;
}

std::string SpecXml(std::string_view type, std::string_view group, std::string_view info = "") {
  return "<Spec><Type>" + std::string(type) + "</Type><Group>" + std::string(group) + "</Group>" +
         std::string(info) + "</Spec>";
}

TEST(ICatVehicleTest, DescriptionIsDerivedAndAnEmptyVehicleWritesNothing) {
  WithSwitches(false, false, [] {
    auto vehicle = MakeRef<ICatVehicle>();
    EXPECT_EQ(std::tuple(vehicle->Description(), vehicle->XML()), std::tuple("   ", ""));
    vehicle->SetYear("1999");
    EXPECT_EQ(vehicle->Description(), "1999   ");
    vehicle->SetMake("Acme");
    vehicle->SetModel("Roadster");
    vehicle->SetEngine("2.0L");
    EXPECT_EQ(vehicle->Description(), "1999 Acme Roadster 2.0L");
    EXPECT_EQ(vehicle->XML(),
              "<Vehicle><Year>1999</Year><Make>Acme</Make><Model>Roadster</Model>"
              "<Engine>2.0L</Engine></Vehicle>");

    // XML let reloads the held Specs in place.
    vehicle->SetCurrentMileage("45000");
    auto copy = MakeRef<ICatVehicle>();
    const Ref<ICatSpecCol> held = copy->Specs();
    held->Add("VEH", 0, Nothing);
    copy->SetXML(vehicle->XML());
    EXPECT_EQ(std::tuple(copy->CurrentMileage(), copy->Specs(), held->Count()),
              std::tuple("45000", held, 0));
  });
}

TEST(ICatVehicleTest, TwoSpecsWithInfoRecordsAreWrittenInFullAndReadBackUnderTheirKeys) {
  const auto info_xml = [](int count) {
    std::string records;
    for (int i = 1; i <= count; ++i) {
      records += R"(<Info Type="P" Line=")" + std::to_string(i) +
                 R"(" Code="C" Desc="a&amp;b" Text="" Tag="" Default=")" +
                 (i == 1 ? "True" : "False") + R"(" Style="" Key="K)" + std::to_string(i) + "\"/>";
    }
    return "<ICatInfoCol><Count>" + std::to_string(count) + "</Count><Collection>" + records +
           "</Collection></ICatInfoCol>";
  };
  WithSwitches(false, false, [&] {
    const std::string xml = Roadster(0)->XML();
    EXPECT_EQ(xml,
              "<Vehicle><AAIA>12345</AAIA><Year>2004</Year><Make>Acme</Make><CurrentMileage>45000"
              "</CurrentMileage><ICatSpecCol><Count>2</Count><Collection>" +
                  SpecXml("VEH", "0", info_xml(1)) + SpecXml("GRP", "42", info_xml(2)) +
                  "</Collection></ICatSpecCol></Vehicle>");
    auto copy = MakeRef<ICatVehicle>();
    copy->SetXML(xml);
    const Ref<ICatSpec> group = copy->Specs()->Item("grp00042");
    EXPECT_EQ(std::tuple(group->Index(), group->Information()->Item("k2")->Line()),
              std::tuple(2, "2"));
  });
  WithSwitches(true, true, [] {
    // A group 0 is suppressed as a zero, so it cannot be read back.
    EXPECT_EQ(ErrorOf([&] { MakeRef<ICatVehicle>()->SetXML(Roadster(0)->XML()); }).first,
              kTypeMismatch);
  });
}

TEST(ICatSpecTest, KeyPadsTheGroupAndXmlReadsItWithTheLocaleConversion) {
  auto spec = MakeRef<ICatSpec>();
  std::string keys;
  for (const auto& [type, group] : {std::pair{"VEH", 0},
                                    {"GRP", 42},
                                    {"GRP", 123456},
                                    {"GRP", -42},
                                    {"", std::numeric_limits<Long>::min()}}) {
    spec->SetTypeX(type);
    spec->SetGroup(group);
    keys += spec->Key() + " ";
  }
  EXPECT_EQ(keys, "VEH00000 GRP00042 GRP123456 GRP-00042 -2147483648 ");

  const auto group_read = [&](std::string_view group) {
    spec->SetXML("<Spec><Type>GRP</Type><Group>" + std::string(group) + "</Group></Spec>");
    return spec->Group();
  };
  EXPECT_EQ(std::tuple(group_read("12.5"), group_read("13.5"), group_read(" 1,024 ")),
            std::tuple(12, 14, 1024));
  LogFolderScope folder;
  InFreshThread([&] {
    for (const char* bad : {"", "12x", "abc"}) {
      EXPECT_EQ(ErrorOf([&] { group_read(bad); }).second,
                "ICatSpec | Let XML, Error # 13 at line: 0\r\nType mismatch");
    }
    EXPECT_EQ(spec->TypeX(), "GRP");  // what was read before the failure stays
    EXPECT_EQ(ErrorOf([&] { spec->SetXML("<Type>VEH</Type>"); }).first, kTypeMismatch);
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
    specs->Add("VEH", 0, Nothing);
    EXPECT_EQ(ErrorOf([&] { specs->Add("veh", 0, Nothing); }).first, kDuplicateKey);
    const auto third = specs->Add("GRP", 9, Nothing);
    const std::size_t logged = folder.ErrorLines().size();

    // Index is the position at the append; removals do not update it.
    specs->Remove(Long{1});
    EXPECT_EQ(std::tuple(specs->Count(), specs->Item(Long{1})->Index(), third->Index()),
              std::tuple(2, 2, 3));
    EXPECT_EQ(ErrorOf([&] { specs->Item("GRP00007"); }).first, kInvalidProcedureCall);
    EXPECT_EQ(ErrorOf([&] { specs->Remove(Long{3}); }).first, kSubscriptOutOfRange);
    EXPECT_EQ(folder.ErrorLines().size(), logged);  // neither is logged
    specs->Clear(true);
    EXPECT_EQ(std::tuple(specs->XML(), specs->Exists(Long{1})), std::tuple("", false));
  });
}

TEST(ICatSpecColTest, BadXmlGivesWhatTheReaderFindsOrTheErrorAndKeepsEarlierSpecs) {
  LogFolderScope folder;
  WithSwitches(false, false, [] {
    auto vehicle = MakeRef<ICatVehicle>();
    const Ref<ICatSpecCol> specs = vehicle->Specs();
    const auto load = [&](std::string_view count, const std::string& members) {
      specs->SetXML("<ICatSpecCol><Count>" + std::string(count) + "</Count>" + members);
    };
    const std::string grp7 = SpecXml("GRP", "7");
    EXPECT_EQ(ErrorOf([&] { load("3", grp7 + SpecXml("GRP", "8") + grp7); }).first, kDuplicateKey);
    EXPECT_EQ(specs->Count(), 2);
    // A spec without a Group fails at each level it passes; the specs before it stay.
    EXPECT_EQ(ErrorOf([&] {
                vehicle->SetXML("<Make>Acme</Make><ICatSpecCol><Count>2</Count>" + grp7 +
                                "<Spec><Type>GRP</Type></Spec></ICatSpecCol>");
              }).second,
              "ICatVehicle | Let XML, Error # 13 at line: 0\r\n"
              "ICatSpecCol | Let XML, Error # 13 at line: 0\r\n"
              "ICatSpec | Let XML, Error # 13 at line: 0\r\nType mismatch");
    EXPECT_EQ(std::tuple(vehicle->Make(), specs->Count()), std::tuple("Acme", 1));

    EXPECT_EQ(ErrorOf([&] { load("40000", grp7); }).first, kOverflow);
    EXPECT_EQ(specs->Count(), 0);
    load("-3", grp7);
    EXPECT_EQ(specs->Count(), 0);
    load("2", grp7);  // a missing member reads the empty block: a cleared spec
    EXPECT_EQ(specs->Item(Long{2})->Key(), "00000");
    load("1", "<Spec><Group>5</Group><Type>GRP</Spec>");  // Type is never closed
    EXPECT_EQ(specs->Item(Long{1})->Key(), "00005");
    load("1", R"(<Spec><Group>3</Group><ICatInfoCol><Count>1</Count><Info Key="K" Type="T"/>)");
    const Ref<ICatInfo> record = specs->Item(Long{1})->Information()->Item(Long{1});
    EXPECT_EQ(std::tuple(record->TypeX(), record->Key()), std::tuple("T", ""));
  });
}

TEST(ICatVehicleTest, TracedOperationsWriteTheirLines) {
  LogFolderScope folder;
  folder.SwitchTraceOn();
  InFreshThread([] {
    FileLogInit();
    auto vehicle = MakeRef<ICatVehicle>();
    vehicle->Clear();  // traces only the collection's Clear
    vehicle->SetXML(vehicle->XML());
  });
  EXPECT_EQ(folder.TraceLines(),
            (std::vector<std::string>{
                "ICatVehicle | Class_Initialize", "ICatSpecCol | Clear", "ICatSpecCol | Clear",
                "ICatVehicle | Get XML", "ICatSpecCol | Get XML", "ICatVehicle | Let XML",
                "ICatSpecCol | Clear", "ICatVehicle | Class_Terminate", "ICatSpecCol | Clear"}));
}

TEST(ICatVehicleTest, DispatchSharesObjects) {
  auto vehicle = MakeRef<ICatVehicle>();
  auto specs = MakeRef<ICatSpecCol>();
  std::vector<Argument> shared = {{Variant(specs), true}};
  Invoke(*vehicle, PropertyId(0), MemberKind::Set, shared);
  const auto records = Records(1);
  std::vector<Argument> add = {{Variant("GRP"), true}, {Variant("12.5"), true}, {records}};
  const Variant spec = Invoke(*vehicle->Specs(), MethodId(3), MemberKind::Method, add);
  std::vector<Argument> by_key = {{Variant("grp00012")}};
  EXPECT_EQ(Invoke(*specs, kDispIdValue, MemberKind::Get, by_key), spec);
  EXPECT_EQ(specs->Item(Long{1})->Information(), records);
  std::vector<Argument> index = {{Variant(Long{3})}};
  EXPECT_EQ(
      ErrorOf([&] { Invoke(*specs->Item(Long{1}), PropertyId(1), MemberKind::Let, index); }).first,
      kMemberNotSupported);  // only the collection sets Index
}

}  // namespace
}  // namespace lombar
