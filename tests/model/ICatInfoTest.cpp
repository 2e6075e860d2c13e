#include "lombar/ICatInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "TestSupport.h"
#include "frame/Dispatch.h"
#include "lombar/Enumerator.h"
#include "lombar/ICatInfoCol.h"

namespace lombar {
namespace {

using testing::ErrorOf;
using testing::InFreshThread;
using testing::LogFolderScope;

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
  EXPECT_EQ(record->XML(), R"(<Info Type="" Line="" Code="" Desc="" Text="" Tag="" )"
                           R"(Default="False" Style="" Key=""/>)");
  record->SetIndex(4);
  record->SetXML(kEscaped);
  EXPECT_EQ(
      std::tuple(record->Line(), record->Desc(), record->Text(), record->Key(), record->Index()),
      std::tuple("a&b", "say \"hi\"", "it's", "K1", 0));
  EXPECT_EQ(record->XML(), kEscaped);

  record->SetXML(R"(<Info Type="Q" Key="K2"/>)");  // missing attributes read as empty
  EXPECT_EQ(std::tuple(record->TypeX(), record->Line(), record->Key()), std::tuple("Q", "", "K2"));
  EXPECT_FALSE(record->Default());
  // Only the four-letter spellings of TRUE read as true.
  for (const char* text : {"TRUE", "True", "true", "tRuE", "-1", "Yes", " TRUE", "False", ""}) {
    record->SetXML(std::string(R"(<Info Type="P" Default=")") + text + "\"/>");
    EXPECT_EQ(record->Default(), std::string_view(text).size() == 4) << text;
  }
}

TEST(ICatInfoColTest, RecordsAreKeptUnderTheirKeyAndDuplicatesDroppedSilently) {
  LogFolderScope folder;
  InFreshThread([] {
    auto records = MakeRef<ICatInfoCol>();
    const auto first = AddKeyed(*records, "K1");
    const auto duplicate = AddKeyed(*records, "k1");
    EXPECT_TRUE(duplicate && duplicate != first);
    EXPECT_EQ(duplicate->Index(), 1);  // the Count after the dropped append
    const auto unkeyed = AddKeyed(*records, "");
    EXPECT_EQ(unkeyed->Index(), 2);
    EXPECT_FALSE(records->Exists(""));

    std::string key;
    records->AddObject(Record("K3"), key);
    EXPECT_EQ(key, "K3");
    key = "Other";
    records->AddObject(Record("K4"), key);
    EXPECT_TRUE(records->Exists("other") && !records->Exists("K4"));
    EXPECT_TRUE(records->AddObject(Nothing, key).IsNothing());
    EXPECT_EQ(records->Count(), 4);

    records->Remove(Long{1});
    EXPECT_EQ(records->Item(Long{1}), unkeyed);
    EXPECT_EQ(unkeyed->Index(), 2);  // positions given at the append stay
    EXPECT_EQ(ErrorOf([&] { records->Item(Long{0}); }).first, kSubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { records->Remove("K1"); }).first, kInvalidProcedureCall);
  });
  EXPECT_FALSE(std::filesystem::exists(folder.ErrorLog()));  // none of the above is logged
}

TEST(ICatInfoColTest, ExistsNeverRaisesAndClearReleasesTheMembers) {
  auto records = MakeRef<ICatInfoCol>();
  EXPECT_FALSE(records->Exists(Long{1}));
  EXPECT_TRUE(records->DefaultCode().IsNothing());
  const auto plain = AddKeyed(*records, "A");
  const auto marked = AddKeyed(*records, "B", true);
  AddKeyed(*records, "C", true);
  EXPECT_EQ(records->DefaultCode(), marked);
  EXPECT_EQ(records->NewEnum()->Next(1), std::vector<Variant>{plain});
  records->Clear(false);
  EXPECT_EQ(records->Count(), 0);
  EXPECT_EQ(plain->Key(), "A");  // members are released, not cleared
  records->Clear(true);
  EXPECT_FALSE(records->Exists(Long{1}));
  EXPECT_EQ(ErrorOf([&] { records->Count(); }).first, kObjectNotSet);
  EXPECT_EQ(ErrorOf([&] { records->NewEnum(); }).first, kObjectNotSet);
}

TEST(ICatInfoColTest, XmlRoundTripKeepsOrderKeysAndValues) {
  auto records = MakeRef<ICatInfoCol>();
  EXPECT_EQ(records->XML(), "");
  std::string key;
  records->AddObject(MakeRef<ICatInfo>(), key)->SetXML(kEscaped);
  AddKeyed(*records, "");
  const std::string xml = records->XML();
  EXPECT_EQ(xml, "<ICatInfoCol><Count>2</Count><Collection>" + std::string(kEscaped) +
                     R"(<Info Type="T" Line="L" Code="C" Desc="D" Text="X" Tag="G" )"
                     R"(Default="False" Style="S" Key=""/></Collection></ICatInfoCol>)");
  auto loaded = MakeRef<ICatInfoCol>();
  AddKeyed(*loaded, "Old");
  loaded->SetXML(xml);
  EXPECT_EQ(loaded->XML(), xml);
  EXPECT_FALSE(loaded->Exists("Old"));
  EXPECT_EQ(loaded->Item("k1")->Index(), 1);

  // Members are taken by position: a missing one loads as an empty record; a repeated key drops.
  loaded->SetXML(R"(<Count>3</Count><Info Type="A" Key="X"/><Info Type="B" Key="x"/>)");
  EXPECT_EQ(loaded->Count(), 2);
  EXPECT_EQ(std::tuple(loaded->Item(Long{2})->TypeX(), loaded->Item(Long{2})->Index()),
            std::tuple("", 2));
  for (const auto& [count, loads] : {std::pair{"abc", 0}, {"-1", 0}, {"2.5", 2}, {" 1x", 1}}) {
    loaded->SetXML(std::string("<Count>") + count + "</Count><Info Type=\"A\"/>");
    EXPECT_EQ(loaded->Count(), loads) << count;
  }
}

TEST(ICatInfoColTest, TrappedFailuresArriveComposedAndAreLoggedOncePerLevel) {
  LogFolderScope folder;
  InFreshThread([&] {
    auto records = MakeRef<ICatInfoCol>();
    AddKeyed(*records, "Kept");
    EXPECT_EQ(ErrorOf([&] { records->SetXML("<Count>40000</Count>"); }).second,
              "ICatInfoCol | Let XML, Error # 6 at line: 0\r\nOverflow");
    EXPECT_EQ(records->Count(), 0);  // emptied before the count was read
    EXPECT_EQ(folder.ErrorLines().size(), 1u);
    // The 16-bit loop position overflows past the last member it loaded.
    EXPECT_EQ(ErrorOf([&] { records->SetXML("<Count>32767</Count>"); }).first, kOverflow);
    EXPECT_EQ(records->Count(), 32767);

    records->Clear(true);
    EXPECT_EQ(ErrorOf([&] { AddKeyed(*records, "K"); }).second,
              "ICatInfoCol | Add, Error # 91 at line: 0\r\n"
              "ICatInfoCol | AddObject, Error # 91 at line: 0\r\n"
              "Object variable or With block variable not set");
    EXPECT_EQ(folder.ErrorLines().size(), 4u);
    EXPECT_EQ(ErrorOf([&] { records->DefaultCode(); }).first, kObjectNotSet);
    EXPECT_EQ(folder.ErrorLines().size(), 5u);
  });
}

TEST(ICatInfoColTest, DispatchPassesKeysByReference) {
  auto records = MakeRef<ICatInfoCol>();
  const auto record = Record("K9");
  std::vector<Argument> args = {{Variant(record)}, {Variant(""), true}};
  EXPECT_EQ(Invoke(*records, MethodId(5), MemberKind::Method, args), Variant(record));
  EXPECT_EQ(args[1].value, Variant("K9"));

  std::vector<Argument> by_key = {{Variant("k9")}};
  EXPECT_EQ(Invoke(*records, PropertyId(1), MemberKind::Get, by_key), Variant(record));
  EXPECT_EQ(ErrorOf([&] { Invoke(*records, kDispIdValue, MemberKind::Get, by_key); }).first,
            kMemberNotSupported);  // Item is not this class's default member
  std::vector<Argument> index = {{Variant(Long{3})}};
  EXPECT_EQ(ErrorOf([&] { Invoke(*record, PropertyId(0), MemberKind::Let, index); }).first,
            kMemberNotSupported);  // only the collection sets Index
}

}  // namespace
}  // namespace lombar
