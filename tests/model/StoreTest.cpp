#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "frame/Dispatch.h"
#include "lombar/ICatProviderCol.h"
#include "lombar/ICatStoreCol.h"
#include "model/support/ModelState.h"

namespace lombar {
namespace {

using testing::ErrorOf;
using testing::InFreshThread;
using testing::LogFolderScope;

const std::string kJobberRefused = "Invalid Collection Key of 'Jobber' Specified for 'MCLdir'.";

// A store of parts ACD<number>, with one info record.
Ref<ICatStore> StoreOf(std::string_view mcl_dir,
                       std::initializer_list<std::string_view> numbers = {}) {
  auto store = MakeRef<ICatStore>();
  store->SetMCLdir(mcl_dir);
  for (const std::string_view number : numbers) {
    auto item = MakeRef<ICatItem>();
    item->SetLineCode("ACD");
    item->SetItemNumber(number);
    store->Items()->Add(item, item->UniqueKey());
  }
  store->Info()->Add("RULE", "", "R1", "Rule one", "", "", true, "", "R1");
  return store;
}

TEST(ICatStoreTest, XmlHoldsDirectoryInfoItemsAndClearRenewsOrReleasesTheCollections) {
  LogFolderScope folder;
  InFreshThread([] {
    const auto store = StoreOf("D1", {"100", "200"});
    const std::string xml = store->XML();
    EXPECT_EQ(xml, "<Store><MCLdir>D1</MCLdir>" + store->Info()->XML() + store->Items()->XML() +
                       "</Store>");
    const auto loaded = MakeRef<ICatStore>();
    const auto old_items = loaded->Items();
    loaded->SetXML(xml);
    EXPECT_EQ(loaded->XML(), xml);
    EXPECT_NE(loaded->Items(), old_items);
    EXPECT_TRUE(loaded->Items()->Exists(Variant("acd200")) && loaded->Info()->Exists("R1"));

    loaded->Clear();
    EXPECT_EQ(std::tuple(loaded->MCLdir(), loaded->Items()->Count(), loaded->Info()->Count()),
              std::tuple("", 0, 0));
    EXPECT_EQ(loaded->XML(), "<Store></Store>");
    loaded->Clear(true);
    EXPECT_TRUE(loaded->Items().IsNothing() && loaded->Info().IsNothing());
    EXPECT_EQ(ErrorOf([&] { loaded->XML(); }).second,
              "ICatStore | Get XML, Error # 91 at line: 0\r\n"
              "Object variable or With block variable not set");
  });
}

TEST(ICatStoreColTest, StoresAreKeptUnderTheirDirectoryAndFoundThroughJobberKey) {
  LogFolderScope folder;
  InFreshThread([] {
    auto stores = MakeRef<ICatStoreCol>();
    EXPECT_EQ(ErrorOf([&] { stores->Add("JOBBER", MakeRef<ICatItemCol>()); }).second,
              "ICatStoreCol | Add, Error # 17 at line: 0\r\n" + kJobberRefused);
    const auto d1 = stores->Add("D1", Nothing);  // no item collection at all
    EXPECT_TRUE(d1->Items().IsNothing());
    const auto jobber = stores->Add("Jobber", Nothing);  // the refusal is case-sensitive
    EXPECT_TRUE(stores->Add("d1", Nothing) && stores->Count() == 2);  // duplicate dropped, returned

    const auto d2 = StoreOf("D2");
    EXPECT_EQ(stores->AddObject(d2, "X"), d2);  // under its own MCLdir, not the key
    const auto unnamed = StoreOf("");
    stores->AddObject(unnamed, "D3");  // an empty MCLdir takes the key first
    EXPECT_EQ(std::tuple(d2->MCLdir(), unnamed->MCLdir(), stores->Exists("X")),
              std::tuple("D2", "D3", false));
    EXPECT_EQ(ErrorOf([&] { stores->AddObject(StoreOf("JOBBER"), "X"); }).second,
              "ICatStoreCol | AddObject, Error # 17 at line: 0\r\n" + kJobberRefused);
    EXPECT_EQ(ErrorOf([&] { stores->AddObject(Nothing, "X"); }).first, kObjectNotSet);
    // The empty directory is a key like any other.
    const auto empty = stores->AddObject(StoreOf(""), "");
    stores->AddObject(StoreOf(""), "");
    EXPECT_EQ(std::tuple(stores->Count(), stores->Item("JOBBER")), std::tuple(5, empty));

    auto providers = MakeRef<ICatProviderCol>();
    providers->Add("Main", "", "S1", "D1", "", true);
    providers->Add("North", "", "S2", "D2", "", false);
    ThreadModel().global_providers = providers;
    const std::vector<std::tuple<Variant, Ref<ICatStore>>> found = {
        {"jobber", d1}, {"#S2", d2}, {"S#S2", d2}, {"#S9", d1}, {"Jobber", d1}, {Long{2}, jobber}};
    for (const auto& [key, store] : found) {
      EXPECT_TRUE(stores->Exists(key)) << key.ToText();
      EXPECT_EQ(stores->Item(key), store) << key.ToText();
    }
    stores->Remove("S#S2");
    EXPECT_FALSE(stores->Exists("D2"));

    // Through dispatch the caller's key stays as it was.
    std::vector<Argument> args = {{Variant(StoreOf("D5"))}, {Variant("X"), true}};
    Invoke(*stores, MethodId(5), MemberKind::Method, args);
    EXPECT_EQ(std::tuple(args[1].value, stores->Exists("D5")), std::tuple(Variant("X"), true));
  });
}

TEST(ICatStoreColTest, XmlRoundTripAndALoadStoppedByAJobberStore) {
  LogFolderScope folder;
  InFreshThread([] {
    auto stores = MakeRef<ICatStoreCol>();
    EXPECT_EQ(stores->XML(), "");
    const auto d1 = stores->AddObject(StoreOf("D1", {"100"}), "");
    const auto d2 = stores->AddObject(StoreOf("D2", {"200", "300"}), "");
    const std::string xml = stores->XML();
    EXPECT_EQ(xml, "<ICatStoreCol><Count>2</Count><Collection>" + d1->XML() + d2->XML() +
                       "</Collection></ICatStoreCol>");
    auto loaded = MakeRef<ICatStoreCol>();
    loaded->Add("OLD", Nothing);
    loaded->SetXML(xml);
    EXPECT_EQ(loaded->XML(), xml);
    EXPECT_EQ(std::tuple(loaded->Exists("OLD"), loaded->Item("d2")->Items()->Count()),
              std::tuple(false, 2));

    const std::string with_jobber = "<ICatStoreCol><Count>3</Count><Collection>" + d1->XML() +
                                    StoreOf("JOBBER")->XML() + d2->XML() +
                                    "</Collection></ICatStoreCol>";
    EXPECT_EQ(ErrorOf([&] { loaded->SetXML(with_jobber); }).second,
              "ICatStoreCol | Let XML, Error # 17 at line: 0\r\n"
              "ICatStoreCol | AddObject, Error # 17 at line: 0\r\n" +
                  kJobberRefused);
    EXPECT_EQ(std::tuple(loaded->Count(), loaded->Exists("D1")), std::tuple(1, true));
  });
}

TEST(ICatStoreColTest, CreationDestructionClearAndTheLetsSetTheThreadSwitches) {
  InFreshThread([] {
    const auto switches = [] {
      return std::tuple(ThreadModel().compress, ThreadModel().zero_suppress);
    };
    const auto switch_off = [] { ThreadModel().compress = ThreadModel().zero_suppress = false; };
    EXPECT_EQ(switches(), std::tuple(false, false));
    auto stores = MakeRef<ICatStoreCol>();
    EXPECT_EQ(switches(), std::tuple(true, true));
    const auto store = MakeRef<ICatStore>();  // made first: its new item collection switches on

    std::vector<Argument> off = {{Variant(false)}};
    Invoke(*stores, PropertyId(1), MemberKind::Let, off);  // XMLcompress
    EXPECT_EQ(switches(), std::tuple(false, true));
    EXPECT_EQ(store->XML(), "<Store></Store>");  // zero suppression implies compression
    stores->SetXMLzeroSuppress(false);
    EXPECT_EQ(switches(), std::tuple(false, false));
    EXPECT_EQ(store->XML(), "<Store><MCLdir></MCLdir></Store>");
    std::vector<Argument> none;
    EXPECT_EQ(ErrorOf([&] { Invoke(*stores, PropertyId(1), MemberKind::Get, none); }).first,
              kMemberNotSupported);  // let only

    for (const auto& switch_on : std::vector<std::function<void()>>{
             [&] { stores->Clear(); }, [&] { stores->SetXML(""); }, [&] { stores = Nothing; }}) {
      switch_off();
      switch_on();
      EXPECT_EQ(switches(), std::tuple(true, true));
    }
  });
}

}  // namespace
}  // namespace lombar
