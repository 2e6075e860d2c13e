#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "frame/DiagnosticLog.h"
#include "frame/Dispatch.h"
#include "lombar/ICatItemCol.h"
#include "lombar/ICatPrice.h"
#include "lombar/ICatPriceCol.h"
#include "lombar/ICatProviderCol.h"
#include "lombar/ICatVehicle.h"
#include "model/ModelState.h"
#include "model/support/CollectionXml.h"

namespace lombar {
namespace {

// A price whose values are set by name through the dispatch interface, as a client would.
Ref<ICatPrice> PriceWith(const std::vector<std::pair<const char*, Variant>>& values) {
  auto price = MakeRef<ICatPrice>();
  for (const auto& [name, value] : values) {
    std::vector<Argument> args = {{value}};
    Invoke(*price, GetIdOfName(*price, name), MemberKind::Let, args);
  }
  return price;
}

// The thread's global providers: MAIN (the default one when asked) and STORE2 of seller 77.
void InstallGlobalProviders(bool with_default) {
  auto providers = MakeRef<ICatProviderCol>();
  providers->Add("Main", "Main St", "M1", "MAIN", "", with_default);
  providers->Add("Second", "Second St", "77", "STORE2", "", false);
  ThreadModel().global_providers = providers;
}

constexpr std::string_view kJobberRefused = "Invalid Collection Key of 'Jobber' Specified.";

TEST(ICatPriceTest, XmlCarriesThePriorityTextInItsPlaceThoughNoPropertyHoldsIt) {
  InFreshThread([] {
    const auto price = MakeRef<ICatPrice>();
    price->SetXML("<Price><Priority>1</Priority><Available>5</Available></Price>");
    EXPECT_NE(price->XML().find("</Location><Priority>1</Priority><DeliveryMessage>"),
              std::string::npos);
    EXPECT_EQ(price->Available(), Variant("5"));  // read back as text

    // Clear empties the priority text.
    price->Clear();
    price->SetCost(Currency::FromUnits(1));
    EXPECT_NE(price->XML().find("<Priority></Priority>"), std::string::npos);
    price->SetQuantityToOrder(Variant::Null());
    EXPECT_EQ(ErrorOf([&] { price->XML(); }).first, kInvalidUseOfNull);
  });
}

TEST(ICatPriceTest, LocationIsValidOnlyForRealSellerLocations) {
  auto price = MakeRef<ICatPrice>();
  // clang-format off
  for (const auto& [location, valid] : {std::pair{"", false}, {"local", false}, {"Invoice", false},
       {"MSRP", false}, {"INVOICE|LOCAL", false}, {"STORE 12", true}, {"MSR", true},
       {"|MSRP", true}}) {
    // clang-format on
    price->SetLocation(location);
    EXPECT_EQ(price->LocationIsValid(), valid) << location;
  }
}

TEST(ICatPriceTest, EmptyPriceWritesNothing) {
  // Only the text of Available and the Cost, List and Sell prices count.
  const std::vector<std::tuple<const char*, Variant, bool>> kCases = {
      {"CoreCost", 1.0, false},     {"CoreList", 1.0, false},      {"Margin", 1.0, false},
      {"Tag", "t", false},          {"QuantityToOrder", 3, false}, {"Available", "", false},
      {"Available", Long{0}, true}, {"Available", " ", true},      {"Cost", 0.0001, true},
      {"List", 1.0, true},          {"Sell", -1.0, true}};
  InFreshThread([&] {
    for (const auto& [name, value, speaks] : kCases)
      EXPECT_EQ(PriceWith({{name, value}})->XML().empty(), !speaks) << name;
  });
}

TEST(ICatPriceTest, ValuesFewPricesSetAreWrittenAsTheSwitchesSayWhetherSetOrNot) {
  // CoreCost (an amount) and PackingUnits (a text) are kept apart until one is set.
  InFreshThread([] {
    for (const bool set : {false, true}) {
      const auto price = PriceWith({{"Cost", 1.0}});
      if (set) price->SetPackingUnits("");
      const auto written = [&](bool compress, bool zero_suppress) {
        XmlSwitches::OfThread() = {compress, zero_suppress};
        const std::string xml = price->XML();
        return std::pair(xml.find("<CoreCost>0</CoreCost>") != std::string::npos,
                         xml.find("<PackingUnits></PackingUnits>") != std::string::npos);
      };
      EXPECT_EQ(written(false, false), std::pair(true, true)) << set;
      EXPECT_EQ(written(true, false), std::pair(true, false)) << set;
      EXPECT_EQ(written(true, true), std::pair(false, false)) << set;
    }
  });
}

TEST(ICatPriceColTest, AddDerivesTheKeyRefusesJobberAndOnlyThenReadsTheNumbers) {
  LogFolderScope folder;
  InFreshThread([] {
    // MCLdir, seller, key passed -> key used, under which a second price is dropped silently
    // clang-format off
    for (const auto& [mcl_dir, seller, given, used] : {std::tuple{"D1", "S1", "", "D1"},
         {"", "123", "", "S#123"}, {"", "", "", ""}, {"D1", "S1", "K", "K"},
         {"Jobber", "", "", "Jobber"}}) {
      // clang-format on
      auto prices = MakeRef<ICatPriceCol>();
      std::string key = given;
      prices->Add(mcl_dir, "L", seller, "5", "1", "1", key);
      EXPECT_EQ(key, used) << mcl_dir << seller;
      // The C++ form returns that key.
      EXPECT_EQ(MakeRef<ICatPriceCol>()->Add(mcl_dir, "L", seller, "5", "1", "1", given).key, used);
      std::string again = used;
      EXPECT_TRUE(prices->Add("X", "", "", "", "0", "0", again));
      EXPECT_EQ(prices->Count(), *used ? 1 : 2) << mcl_dir << seller;
    }

    auto prices = MakeRef<ICatPriceCol>();
    std::string key;
    const auto price = prices->Add("D", "L", "S", "5", "1,234.50", "-2", key);
    EXPECT_EQ(std::tuple(price->Location(), price->SellerID(), price->Available(), price->Cost(),
                         price->List()),
              std::tuple("L", "S", Variant("5"), Currency::FromUnits(12345000),
                         Currency::FromUnits(-20000)));
    EXPECT_EQ(ErrorOf([&] { prices->Add("JOBBER", "", "", "1", "", "1", key = ""); }),
              std::pair(17, "ICatPriceCol | Add, Error # 17 at line: 0\r\n" +
                                std::string(kJobberRefused)));
    EXPECT_EQ(ErrorOf([&] { prices->Add("E", "", "", "1", "1", "", key = ""); }).first,
              kTypeMismatch);
    EXPECT_EQ(prices->Count(), 1);

    // Through dispatch the key comes back in the caller's variable, and may be left out.
    std::vector<Argument> args = {{"", false},  {"L", false}, {"123", false}, {"", false},
                                  {"0", false}, {"0", false}, {"", true}};
    Invoke(*prices, MethodId(2), MemberKind::Method, args);
    EXPECT_EQ(args[6].value, Variant("S#123"));
    args.pop_back();
    Invoke(*prices, MethodId(2), MemberKind::Method, args);
    EXPECT_EQ(prices->Count(), 2);
  });
}

TEST(ICatPriceColTest, AddObjectTakesMissingDirectoriesFromTheGlobalProviders) {
  enum Globals { kNone, kNoDefault, kWithDefault };
  // globals, MCLdir, Location, SellerID, key passed; then the key used and the
  // price's MCLdir, Location and SellerID after the add
  using After = std::tuple<std::string, std::string, std::string, std::string>;
  const std::vector<std::tuple<Globals, const char*, const char*, const char*, const char*, After>>
      kCases = {
          {kWithDefault, "", "", "77", "X", {"STORE2", "STORE2", "Second St", "77"}},
          {kNoDefault, "", "", "77", "", {"STORE2", "STORE2", "Second St", "77"}},
          {kWithDefault, "", "store2", "", "", {"STORE2", "STORE2", "Second St", "77"}},
          {kWithDefault, "", "JOBBER", "", "X", {"MAIN", "MAIN", "Main St", "M1"}},
          {kWithDefault, "", "INVOICE", "", "X", {"INVOICE", "INVOICE", "INVOICE", ""}},
          {kWithDefault, "", "", "99", "", {"S#99", "", "", "99"}},
          {kWithDefault, "OWN", "INVOICE", "77", "", {"OWN", "OWN", "INVOICE", "77"}},
          {kNone, "", "INVOICE", "", "", {"", "", "INVOICE", ""}},
      };
  InFreshThread([&] {
    for (const auto& [globals, mcl_dir, location, seller, given, after] : kCases) {
      ThreadModel().global_providers = Nothing;
      if (globals != kNone) InstallGlobalProviders(globals == kWithDefault);
      const auto price = PriceWith(
          {{"MCLdir", mcl_dir}, {"Location", location}, {"SellerID", seller}, {"Available", "1"}});
      auto prices = MakeRef<ICatPriceCol>();
      std::string key = given;
      EXPECT_EQ(prices->AddObject(price, key), price);
      EXPECT_EQ(std::tuple(key, price->MCLdir(), price->Location(), price->SellerID()), after)
          << mcl_dir << "/" << location << "/" << seller;
      EXPECT_EQ(prices->Item(Long{1}), price);
    }
    std::string key;
    EXPECT_TRUE(MakeRef<ICatPriceCol>()->AddObject(Nothing, key).IsNothing());
  });
}

TEST(ICatPriceColTest, LookUpsTranslateJobberKeysAndItemNeverRaises) {
  LogFolderScope folder;
  InFreshThread([&] {
    auto prices = MakeRef<ICatPriceCol>();
    EXPECT_FALSE(prices->Exists(Long{1}));
    InstallGlobalProviders(true);
    std::string key;
    const auto main = prices->Add("MAIN", "", "", "1", "1", "1", key);
    const auto second = prices->Add("STORE2", "", "", "1", "1", "1", key = "");
    prices->Add("Jobber", "", "", "1", "1", "1", key = "");  // stored, but no key reaches it
    EXPECT_TRUE(prices->Item("Jobber") == main && prices->Exists("jobber") &&
                prices->Item("S#77") == second);
    // An unknown key gives a new price outside the collection.
    const auto stand_in = prices->Item("XYZ");
    EXPECT_EQ(std::tuple(stand_in->Location(), stand_in->MCLdir(), prices->Exists("XYZ"),
                         prices->Count()),
              std::tuple("XYZ", "XYZ", false, 3));

    prices->Remove("S#77");
    EXPECT_FALSE(prices->Exists("STORE2"));
    ThreadModel().global_providers = Nothing;  // JOBBER now stands for the empty text
    EXPECT_EQ(std::tuple(prices->Item("JOBBER")->Location(), prices->Exists("JOBBER")),
              std::tuple("", false));
    EXPECT_TRUE(folder.ErrorLines().empty());

    prices->Clear(true);
    EXPECT_EQ(std::tuple(prices->Exists(Long{1}), prices->Item("MAIN")->MCLdir(), prices->XML()),
              std::tuple(false, "MAIN", ""));
  });
}

TEST(ICatPriceColTest, XmlLoadsEveryPriceThroughAddObject) {
  LogFolderScope folder;
  InFreshThread([&] {
    auto prices = MakeRef<ICatPriceCol>();
    std::string key;
    const auto kept = prices->Add("D1", "", "", "3", "1.5", "2", key);
    prices->Add("", "", "", "", "0", "0", key = "");  // Add takes empty prices
    EXPECT_EQ(prices->XML(),
              "<Prices><Count>2</Count><Collection>" + kept->XML() + "</Collection></Prices>");

    // Members that all write nothing still give Prices and their Count, and load as none.
    prices->Remove("D1");
    prices->Add("", "", "", "", "0", "0", key = "");
    EXPECT_EQ(prices->XML(), "<Prices><Count>2</Count><Collection></Collection></Prices>");
    auto loaded = MakeRef<ICatPriceCol>();
    loaded->SetXML(prices->XML());
    EXPECT_EQ(loaded->Count(), 0);
    XmlSwitches::OfThread().compress = true;
    EXPECT_EQ(prices->XML(), "<Prices><Count>2</Count></Prices>");

    InstallGlobalProviders(true);
    loaded->SetXML(
        "<Prices><Count>4</Count><Collection>"
        "<Price><SellerID>77</SellerID><Available>1</Available></Price>"
        "<Price><Location>INVOICE</Location><Cost>2</Cost></Price>"
        "<Price><MCLdir>store2</MCLdir><Cost>1</Cost></Price>"  // a duplicate, dropped
        "</Collection></Prices>");                              // the fourth is an empty price
    EXPECT_EQ(std::tuple(loaded->Count(), loaded->Item(Long{1})->Location(),
                         loaded->Item(Long{2})->MCLdir()),
              std::tuple(2, "Second St", "INVOICE"));

    // A refused member ends the load; the ones before it stay.
    EXPECT_EQ(ErrorOf([&] {
                loaded->SetXML(
                    "<Count>3</Count><Price><MCLdir>A</MCLdir><Cost>1</Cost></Price>"
                    "<Price><MCLdir>JOBBER</MCLdir><Cost>1</Cost></Price>");
              }).first,
              17);
    EXPECT_EQ(std::tuple(loaded->Count(), loaded->Exists("A")), std::tuple(1, true));
  });
}

// A traced run writes each operation's class and name, in the order called.
TEST(TracedOperationsTest, EachWritesItsClassAndName) {
  const std::string prices = "ICatPriceCol | ", providers = "ICatProviderCol | ",
                    specs = "ICatSpecCol | ", vehicle = "ICatVehicle | ", items = "ICatItemCol | ",
                    key = "basGLOBALs | JobberKey";
  const std::vector<std::pair<std::function<void()>, std::vector<std::string>>> runs = {
      {[] {
         auto collection = MakeRef<ICatPriceCol>();
         std::string added;
         collection->Add("A", "", "", "1", "1", "1", added);
         collection->AddObject(PriceWith({{"Cost", 1.0}}), added = "");
         collection->Exists("A");
         collection->Item(Long{1});
         collection->Count();
         collection->SetXML("<Count>1</Count><Price><Cost>1</Cost></Price>");
         collection->XML();
       },
       {prices + "Class_Initialize", prices + "Clear", prices + "Add", prices + "AddObject", key,
        key, prices + "Let XML", prices + "AddObject", prices + "Get XML", prices + "Clear"}},
      {[] {
         auto collection = MakeRef<ICatProviderCol>();
         collection->Add("Name", "Location", "S1", "A", "", false);
         collection->Exists("#S1");
         collection->SetXML("<Count>1</Count><Provider><MCLdir>B</MCLdir></Provider>");
         collection->XML();  // its providers do not trace
       },
       {providers + "Class_Initialize", providers + "Clear", providers + "Add", key,
        providers + "Let XML", providers + "Clear", providers + "AddObject",
        providers + "Get XML"}},
      {[] {
         auto held = MakeRef<ICatVehicle>();
         held->Clear();  // traces only the collection's Clear
         held->SetXML(held->XML());
       },
       {vehicle + "Class_Initialize", specs + "Clear", specs + "Clear", vehicle + "Get XML",
        specs + "Get XML", vehicle + "Let XML", specs + "Clear", vehicle + "Class_Terminate",
        specs + "Clear"}},
      // A loaded item's price collection is made with the item and again by the reset before
      // its XML is read.
      // clang-format off
      {[] { MakeRef<ICatItemCol>()->SetXML("<Count>1</Count><Item></Item>"); },
       {items + "Class_Initialize", items + "Clear", vehicle + "Class_Initialize", specs + "Clear",
        items + "Clear", vehicle + "Class_Initialize", specs + "Clear", vehicle + "Class_Terminate",
        specs + "Clear", prices + "Class_Initialize", prices + "Clear", prices + "Class_Initialize",
        prices + "Clear", prices + "Clear", prices + "Let XML", items + "Add", vehicle + "Let XML",
        specs + "Clear", vehicle + "Class_Terminate", specs + "Clear", prices + "Clear"}}};
  // clang-format on
  for (const auto& [run, lines] : runs) {
    LogFolderScope folder;
    folder.SwitchTraceOn();
    InFreshThread([&] {
      FileLogInit();
      run();
    });
    EXPECT_EQ(folder.TraceLines(), lines);
  }
}

}  // namespace
}  // namespace lombar
