#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "frame/DiagnosticLog.h"
#include "frame/Dispatch.h"
#include "lombar/ICatPrice.h"
#include "lombar/ICatPriceCol.h"
#include "lombar/ICatProviderCol.h"
#include "model/support/ModelState.h"

namespace lombar {
namespace {

using testing::ErrorOf;
using testing::InFreshThread;
using testing::LogFolderScope;

using NamedValues = std::vector<std::pair<const char*, Variant>>;

// Sets each value by name through the dispatch interface, as a client would.
void SetByName(AutomationObject& object, const NamedValues& values) {
  for (const auto& [name, value] : values) {
    std::vector<Argument> args = {{value}};
    Invoke(object, GetIdOfName(object, name), MemberKind::Let, args);
  }
}

Ref<ICatPrice> PriceWith(const NamedValues& values) {
  auto price = MakeRef<ICatPrice>();
  SetByName(*price, values);
  return price;
}

// The thread's global providers: MAIN (the default one when asked) and STORE2 of seller 77.
void InstallGlobalProviders(bool with_default) {
  auto providers = MakeRef<ICatProviderCol>();
  providers->Add("Main", "Main St", "M1", "MAIN", "", with_default);
  providers->Add("Second", "Second St", "77", "STORE2", "", false);
  ThreadModel().global_providers = providers;
}

Ref<ICatPrice> AddPrice(ICatPriceCol& prices, std::string_view mcl_dir, std::string key = "") {
  return prices.Add(mcl_dir, "Loc", "S1", "1", "1", "1", key);
}

constexpr std::string_view kJobberRefused = "Invalid Collection Key of 'Jobber' Specified.";

TEST(ICatPriceTest, XmlFollowsTheThreadSwitchesAndReadsBackAsText) {
  InFreshThread([] {
    const auto price = PriceWith({{"MCLdir", "STORE1"},       {"SellerID", "77"},
                                  {"Location", "Main St"},    {"UrgentFlag", true},
                                  {"DeliveryMessage", "Today"}, {"QtyBuyingInc", "2"},
                                  {"PackingUnits", "EA"},     {"WarrantyCode", "W1"},
                                  {"Rank", "A"},              {"Tag", "a&b"},
                                  {"Available", Long{5}},     {"QuantityToOrder", Long{0}},
                                  {"CoreCost", 12.5},         {"CoreList", -3.1416},
                                  {"Cost", "1234.5"},         {"List", 0.0001},
                                  {"Sell", Long{100}},        {"DisplayRow", Long{3}}});
    const std::string all =
        "<Price><MCLdir>STORE1</MCLdir><SellerID>77</SellerID><Location>Main St</Location>"
        "<Priority></Priority><DeliveryMessage>Today</DeliveryMessage>"
        "<QtyBuyingInc>2</QtyBuyingInc><PackingUnits>EA</PackingUnits>"
        "<PackNumUnits></PackNumUnits><WarrantyCode>W1</WarrantyCode><Rank>A</Rank>"
        "<PriceTag>a&amp;b</PriceTag><Available>5</Available><QuantityToOrder>0</QuantityToOrder>"
        "<UrgentFlag>True</UrgentFlag><CoreCost>12.5</CoreCost><CoreList>-3.1416</CoreList>"
        "<Cost>1234.5</Cost><List>0.0001</List><Sell>100</Sell><Margin>0</Margin></Price>";
    EXPECT_EQ(price->XML(), all);
    ThreadModel().compress = ThreadModel().zero_suppress = true;
    EXPECT_EQ(price->XML(),
              "<Price><MCLdir>STORE1</MCLdir><SellerID>77</SellerID><Location>Main St</Location>"
              "<DeliveryMessage>Today</DeliveryMessage><QtyBuyingInc>2</QtyBuyingInc>"
              "<PackingUnits>EA</PackingUnits><WarrantyCode>W1</WarrantyCode><Rank>A</Rank>"
              "<PriceTag>a&amp;b</PriceTag><Available>5</Available>"
              "<UrgentFlag>True</UrgentFlag><CoreCost>12.5</CoreCost>"
              "<CoreList>-3.1416</CoreList><Cost>1234.5</Cost><List>0.0001</List>"
              "<Sell>100</Sell></Price>");
    ThreadModel().compress = ThreadModel().zero_suppress = false;

    // The quantities come back as text; the screen position and the kind of
    // value the caller gave stay with the object they were set on.
    price->SetXML(all);
    EXPECT_EQ(std::tuple(price->Available(), price->QuantityToOrder(), price->DisplayRow()),
              std::tuple(Variant("5"), Variant("0"), 3));
    EXPECT_EQ(price->XML(), all);

    // The priority text has no property: only the XML carries it, and Clear empties it.
    price->SetXML("<Price><Priority>1</Priority><Cost>2</Cost></Price>");
    EXPECT_NE(price->XML().find("<Priority>1</Priority>"), std::string::npos);
    price->Clear();
    price->SetCost(Currency::FromUnits(1));
    EXPECT_NE(price->XML().find("<Priority></Priority>"), std::string::npos);
  });
}

TEST(ICatPriceTest, LocationIsValidOnlyForRealSellerLocations) {
  auto price = MakeRef<ICatPrice>();
  for (const auto& [location, valid] :
       {std::pair{"", false}, {"local", false}, {"Invoice", false}, {"MSRP", false},
        {"INVOICE|LOCAL", false}, {"JOBBER", true}, {"STORE 12", true}, {"MSR", true},
        {"|MSRP", true}}) {
    price->SetLocation(location);
    EXPECT_EQ(price->LocationIsValid(), valid) << location;
  }
}

TEST(ICatPriceTest, EmptyPriceWritesNothingAndNoCollectionTakesIt) {
  // Only the text of Available and the Cost, List and Sell prices count.
  const std::vector<std::tuple<const char*, Variant, bool>> kCases = {
      {"CoreCost", 1.0, false},     {"CoreList", 1.0, false},    {"Margin", 1.0, false},
      {"Tag", "t", false},          {"MCLdir", "D", false},      {"UrgentFlag", true, false},
      {"QuantityToOrder", 3, false}, {"Available", "", false},   {"Available", Variant(), false},
      {"Available", Long{0}, true}, {"Available", " ", true},   {"Cost", 0.0001, true},
      {"List", 1.0, true},          {"Sell", -1.0, true}};
  InFreshThread([&] {
    for (const auto& [name, value, speaks] : kCases) {
      const auto price = PriceWith({{name, value}});
      EXPECT_EQ(price->XML().empty(), !speaks) << name;
      auto prices = MakeRef<ICatPriceCol>();
      std::string key;
      EXPECT_EQ(prices->AddObject(price, key), speaks ? price : Nothing) << name;
      EXPECT_EQ(prices->Count(), speaks ? 1 : 0) << name;
    }
  });
}

TEST(ICatPriceTest, NullQuantityAndCurrencyOverflowFailWithValuesReadBeforeKept) {
  LogFolderScope folder;
  InFreshThread([] {
    auto price = PriceWith({{"Available", Variant::Null()}, {"Cost", 1.0}});
    EXPECT_EQ(ErrorOf([&] { price->XML(); }),
              std::pair(94, std::string("ICatPrice | Get XML, Error # 94 at line: 0\r\n"
                                        "Invalid use of Null")));
    price = PriceWith({{"Available", "1"}, {"QuantityToOrder", Variant::Null()}});
    EXPECT_EQ(ErrorOf([&] { price->XML(); }).first, kInvalidUseOfNull);

    price->SetDisplayCol(4);
    EXPECT_EQ(ErrorOf([&] {
                price->SetXML("<Price><MCLdir>D</MCLdir><UrgentFlag>True</UrgentFlag>"
                              "<CoreCost>1</CoreCost><Cost>1000000000000000</Cost>"
                              "<List>2</List></Price>");
              }),
              std::pair(6, std::string("ICatPrice | Let XML, Error # 6 at line: 0\r\nOverflow")));
    EXPECT_EQ(std::tuple(price->MCLdir(), price->UrgentFlag(), price->CoreCost(), price->Cost(),
                         price->List(), price->QuantityToOrder(), price->DisplayCol()),
              std::tuple("D", true, Currency::FromUnits(10000), Currency{}, Currency{},
                         Variant(""), 4));
  });
}

TEST(ICatPriceColTest, AddWritesTheDerivedKeyBackAndChecksKeyBeforeNumbers) {
  LogFolderScope folder;
  InFreshThread([] {
    // mcl_dir, seller, key passed -> key used
    for (const auto& [mcl_dir, seller, given, used] :
         {std::tuple{"D1", "S1", "", "D1"}, {"", "123", "", "S#123"}, {"", "", "", ""},
          {"D1", "S1", "K", "K"}, {"Jobber", "", "", "Jobber"}}) {
      auto prices = MakeRef<ICatPriceCol>();
      std::string key = given;
      const auto price = prices->Add(mcl_dir, "L", seller, "5", "1,234.50", "-2", key);
      EXPECT_EQ(key, used) << mcl_dir << seller;
      EXPECT_EQ(std::tuple(price->Available(), price->Cost(), price->List()),
                std::tuple(Variant("5"), Currency::FromUnits(12345000), Currency::FromUnits(-20000)));
      // A second price under the same key is dropped silently.
      std::string again = used;
      EXPECT_NE(prices->Add("X", "", "", "", "0", "0", again), price);
      EXPECT_EQ(prices->Count(), *used ? 1 : 2) << mcl_dir << seller;
    }

    auto prices = MakeRef<ICatPriceCol>();
    const std::string refused = "ICatPriceCol | Add, Error # 17 at line: 0\r\n" +
                                std::string(kJobberRefused);
    std::string key;
    EXPECT_EQ(ErrorOf([&] { prices->Add("JOBBER", "", "", "1", "", "1", key); }),
              std::pair(17, refused));
    key = "JOBBER";
    EXPECT_EQ(ErrorOf([&] { prices->Add("D", "", "", "1", "1", "1", key); }).first, 17);
    for (const auto& [cost, list] : {std::pair{"", "1"}, {"1", ""}, {"abc", "1"}}) {
      key.clear();
      EXPECT_EQ(ErrorOf([&] { prices->Add("D", "", "", "1", cost, list, key); }),
                std::pair(13, std::string("ICatPriceCol | Add, Error # 13 at line: 0\r\nType mismatch")));
    }
    EXPECT_EQ(prices->Count(), 0);

    // Through dispatch the key comes back in the caller's variable, and may be left out.
    std::vector<Argument> args = {{"", false}, {"L", false}, {"123", false}, {"", false},
                                  {"0", false}, {"0", false}, {"", true}};
    Invoke(*prices, MethodId(2), MemberKind::Method, args);
    EXPECT_EQ(args[6].value, Variant("S#123"));
    args.pop_back();
    Invoke(*prices, MethodId(2), MemberKind::Method, args);
    EXPECT_EQ(prices->Count(), 1);
  });
}

TEST(ICatPriceColTest, AddObjectTakesMissingDirectoriesFromTheGlobalProviders) {
  enum Globals { kNone, kNoDefault, kWithDefault };
  struct Case {
    Globals globals;
    const char* mcl_dir;
    const char* location;
    const char* seller;
    const char* given_key;
    // the key used, then the price's MCLdir, Location and SellerID after the add
    std::tuple<std::string, std::string, std::string, std::string> after;
  };
  const Case kCases[] = {
      {kWithDefault, "", "", "77", "X", {"STORE2", "STORE2", "Second St", "77"}},
      {kNoDefault, "", "", "77", "", {"STORE2", "STORE2", "Second St", "77"}},
      {kWithDefault, "", "store2", "", "", {"STORE2", "STORE2", "Second St", "77"}},
      {kWithDefault, "", "JOBBER", "", "X", {"MAIN", "MAIN", "Main St", "M1"}},
      {kWithDefault, "", "INVOICE", "", "X", {"INVOICE", "INVOICE", "INVOICE", ""}},
      {kWithDefault, "", "", "99", "", {"S#99", "", "", "99"}},
      {kWithDefault, "OWN", "INVOICE", "77", "", {"OWN", "OWN", "INVOICE", "77"}},
      {kWithDefault, "OWN", "", "", "K", {"K", "OWN", "", ""}},
      {kNone, "", "INVOICE", "", "", {"", "", "INVOICE", ""}},
      {kNone, "", "INVOICE", "5", "", {"S#5", "", "INVOICE", "5"}},
  };
  LogFolderScope folder;
  InFreshThread([&] {
    for (const Case& c : kCases) {
      ThreadModel().global_providers = Nothing;
      if (c.globals != kNone) InstallGlobalProviders(c.globals == kWithDefault);
      const auto price = PriceWith({{"MCLdir", c.mcl_dir}, {"Location", c.location},
                                    {"SellerID", c.seller}, {"Available", "1"}});
      auto prices = MakeRef<ICatPriceCol>();
      std::string key = c.given_key;
      EXPECT_EQ(prices->AddObject(price, key), price);
      EXPECT_EQ(std::tuple(key, price->MCLdir(), price->Location(), price->SellerID()), c.after)
          << c.mcl_dir << "/" << c.location << "/" << c.seller;
      EXPECT_EQ(prices->Item(Long{1}), price);
    }

    // Without a default provider JOBBER stays the location, and so the key.
    InstallGlobalProviders(false);
    auto prices = MakeRef<ICatPriceCol>();
    std::string key;
    EXPECT_EQ(ErrorOf([&] {
                prices->AddObject(PriceWith({{"Location", "JOBBER"}, {"Cost", 1.0}}), key);
              }),
              std::pair(17, "ICatPriceCol | AddObject, Error # 17 at line: 0\r\n" +
                                std::string(kJobberRefused)));
    EXPECT_TRUE(prices->AddObject(Nothing, key).IsNothing());

    std::vector<Argument> args = {{Variant(PriceWith({{"SellerID", "77"}, {"Cost", 1.0}})), true},
                                  {"X", true}};
    Invoke(*prices, MethodId(3), MemberKind::Method, args);
    EXPECT_EQ(args[1].value, Variant("STORE2"));
  });
}

TEST(ICatPriceColTest, LookUpsTranslateJobberKeysAndItemNeverRaises) {
  LogFolderScope folder;
  InFreshThread([&] {
    auto prices = MakeRef<ICatPriceCol>();
    EXPECT_FALSE(prices->Exists(Long{1}));
    InstallGlobalProviders(true);
    const auto main = AddPrice(*prices, "MAIN");
    const auto second = AddPrice(*prices, "STORE2");
    const auto jobber = AddPrice(*prices, "Jobber");  // stored, but no key reaches it
    for (const char* alias : {"JOBBER", "jobber", "Jobber"}) {
      EXPECT_EQ(prices->Item(alias), main) << alias;
      EXPECT_TRUE(prices->Exists(alias)) << alias;
    }
    for (const char* alias : {"#77", "S#77", "store2"})
      EXPECT_EQ(prices->Item(alias), second) << alias;
    EXPECT_EQ(prices->Item(Long{3}), jobber);
    std::vector<Argument> by_key = {{"jobber"}};
    EXPECT_EQ(Invoke(*prices, kDispIdValue, MemberKind::Get, by_key), Variant(main));

    // An unknown key or position gives a new price outside the collection.
    for (const auto& [index, text] : {std::pair{Variant("XYZ"), "XYZ"}, {Variant(Long{9}), "9"}}) {
      const auto stand_in = prices->Item(index);
      EXPECT_EQ(std::tuple(stand_in->Location(), stand_in->MCLdir(), prices->Exists(index)),
                std::tuple(text, text, false));
    }
    EXPECT_EQ(prices->Count(), 3);

    prices->Remove("S#77");
    EXPECT_FALSE(prices->Exists("STORE2"));
    ThreadModel().global_providers = Nothing;  // JOBBER now stands for the empty text
    EXPECT_EQ(prices->Item("JOBBER")->Location(), "");
    EXPECT_FALSE(prices->Exists("JOBBER"));
    const std::size_t logged = folder.ErrorLines().size();
    EXPECT_EQ(ErrorOf([&] { prices->Remove("JOBBER"); }).first, kInvalidProcedureCall);
    EXPECT_EQ(ErrorOf([&] { prices->Remove(Long{7}); }).first, kSubscriptOutOfRange);
    EXPECT_EQ(folder.ErrorLines().size(), logged);

    prices->Clear(true);
    EXPECT_EQ(std::tuple(prices->Exists(Long{1}), prices->Item("MAIN")->MCLdir(), prices->XML()),
              std::tuple(false, "MAIN", ""));
  });
}

TEST(ICatPriceColTest, XmlLoadsEveryPriceThroughAddObject) {
  LogFolderScope folder;
  InFreshThread([&] {
    auto prices = MakeRef<ICatPriceCol>();
    EXPECT_EQ(prices->XML(), "");
    std::string key;
    const auto kept = prices->Add("D1", "Loc", "S1", "3", "1.5", "2", key);
    prices->Add("", "", "", "", "0", "0", key = "");  // Add takes empty prices
    const std::string xml =
        "<Prices><Count>2</Count><Collection>" + kept->XML() + "</Collection></Prices>";
    EXPECT_EQ(prices->XML(), xml);

    auto loaded = MakeRef<ICatPriceCol>();
    loaded->SetXML(xml);
    EXPECT_EQ(std::tuple(loaded->Count(), loaded->Item("d1")->Cost()),
              std::tuple(1, Currency::FromUnits(15000)));

    // Members that all write nothing still give Prices and their Count.
    prices->Remove("D1");
    prices->Add("", "", "", "", "0", "0", key = "");
    EXPECT_EQ(prices->XML(), "<Prices><Count>2</Count><Collection></Collection></Prices>");
    loaded->SetXML(prices->XML());
    EXPECT_EQ(loaded->Count(), 0);
    ThreadModel().compress = true;
    EXPECT_EQ(prices->XML(), "<Prices><Count>2</Count></Prices>");
    ThreadModel().compress = false;

    InstallGlobalProviders(true);
    loaded->SetXML(
        "<Prices><Count>4</Count><Collection>"
        "<Price><SellerID>77</SellerID><Available>1</Available></Price>"
        "<Price><Location>INVOICE</Location><Cost>2</Cost></Price>"
        "<Price><MCLdir>store2</MCLdir><Cost>1</Cost></Price>"  // a duplicate, dropped
        "</Collection></Prices>");  // the fourth is an empty price
    EXPECT_EQ(std::tuple(loaded->Count(), loaded->Item(Long{1})->Location(),
                         loaded->Item(Long{2})->MCLdir()),
              std::tuple(2, "Second St", "INVOICE"));

    EXPECT_EQ(ErrorOf([&] { loaded->SetXML("<Count>40000</Count>"); }).first, kOverflow);
    EXPECT_EQ(loaded->Count(), 0);
    const std::size_t logged = folder.ErrorLines().size();
    EXPECT_EQ(ErrorOf([&] {
                loaded->SetXML("<Prices><Count>3</Count><Collection>"
                               "<Price><MCLdir>A</MCLdir><Cost>1</Cost></Price>"
                               "<Price><MCLdir>JOBBER</MCLdir><Cost>1</Cost></Price>"
                               "<Price><MCLdir>C</MCLdir><Cost>1</Cost></Price>"
                               "</Collection></Prices>");
              }).second,
              "ICatPriceCol | Let XML, Error # 17 at line: 0\r\n"
              "ICatPriceCol | AddObject, Error # 17 at line: 0\r\n" +
                  std::string(kJobberRefused));
    EXPECT_EQ(std::tuple(loaded->Count(), loaded->Exists("A")), std::tuple(1, true));
    EXPECT_EQ(folder.ErrorLines().size(), logged + 2);
  });
}

TEST(ICatPriceColTest, TracedOperationsWriteTheirNames) {
  LogFolderScope folder;
  folder.SwitchTraceOn();
  InFreshThread([] {
    FileLogInit();
    auto prices = MakeRef<ICatPriceCol>();
    const auto price = AddPrice(*prices, "A");
    std::string key;
    prices->AddObject(PriceWith({{"Cost", 1.0}}), key);
    prices->Exists("A");
    prices->Item(Long{1});
    prices->Count();
    prices->SetXML("<Prices><Count>1</Count><Collection>" + price->XML() + "</Collection></Prices>");
    prices->XML();
  });
  const std::string col = "ICatPriceCol | ";
  const std::string key = "basGLOBALs | JobberKey";
  EXPECT_EQ(folder.TraceLines(),
            (std::vector<std::string>{col + "Class_Initialize", col + "Clear", col + "Add",
                                      col + "AddObject", key, key, col + "Let XML",
                                      col + "AddObject", col + "Get XML", col + "Clear"}));
}

}  // namespace
}  // namespace lombar
