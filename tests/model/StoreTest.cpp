#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "frame/Dispatch.h"
#include "lombar/ICatStoreCol.h"
#include "model/support/CollectionXml.h"

namespace lombar {
namespace {

const std::string kJobberRefused = "Invalid Collection Key of 'Jobber' Specified for 'MCLdir'.";

// A store with one info record.
Ref<ICatStore> StoreOf(std::string_view mcl_dir) {
  auto store = MakeRef<ICatStore>();
  store->SetMCLdir(mcl_dir);
  store->Info()->Add("RULE", "", "R1", "Rule one", "", "", true, "", "R1");
  return store;
}

TEST(ICatStoreTest, XmlHoldsDirectoryInfoThenItemsAndClearCanReleaseTheCollections) {
  LogFolderScope folder;
  InFreshThread([] {
    const auto store = StoreOf("D1");
    store->Items()->Add(MakeRef<ICatItem>(), "ACD100");
    const std::string xml = store->XML();
    EXPECT_EQ(xml, "<Store><MCLdir>D1</MCLdir>" + store->Info()->XML() + store->Items()->XML() +
                       "</Store>");
    const auto loaded = MakeRef<ICatStore>();
    const auto old_items = loaded->Items();  // replaced, not reloaded
    loaded->SetXML(xml);
    EXPECT_EQ(std::tuple(loaded->XML(), loaded->Items() == old_items), std::tuple(xml, false));
    loaded->Clear(true);
    EXPECT_TRUE(loaded->Items().IsNothing() && loaded->Info().IsNothing());
    EXPECT_EQ(ErrorOf([&] { loaded->XML(); }).second,
              "ICatStore | Get XML, Error # 91 at line: 0\r\n"
              "Object variable or With block variable not set");
  });
}

TEST(ICatStoreColTest, StoresAreKeptUnderTheirDirectoryNeverUnderJobber) {
  LogFolderScope folder;
  InFreshThread([] {
    auto stores = MakeRef<ICatStoreCol>();
    EXPECT_EQ(ErrorOf([&] { stores->Add("JOBBER", MakeRef<ICatItemCol>()); }).second,
              "ICatStoreCol | Add, Error # 17 at line: 0\r\n" + kJobberRefused);
    const auto d1 = stores->Add("D1", Nothing);  // no item collection at all
    EXPECT_TRUE(d1->Items().IsNothing());
    stores->Add("Jobber", Nothing);  // the refusal is case-sensitive
    EXPECT_TRUE(stores->Add("d1", Nothing) && stores->Count() == 2);  // duplicate dropped, returned

    const auto d2 = StoreOf("D2");
    EXPECT_EQ(stores->AddObject(d2, "X"), d2);  // under its own MCLdir, not the key
    const auto unnamed = StoreOf("");
    stores->AddObject(unnamed, "D3");  // an empty MCLdir takes the key first
    EXPECT_EQ(std::tuple(d2->MCLdir(), unnamed->MCLdir(), stores->Exists("X")),
              std::tuple("D2", "D3", false));
    EXPECT_EQ(ErrorOf([&] { stores->AddObject(Nothing, "X"); }).first, kObjectNotSet);
    // Without global providers JOBBER is the empty directory, a key like any other.
    const auto empty = stores->AddObject(StoreOf(""), "");
    stores->AddObject(StoreOf(""), "");
    EXPECT_EQ(std::tuple(stores->Count(), stores->Item("JOBBER")), std::tuple(5, empty));

    // Through dispatch the caller's key stays as it was.
    std::vector<Argument> args = {{Variant(StoreOf("D5"))}, {Variant("X"), true}};
    Invoke(*stores, MethodId(5), MemberKind::Method, args);
    EXPECT_EQ(std::tuple(args[1].value, stores->Exists("D5")), std::tuple(Variant("X"), true));
    // A JOBBER store is refused by AddObject, which ends a load; the stores before it stay.
    const std::string members = StoreOf("D1")->XML() + StoreOf("JOBBER")->XML();
    EXPECT_EQ(ErrorOf([&] { stores->SetXML("<Count>3</Count>" + members); }).second,
              "ICatStoreCol | Let XML, Error # 17 at line: 0\r\n"
              "ICatStoreCol | AddObject, Error # 17 at line: 0\r\n" +
                  kJobberRefused);
    EXPECT_EQ(std::tuple(stores->Count(), stores->Exists("D1")), std::tuple(1, true));
  });
}

TEST(ICatStoreColTest, CreationDestructionClearAndTheLetsSetTheThreadSwitches) {
  InFreshThread([] {
    const auto switches = [] {
      return std::tuple(XmlSwitches::OfThread().compress, XmlSwitches::OfThread().zero_suppress);
    };
    EXPECT_EQ(switches(), std::tuple(false, false));
    auto stores = MakeRef<ICatStoreCol>();
    EXPECT_EQ(switches(), std::tuple(true, true));
    const auto store = MakeRef<ICatStore>();

    std::vector<Argument> off = {{Variant(false)}};
    Invoke(*stores, PropertyId(1), MemberKind::Let, off);  // XMLcompress
    EXPECT_EQ(switches(), std::tuple(false, true));
    stores->SetXMLzeroSuppress(false);
    EXPECT_EQ(switches(), std::tuple(false, false));
    EXPECT_EQ(store->XML(), "<Store><MCLdir></MCLdir></Store>");

    for (const auto& switch_on : std::vector<std::function<void()>>{
             [&] { stores->Clear(); }, [&] { stores->SetXML(""); }, [&] { stores = Nothing; }}) {
      XmlSwitches::OfThread() = {false, false};
      switch_on();
      EXPECT_EQ(switches(), std::tuple(true, true));
    }
  });
}

}  // namespace
}  // namespace lombar
