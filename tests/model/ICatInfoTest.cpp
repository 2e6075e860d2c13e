#include "lombar/ICatInfo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "frame/Dispatch.h"
#include "lombar/Enumerator.h"
#include "lombar/ICatInfoCol.h"

namespace lombar {
namespace {

Ref<ICatInfo> Record(std::string_view key, bool is_default = false) {
  auto record = MakeRef<ICatInfo>();
  record->SetKey(key);
  record->SetDefault(is_default);
  return record;
}

Ref<ICatInfo> AddKeyed(ICatInfoCol& records, std::string_view key, bool is_default = false) {
  return records.Add("T", "L", "C", "D", "X", "G", is_default, "S", key);
}

constexpr std::string_view kEscaped =
    R"(<Info Type="P" Line="a&amp;b" Code="x&lt;y" Desc="say &quot;hi&quot;" )"
    R"(Text="it&apos;s" Tag="t&gt;" Default="True" Style="Bold" Key="K1"/>)";

TEST(ICatInfoTest, XmlCarriesEveryValueButIndexAsAnEscapedAttribute) {
  auto record = MakeRef<ICatInfo>();
  record->SetIndex(4);
  record->SetXML(kEscaped);
  EXPECT_EQ(std::tuple(record->XML(), record->Index()), std::tuple(kEscaped, 0));
  // Only the four-letter spellings of TRUE read as true.
  for (const char* text : {"TRUE", "True", "true", "tRuE", "-1", "Yes", " TRUE", "False", ""}) {
    record->SetXML(std::string(R"(<Info Type="P" Default=")") + text + "\"/>");
    EXPECT_EQ(record->Default(), std::string_view(text).size() == 4) << text;
  }
}

TEST(ICatInfoColTest, RecordsAreKeptUnderTheirKeyAndDuplicatesDroppedSilently) {
  LogFolderScope folder;
  InFreshThread([&] {
    auto records = MakeRef<ICatInfoCol>();
    const auto first = AddKeyed(*records, "K1");
    const auto duplicate = AddKeyed(*records, "k1", true);
    // Returned though dropped, with the Count after the append as its Index.
    EXPECT_TRUE(duplicate && duplicate != first && duplicate->Index() == 1);
    const auto unkeyed = AddKeyed(*records, "", true);
    EXPECT_EQ(std::tuple(unkeyed->Index(), records->Exists("")), std::tuple(2, false));

    // An empty key takes the record's own, written back through dispatch.
    const auto third = Record("K3", true);
    std::vector<Argument> args = {{Variant(third)}, {Variant(""), true}};
    EXPECT_EQ(Invoke(*records, MethodId(5), MemberKind::Method, args), Variant(third));
    EXPECT_EQ(args[1].value, Variant("K3"));
    std::string key = "Other";
    records->AddObject(Record("K4"), key);
    EXPECT_TRUE(records->Exists("other") && !records->Exists("K4"));
    EXPECT_EQ(records->AddObject(Record("K5")).key, "K5");  // the C++ form returns it
    records->Remove("K5");
    EXPECT_TRUE(records->AddObject(Nothing, key).IsNothing());
    EXPECT_EQ(std::tuple(records->Count(), records->DefaultCode()), std::tuple(4, unkeyed));

    records->Remove(Long{1});
    EXPECT_EQ(records->NewEnum()->Next(1), std::vector<Variant>{unkeyed});
    EXPECT_EQ(unkeyed->Index(), 2);  // positions given at the append stay
    EXPECT_EQ(ErrorOf([&] { records->Item("K1"); }).first, kInvalidProcedureCall);

    records->Clear(false);
    EXPECT_EQ(std::tuple(records->Count(), third->Key()), std::tuple(0, "K3"));  // released only
    records->Clear(true);
    EXPECT_FALSE(records->Exists(Long{1}));
    EXPECT_EQ(ErrorOf([&] { records->Count(); }).first, kObjectNotSet);
    EXPECT_EQ(ErrorOf([&] { records->NewEnum(); }).first, kObjectNotSet);
    EXPECT_FALSE(std::filesystem::exists(folder.ErrorLog()));  // none of the above is logged

    EXPECT_EQ(ErrorOf([&] { AddKeyed(*records, "K"); }).second,
              "ICatInfoCol | Add, Error # 91 at line: 0\r\n"
              "ICatInfoCol | AddObject, Error # 91 at line: 0\r\n"
              "Object variable or With block variable not set");
    EXPECT_EQ(ErrorOf([&] { records->DefaultCode(); }).first, kObjectNotSet);
    EXPECT_EQ(folder.ErrorLines().size(), 3u);  // by Add, AddObject and DefaultCode
  });
}

TEST(ICatInfoColTest, XmlHoldsTheRecordsAndLetTakesThemByPosition) {
  LogFolderScope folder;
  auto records = MakeRef<ICatInfoCol>();
  std::string key;
  records->AddObject(MakeRef<ICatInfo>(), key)->SetXML(kEscaped);
  AddKeyed(*records, "");
  EXPECT_EQ(records->XML(), "<ICatInfoCol><Count>2</Count><Collection>" + std::string(kEscaped) +
                                R"(<Info Type="T" Line="L" Code="C" Desc="D" Text="X" Tag="G" )"
                                R"(Default="False" Style="S" Key=""/></Collection></ICatInfoCol>)");
  // Members are taken by position: a missing one loads as an empty record; a repeated key drops.
  records->SetXML(R"(<Count>3</Count><Info Type="A" Key="X"/><Info Type="B" Key="x"/>)");
  EXPECT_EQ(std::tuple(records->Count(), records->Item(Long{2})->TypeX(),
                       records->Item(Long{2})->Index()),
            std::tuple(2, "", 2));
  for (const auto& [count, loads] : {std::pair{"abc", 0}, {"-1", 0}, {"2.5", 2}, {" 1x", 1}}) {
    records->SetXML(std::string("<Count>") + count + "</Count><Info Type=\"A\"/>");
    EXPECT_EQ(records->Count(), loads) << count;
  }
  EXPECT_EQ(ErrorOf([&] { records->SetXML("<Count>40000</Count>"); }).second,
            "ICatInfoCol | Let XML, Error # 6 at line: 0\r\nOverflow");
  EXPECT_EQ(records->Count(), 0);  // emptied before the count was read
  // A host's range over the empty members keeps them: a Let XML loads into new ones.
  const auto held = records->Members();
  records->SetXML(R"(<Count>1</Count><Info Type="A"/>)");
  EXPECT_EQ(std::pair(held.begin() == held.end(), records->Count()), std::pair(true, 1));
  // The 16-bit loop position overflows past the last member it loaded.
  EXPECT_EQ(ErrorOf([&] { records->SetXML("<Count>32767</Count>"); }).first, kOverflow);
  EXPECT_EQ(records->Count(), 32767);
}

}  // namespace
}  // namespace lombar
