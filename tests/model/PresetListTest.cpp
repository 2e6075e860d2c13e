#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "TestSupport.h"
#include "frame/Dispatch.h"
#include "lombar/ICatListCol.h"
#include "lombar/ICatPresetCol.h"

namespace lombar {
namespace {

using testing::ErrorOf;
using testing::InFreshThread;
using testing::LogFolderScope;

std::string ListColXml(std::string_view count, std::string_view members,
                       std::string_view vehicle = "") {
  return "<ICatListCol><Count>" + std::string(count) + "</Count><Collection>" +
         std::string(members) + "</Collection>" + std::string(vehicle) + "</ICatListCol>";
}

TEST(ICatListColTest, ListsWithoutAKeyAreKeptUnderTheirIdAboveZero) {
  LogFolderScope folder;
  InFreshThread([] {
    auto lists = MakeRef<ICatListCol>();
    std::string key;
    const auto seven = lists->Add("Brakes", 7, key);
    EXPECT_EQ(std::tuple(key, lists->Item("i#7")), std::tuple("I#7", seven));
    key.clear();
    lists->Add("Misc", 0, key);
    lists->Add("Old", -3, key);
    EXPECT_EQ(std::tuple(key, lists->Count()), std::tuple("", 3));
    EXPECT_EQ(ErrorOf([&] { lists->Item("I#0"); }).first, kInvalidProcedureCall);
    key = "Mine";
    lists->Add("Own", 8, key);
    EXPECT_EQ(std::tuple(key, lists->Exists("I#8")), std::tuple("Mine", false));
    // A duplicate is dropped silently, but the caller still learns the derived key.
    key.clear();
    EXPECT_NE(lists->Add("Again", 7, key), seven);
    EXPECT_EQ(std::tuple(key, lists->Count()), std::tuple("I#7", 4));
  });
  EXPECT_FALSE(std::filesystem::exists(folder.ErrorLog()));
}

TEST(ICatPresetColTest, PresetsTakeTheCallersKeyAndTheJoinedFieldsOnLoad) {
  auto presets = MakeRef<ICatPresetCol>();
  const auto plugs = presets->Add("Ignition", "Plugs", "Platinum", "SparkPlugs");
  presets->Add("Ignition", "Wires", "", "");  // no key is derived
  EXPECT_EQ(std::tuple(presets->Item("sparkplugs"), presets->Exists("IgnitionWires")),
            std::tuple(plugs, false));

  presets->SetXML(presets->XML());
  EXPECT_TRUE(presets->Exists("ignitionplugsplatinum") && presets->Exists("IgnitionWires"));
  // Two presets with the same three fields load as one; an all-empty preset has no key.
  const std::string spark =
      "<ICatPreset><Category>Spark</Category><Group>Plugs</Group></ICatPreset>";
  presets->SetXML("<Count>3</Count>" + spark + spark + "<ICatPreset></ICatPreset>");
  EXPECT_EQ(std::tuple(presets->Count(), presets->Item("sparkplugs")->Group(),
                       presets->Item(Long{2})->Category(), presets->Exists("")),
            std::tuple(2, "Plugs", "", false));
}

TEST(ICatPresetColTest, XmlCarriesTheVehicleOnlyWithMembers) {
  InFreshThread([] {
    auto presets = MakeRef<ICatPresetCol>();
    presets->Vehicle()->SetMake("Acme");
    EXPECT_EQ(presets->XML(), "");
    presets->Add("Spark", "", "", "");
    // The member follows the thread's switches (off here); the collection compresses.
    const std::string xml = presets->XML();
    EXPECT_EQ(xml,
              "<ICatPresetCol><Count>1</Count><Collection><ICatPreset><Category>Spark</Category>"
              "<Group></Group><Description></Description></ICatPreset></Collection>"
              "<Vehicle><Make>Acme</Make></Vehicle></ICatPresetCol>");
    auto copy = MakeRef<ICatPresetCol>();
    const Ref<ICatVehicle> replaced = copy->Vehicle();
    copy->SetXML(xml);
    EXPECT_EQ(std::tuple(copy->XML(), copy->Vehicle() == replaced), std::tuple(xml, false));

    EXPECT_EQ(MakeRef<ICatList>()->XML(), "<ICatList></ICatList>");
    auto lists = MakeRef<ICatListCol>();
    std::string key;
    lists->Add("Misc", 0, key);
    lists->Add("A & B", 42, key);
    auto vehicle = MakeRef<ICatVehicle>();
    vehicle->Specs()->Add("GRP", 7, MakeRef<ICatInfoCol>());
    lists->SetVehicle(vehicle);
    const std::string list_xml = lists->XML();
    EXPECT_EQ(list_xml, ListColXml("2",
                                   "<ICatList><Heading>Misc</Heading></ICatList><ICatList><ListID>"
                                   "42</ListID><Heading>A &amp; B</Heading></ICatList>",
                                   "<Vehicle><ICatSpecCol><Count>1</Count><Collection>"
                                   "<Spec><Type>GRP</Type><Group>7</Group></Spec></Collection>"
                                   "</ICatSpecCol></Vehicle>"));
    auto list_copy = MakeRef<ICatListCol>();
    list_copy->SetXML(list_xml);
    EXPECT_EQ(std::tuple(list_copy->XML(), list_copy->Item("I#42")->Heading()),
              std::tuple(list_xml, "A & B"));
  });
}

TEST(ICatListColTest, BadXmlGivesWhatTheReaderFindsOrTheErrorAndKeepsEarlierLists) {
  LogFolderScope folder;
  InFreshThread([] {
    auto list = MakeRef<ICatList>();
    const auto id_read = [&](std::string_view id) {
      list->SetXML("<ICatList><ListID>" + std::string(id) + "</ListID></ICatList>");
      return list->ID();
    };
    EXPECT_EQ(std::tuple(id_read("12.5"), id_read("13.5"), id_read("abc"), id_read(" 9 apples")),
              std::tuple(12, 14, 0, 9));

    auto lists = MakeRef<ICatListCol>();
    const Ref<ICatVehicle> vehicle = lists->Vehicle();
    const std::string good = "<ICatList><ListID>1</ListID></ICatList>";
    const std::string huge = "<ICatList><ListID>3000000000</ListID></ICatList>";
    EXPECT_EQ(ErrorOf([&] { lists->SetXML(ListColXml("3", good + huge + good)); }).second,
              "ICatListCol | Let XML, Error # 6 at line: 0\r\n"
              "ICatList | Let XML, Error # 6 at line: 0\r\nOverflow");
    EXPECT_EQ(std::tuple(lists->Count(), lists->Vehicle() == vehicle), std::tuple(1, false));
    EXPECT_EQ(ErrorOf([&] { lists->SetXML(ListColXml("40000", good)); }).first, kOverflow);
    EXPECT_EQ(lists->Count(), 0);
    lists->SetXML(ListColXml("-1", good));
    EXPECT_EQ(lists->Count(), 0);
    // Truncated and wrongly nested text gives what the reader finds.
    lists->SetXML("<ICatListCol><Count>2</Count><ICatList><ListID>5</ListID><Head");
    EXPECT_EQ(std::tuple(lists->Count(), lists->Exists("I#5")), std::tuple(2, false));
    lists->SetXML("<Count>1</Count><ICatList><Heading><ListID>4</ListID></Heading></ICatList>");
    EXPECT_EQ(lists->Item("I#4")->Heading(), "<ListID>4</ListID>");
  });
}

TEST(ICatListColTest, DispatchWritesTheKeyBack) {
  auto lists = MakeRef<ICatListCol>();
  std::vector<Argument> add = {{Variant("Belts"), true}, {Variant("42"), true}, {"", true}};
  const Variant added = Invoke(*lists, MethodId(4), MemberKind::Method, add);
  EXPECT_EQ(add[2].value, Variant("I#42"));
  std::vector<Argument> by_key = {{Variant("i#42")}};
  auto belts = Invoke(*lists, kDispIdValue, MemberKind::Get, by_key).ObjectRef().As<ICatList>();
  std::vector<Argument> none;
  EXPECT_EQ(Invoke(*belts, kDispIdValue, MemberKind::Get, none), Variant("Belts"));

  auto presets = MakeRef<ICatPresetCol>();
  std::vector<Argument> preset = {{"Spark"}, {"Plugs"}, {""}, {"", true}};
  Invoke(*presets, MethodId(4), MemberKind::Method, preset);
  EXPECT_EQ(preset[3].value, Variant(""));  // presets derive no key
}

}  // namespace
}  // namespace lombar
