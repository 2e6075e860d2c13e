#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "TestSupport.h"
#include "frame/Dispatch.h"
#include "lombar/ICatListCol.h"
#include "lombar/ICatPresetCol.h"

namespace lombar {
namespace {

TEST(ICatListColTest, ListsWithoutAKeyAreKeptUnderTheirIdAboveZeroAndABadIdEndsALoad) {
  LogFolderScope folder;
  InFreshThread([&] {
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
    // The C++ forms return the key the by-reference argument receives.
    EXPECT_EQ(std::tuple(lists->Add("Pads", 9).key, lists->AddObject(MakeRef<ICatList>(), "K").key),
              std::tuple("I#9", "K"));
    lists->Remove("I#9");
    lists->Remove("K");
    // A duplicate is dropped silently, but the caller still learns the derived key,
    // through dispatch too.
    std::vector<Argument> add = {{Variant("Again"), true}, {Variant("7"), true}, {"", true}};
    EXPECT_NE(Invoke(*lists, MethodId(4), MemberKind::Method, add), Variant(seven));
    EXPECT_EQ(std::tuple(add[2].value, lists->Count()), std::tuple(Variant("I#7"), 4));
    EXPECT_FALSE(std::filesystem::exists(folder.ErrorLog()));

    // Always compressed: read back, written the same, the key derived on load.
    const std::string xml =
        "<ICatListCol><Count>2</Count><Collection><ICatList><Heading>Misc</Heading>"
        "</ICatList><ICatList><ListID>42</ListID><Heading>A &amp; B</Heading></ICatList>"
        "</Collection><Vehicle><Year>1999</Year></Vehicle></ICatListCol>";
    auto written = MakeRef<ICatListCol>();
    written->SetXML(xml);
    EXPECT_EQ(std::tuple(written->XML(), written->Item("I#42")->Heading()),
              std::tuple(xml, "A & B"));

    // IDs are rounded half to even; one beyond 32 bits ends a load.
    auto list = MakeRef<ICatList>();
    const auto id_read = [&](std::string_view id) {
      list->SetXML("<ICatList><ListID>" + std::string(id) + "</ListID></ICatList>");
      return list->ID();
    };
    EXPECT_EQ(std::tuple(id_read("12.5"), id_read("13.5"), id_read("abc"), id_read(" 9 apples")),
              std::tuple(12, 14, 0, 9));

    const Ref<ICatVehicle> vehicle = lists->Vehicle();
    const std::string good = "<ICatList><ListID>1</ListID></ICatList>";
    const std::string huge = "<ICatList><ListID>3000000000</ListID></ICatList>";
    EXPECT_EQ(
        ErrorOf([&] { lists->SetXML("<Count>3</Count><Collection>" + good + huge + good); }).second,
        "ICatListCol | Let XML, Error # 6 at line: 0\r\n"
        "ICatList | Let XML, Error # 6 at line: 0\r\nOverflow");
    EXPECT_EQ(std::tuple(lists->Count(), lists->Vehicle() == vehicle), std::tuple(1, false));
  });
}

TEST(ICatPresetColTest, PresetsTakeTheCallersKeyOrOnLoadTheirJoinedFields) {
  InFreshThread([] {
    auto presets = MakeRef<ICatPresetCol>();
    presets->Vehicle()->SetMake("Acme");
    EXPECT_EQ(presets->XML(), "");  // not even the vehicle
    const auto plugs = presets->Add("Ignition", "Plugs", "Platinum", "SparkPlugs");
    presets->Add("Ignition", "Wires", "", "");  // no key is derived
    EXPECT_EQ(std::tuple(presets->Item("sparkplugs"), presets->Exists("IgnitionWires")),
              std::tuple(plugs, false));

    // On load the key joins the three fields: two presets with the same ones load as one; an
    // all-empty preset has no key.
    const std::string spark =
        "<ICatPreset><Category>Spark</Category><Group>Plugs</Group>"
        "<Description>Hot</Description></ICatPreset>";
    presets->SetXML("<Count>3</Count>" + spark + spark + "<ICatPreset></ICatPreset>");
    EXPECT_EQ(std::tuple(presets->Count(), presets->Item("sparkplugshot")->Group(),
                         presets->Item(Long{2})->Category(), presets->Exists("")),
              std::tuple(2, "Plugs", "", false));
    presets->Remove(Long{1});
    presets->Vehicle()->SetMake("Acme");
    // The member follows the thread's switches (off here); the collection compresses.
    EXPECT_EQ(presets->XML(),
              "<ICatPresetCol><Count>1</Count><Collection><ICatPreset><Category></Category>"
              "<Group></Group><Description></Description></ICatPreset></Collection>"
              "<Vehicle><Make>Acme</Make></Vehicle></ICatPresetCol>");
  });
}

}  // namespace
}  // namespace lombar
