#include "lombar/ICatalog.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "XmlFuzz.h"
#include "frame/Dispatch.h"
#include "model/LocationKeys.h"
#include "model/ModelState.h"

namespace lombar {
namespace {

const std::string kObjectNotSet91 =
    "Error # 91 at line: 0\r\nObject variable or With block variable not set";

struct PartValues {
  std::string_view line_code;
  std::string_view item_number;
  std::string_view group = "G1";
  Long coverage = 5;
  std::string_view part_type = "PT1";
};

// A part with prices at `price_dirs`.
Ref<ICatItem> Part(const PartValues& values, std::string_view status = "",
                   std::initializer_list<std::string_view> price_dirs = {}) {
  auto item = MakeRef<ICatItem>();
  item->SetLineCode(values.line_code);
  item->SetItemNumber(values.item_number);
  item->SetGroupNumber(values.group);
  item->SetMFRcoverageNumber(values.coverage);
  item->SetPartTypeCode(values.part_type);
  item->SetItemStatus(Variant(status));
  for (const std::string_view dir : price_dirs) {
    std::string key;
    item->PriceCol()->Add(dir, dir, "", "1", "10", "20", key);
  }
  return item;
}

Ref<ICatItemCol> ItemsOf(std::initializer_list<Ref<ICatItem>> items) {
  auto collection = MakeRef<ICatItemCol>();
  for (const Ref<ICatItem>& item : items)
    collection->Add(item, item->UniqueKey());
  return collection;
}

// Providers, made the global ones: D1 the default (seller S1), D2 a VWH
// location (S2), D3 (S3), D4 marked default after D1. Stores: the primary D1
// holds ACD100 (`primary_status`, priced everywhere) and ACD200 (no status,
// priced at D2, D3); D2: ACD100; D3: ACD100 and ACD400 on HOLD; D4 is empty.
Ref<ICatalog> FourStoreCatalog(std::string_view primary_status = "ORDER") {
  auto catalog = MakeRef<ICatalog>();
  const auto providers = catalog->Providers();
  providers->Add("Main", "Main St", "S1", "D1", "", true);
  providers->Add("Warehouse", "Dock", "S2", "D2", "", false)->SetLocationType("VWH");
  providers->Add("North", "North Rd", "S3", "D3", "", false)->SetLocationType("STORE");
  providers->Add("East", "East Av", "S4", "D4", "Tomorrow", true);
  catalog->GlobalProviders_Create();
  const auto stores = catalog->Stores();
  stores->Add("D1", ItemsOf({Part({"ACD", "100"}, primary_status, {"D1", "D2", "D3", "D4"}),
                             Part({"ACD", "200"}, "", {"D2", "D3"})}));
  stores->Add("D2", ItemsOf({Part({"ACD", "100"})}));
  stores->Add("D3", ItemsOf({Part({"ACD", "100"}), Part({"ACD", "400"}, "HOLD")}));
  stores->Add("D4", ItemsOf({}));
  return catalog;
}

Ref<ICatItem> ItemIn(const ICatalog& catalog, std::string_view store, std::string_view key) {
  return catalog.Stores()->Item(store)->Items()->Item(Variant(key));
}

// "D1:100,200 D2:100 ...": each store with the item numbers it holds.
std::string Contents(const ICatalog& catalog) {
  std::string text;
  for (const Ref<ICatStore>& store : catalog.Stores()->Members()) {
    text.append(text.empty() ? "" : " ").append(store->MCLdir()).append(":");
    for (const Ref<ICatItem>& item : store->Items()->Members())
      text.append(text.back() == ':' ? "" : ",").append(item->ItemNumber());
  }
  return text;
}

std::string PriceDirectories(const ICatItem& item) {
  std::string text;
  for (const Ref<ICatPrice>& price : item.PriceCol()->Members())
    text.append(text.empty() ? "" : ",").append(price->MCLdir());
  return text;
}

// A store named in the characters hosts on code page 1252 type is found by
// its name in any letter case.
TEST(ICatalogTest, StoreKeysOfWindowsCharactersIgnoreLetterCase) {
  InFreshThread([] {
    auto stores = MakeRef<ICatStoreCol>();
    const auto store =
        stores->Add("Driver\u2019s \u2026\u2122\u20AC \u0160\u0153\u0178", ItemsOf({}));
    EXPECT_EQ(stores->Item("dRIVER\u2019S \u2026\u2122\u20AC \u0161\u0152\u00FF"), store);
  });
}

TEST(ICatalogTest, XmlLetRenewsTheChildrenAndFilesAnOldStyleDocumentAsTheDefaultStore) {
  LogFolderScope folder;
  InFreshThread([] {
    auto catalog = MakeRef<ICatalog>();
    EXPECT_EQ(catalog->XML(), "<Catalogs><XDocVersion>v3.00</XDocVersion></Catalogs>");
    const auto providers = MakeRef<ICatProviderCol>();
    providers->Add("North", "", "S3", "D3", "", false);
    catalog->SetProviders(providers);
    catalog->GlobalProviders_Create();  // with no default provider
    catalog->SetStores(Nothing);
    EXPECT_TRUE(catalog->Providers() == providers && catalog->Stores().IsNothing());
    EXPECT_EQ(ErrorOf([&] { catalog->XML(); }).second, "ICatalog | Get XML, " + kObjectNotSet91);
    // The opening in any letter case; new children, their former holders keep theirs.
    const std::string vehicle = "<Vehicle><Make>Ford</Make></Vehicle>";
    catalog->SetXML("<catalogs>" + vehicle + "</catalogs>");
    EXPECT_EQ(
        std::tuple(catalog->XML(), providers->Count()),
        std::tuple("<Catalogs><XDocVersion>v3.00</XDocVersion>" + vehicle + "</Catalogs>", 1));

    const std::string old_style =
        R"(<?xml version="1.0"?>)" + ItemsOf({Part({"ACD", "100"}), Part({"ACD", "200"})})->XML();
    EXPECT_EQ(ErrorOf([&] { catalog->SetXML(old_style); }).second,
              "ICatalog | Let XML, Error # 91 at line: 0\r\n"
              "ICatalog | ConvertOldStyleXMLItems, " +
                  kObjectNotSet91);
    EXPECT_EQ(std::tuple(catalog->Providers()->Count(), catalog->Stores()->Count()),
              std::tuple(1, 0));
    FourStoreCatalog();  // its providers become the global ones, D1 the default
    catalog->SetXML(old_style);
    EXPECT_EQ(Contents(*catalog), "D1:100,200");
    EXPECT_EQ(catalog->XML(), "<Catalogs><XDocVersion>v3.00</XDocVersion>" +
                                  ThreadModel().global_providers->XML() + catalog->Stores()->XML() +
                                  "</Catalogs>");
  });
}

TEST(ICatalogTest, GlobalSnapshotsAreCopiesThatOutliveTheirCatalog) {
  InFreshThread([] {
    auto catalog = FourStoreCatalog();
    catalog->GlobalStores_Create();
    const Ref<ICatProviderCol> providers = ThreadModel().global_providers;
    const Ref<ICatStoreCol> stores = ThreadModel().global_stores;
    EXPECT_TRUE(providers != catalog->Providers() && stores != catalog->Stores());

    catalog = MakeRef<ICatalog>();  // the first one is gone; this one has no providers or stores
    catalog->GlobalProviders_Create();
    catalog->GlobalStores_Create();
    EXPECT_TRUE(ThreadModel().global_providers == providers &&
                ThreadModel().global_stores == stores);
    EXPECT_EQ(stores->Item("JOBBER")->MCLdir(), "D1");
    catalog->GlobalProviders_Destroy();
    catalog->GlobalStores_Destroy();
    EXPECT_TRUE(ThreadModel().global_providers.IsNothing() &&
                ThreadModel().global_stores.IsNothing());
    EXPECT_EQ(JobberKey("JOBBER"), Variant(""));
  });
}

TEST(ICatalogTest, FindItemInStoreMatchesTheVendorNumberThenCrossReferencesFindTypeLessTheNumber) {
  LogFolderScope folder;
  InFreshThread([&] {
    auto catalog = FourStoreCatalog();
    catalog->Stores()->Add(
        "D5", ItemsOf({Part({"ACD", "100"}), Part({"BBB", "777"}), Part({"CCC", "100", "G1", 6}),
                       Part({"DDD", "200", "G2"})}));
    // query, then the item numbers FindItemInStore and FindTypeInStore find ("" for Nothing)
    const std::vector<std::tuple<PartValues, std::string, std::string>> cases = {
        {{"ACD", "100", "G9", 9, "PTX"}, "100", "100"},  // the vendor number, whatever the rest
        {{"XYZ", "777"}, "777", "100"},                  // another line code; the first of the type
        {{"XYZ", "100", "G1", 6}, "100", "100"},
        {{"XYZ", "999", "G2"}, "", "200"},
        {{"XYZ", "100", "g1"}, "", ""},  // texts compare exactly
        {{"XYZ", "100", "G1", 5, "PT2"}, "", ""}};
    const auto number = [](const Ref<ICatItem>& item) { return item ? item->ItemNumber() : ""; };
    for (const auto& [query, by_item, by_type] : cases) {
      EXPECT_EQ(number(catalog->FindItemInStore(Part(query), "d5")), by_item) << query.line_code;
      EXPECT_EQ(number(catalog->FindTypeInStore(Part(query), "D5")), by_type) << query.line_code;
    }
    const auto d2_part = ItemIn(*catalog, "D2", "ACD100");
    EXPECT_EQ(catalog->FindItemInStore(Part({"ACD", "100"}), "#S2"), d2_part);
    EXPECT_FALSE(catalog->FindItemInStore(d2_part, "") || catalog->FindItemInStore(Nothing, "D2") ||
                 catalog->FindTypeInStore(d2_part, "D9"));
    EXPECT_TRUE(folder.ErrorLines().empty());
    catalog->Stores()->Add("D6", Nothing);
    EXPECT_FALSE(catalog->FindItemInStore(d2_part, "D6") ||
                 catalog->FindTypeInStore(d2_part, "D6"));
    const std::string not_set = " at line: 0][Object variable or With block variable not set";
    EXPECT_EQ(folder.ErrorLines(),
              (std::vector<std::string>{// logged, not raised
                                        "ICatalog | FindItemInStore, Error # 91" + not_set,
                                        "ICatalog | FindTypeInStore, Error # 91" + not_set}));
  });
}

TEST(ICatalogTest, MatchItemStatusReachesOnlyStoresOfVwhProviders) {
  LogFolderScope folder;
  InFreshThread([] {
    auto catalog = FourStoreCatalog();
    const auto primary = ItemIn(*catalog, "D1", "ACD100");
    primary->PriceCol()->Item("D2")->SetQuantityToOrder(Variant("3"));
    const auto in_d2 = ItemIn(*catalog, "D2", "ACD100");
    const auto in_d3 = ItemIn(*catalog, "D3", "ACD100");
    std::string key;
    const auto d2_price = in_d2->PriceCol()->Add("D2", "D2", "", "1", "10", "20", key);
    catalog->MatchItemStatus(primary, "D3");  // not a VWH location
    catalog->MatchItemStatus(primary, "D9");
    catalog->MatchItemStatus(Nothing, "D2");
    EXPECT_EQ(std::tuple(in_d2->ItemStatus(), in_d3->ItemStatus()),
              std::tuple(Variant(""), Variant("")));

    catalog->MatchItemStatus(primary, "#S2");
    EXPECT_EQ(std::tuple(in_d2->ItemStatus(), d2_price->QuantityToOrder()),
              std::tuple(Variant("ORDER"), Variant("3")));
    catalog->MatchItemStatus(Part({"ACD", "100"}, "URGENT"), "D2");  // no price of its own at D2
    EXPECT_EQ(std::tuple(in_d2->ItemStatus(), d2_price->QuantityToOrder()),
              std::tuple(Variant("URGENT"), Variant("3")));

    catalog->SetProviders(Nothing);
    EXPECT_EQ(ErrorOf([&] { catalog->MatchItemStatus(primary, "D2"); }).second,
              "ICatalog | MatchItemStatus, " + kObjectNotSet91);
  });
}

TEST(ICatalogTest, SummarizeDropsUnmarkedItemsThenThePricesOfEmptyStores) {
  LogFolderScope folder;
  InFreshThread([] {
    // The option, the primary ACD100's status, then the stores' contents and the
    // prices of the primary ACD100 and ACD200 (even once dropped) after Summarize.
    const std::array<std::string_view, 4> cases[] = {
        {"VWH", "ORDER", "D1:100,200 D2: D3:100,400 D4:", "D1,D3,D4 D3"},
        {"*ALL*", "ORDER", "D1:100 D2: D3:400 D4:", "D1,D3,D4 D2,D3"},
        {"D3", "ORDER", "D1:100,200 D2:100 D3:400 D4:", "D1,D2,D3,D4 D2,D3"},
        {"vwh", "ORDER", "D1:100,200 D2:100 D3:100,400 D4:", "D1,D2,D3,D4 D2,D3"},
        // The primary store summarised to empty: every store emptied, no price removed.
        {"*ALL*", "", "D1: D2: D3: D4:", "D1,D2,D3,D4 D2,D3"}};
    for (const auto& [option, primary_status, contents, prices] : cases) {
      const auto catalog = FourStoreCatalog(primary_status);
      const auto first = ItemIn(*catalog, "D1", "ACD100");
      const auto second = ItemIn(*catalog, "D1", "ACD200");
      catalog->Summarize(option);
      EXPECT_EQ(Contents(*catalog), contents) << option;
      EXPECT_EQ(PriceDirectories(*first) + " " + PriceDirectories(*second), prices) << option;
    }
    auto catalog = FourStoreCatalog();
    std::vector<Argument> omitted;
    Invoke(*catalog, MethodId(9), MemberKind::Method, omitted);  // "*ALL*"
    EXPECT_EQ(Contents(*catalog), "D1:100 D2: D3:400 D4:");

    catalog = FourStoreCatalog();
    catalog->SetProviders(Nothing);
    catalog->Summarize("VWH");  // nothing at all, not even the price clean-up
    EXPECT_EQ(Contents(*catalog), "D1:100,200 D2:100 D3:100,400 D4:");
    catalog = FourStoreCatalog();
    for (const Ref<ICatProvider>& provider : catalog->Providers()->Members())
      provider->SetDefault(false);
    EXPECT_EQ(ErrorOf([&] { catalog->Summarize("VWH"); }).second,
              "ICatalog | Summarize, Error # 91 at line: 50\r\n"
              "Object variable or With block variable not set");
    EXPECT_EQ(Contents(*catalog), "D1:100,200 D2: D3:100,400 D4:");  // summarised all the same
  });
}

// A document in the plain form is read in one pass, any other by the search;
// with the one pass off the search reads them all. Each text here, the plain
// one and each way out of that form, must read the same both ways.
TEST(ICatalogTest, ADocumentReadsInOnePassAsTheSearchReadsIt) {
  LogFolderScope logs;
  InFreshThread([] {
    const std::string vehicle =
        "<Vehicle><Year>2011</Year><ICatSpecCol><Count>1</Count><Collection><Spec><Type>VEH"
        "</Type><Group>1</Group><ICatInfoCol><Count>1</Count><Collection><Info Type=\"ENG\" "
        "Line=\"1\"/></Collection></ICatInfoCol></Spec></Collection></ICatSpecCol></Vehicle>";
    const std::string providers =
        "<ICatProviderCol><Count>1</Count><Collection><Provider Default=\"True\"><Name>North"
        "</Name><MCLdir>D1</MCLdir></Provider></Collection></ICatProviderCol>";
    const std::string presets =
        "<ICatPresetCol><Count>1</Count><Collection><ICatPreset><Category>Brakes</Category>"
        "</ICatPreset></Collection></ICatPresetCol>";
    const std::string lists =
        "<ICatListCol><Count>1</Count><Collection><ICatList><ListID>7</ListID></ICatList>"
        "</Collection></ICatListCol>";
    const std::string info =
        "<ICatInfoCol><Count>1</Count><Collection><Info Type=\"TAX\" Line=\"1\" "
        "Default=\"True\"/></Collection></ICatInfoCol>";
    const std::string items =
        "<Items><XDocVersion>v3.00</XDocVersion><Count>1</Count><Collection><Item><LineCode>GTW"
        "</LineCode><ItemNumber>K1</ItemNumber><Prices><Count>1</Count><Collection><Price>"
        "<MCLdir>D2</MCLdir><Cost>1.50</Cost></Price></Collection></Prices></Item></Collection>"
        "</Items>";
    const std::string first_store = "<Store><MCLdir>D1</MCLdir>" + info + items + "</Store>";
    const std::string second_store = "<Store><MCLdir>D2</MCLdir>" + items + "</Store>";
    const std::string stores = "<ICatStoreCol><Count>2</Count><Collection>" + first_store +
                               second_store + "</Collection></ICatStoreCol>";
    const std::string plain = "<Catalogs><XDocVersion>v3.00</XDocVersion>" + vehicle + providers +
                              presets + stores + lists + "</Catalogs>";
    const auto changed = Changed;
    // The second store's items with a vehicle of their own, holding `inside`.
    const auto items_vehicle = [&](std::string_view inside) {
      return Changed(plain, "</Collection></Items></Store></Collection>",
                     "</Collection><Vehicle><Make>Kia</Make>" + std::string(inside) +
                         "</Vehicle></Items></Store></Collection>");
    };
    const std::vector<std::string> texts = {
        plain,
        changed(changed(plain, "<Catalogs>", "<catalogs>"), "</Catalogs>", "</catalogs>"),
        changed(changed(plain, lists, ""), presets, lists + presets),
        changed(changed(plain, providers, ""), "</Catalogs>", providers + "</Catalogs>"),
        changed(plain, vehicle, ""),
        changed(plain, "<XDocVersion>v3.00</XDocVersion><Vehicle>",
                "<XDocVersion>1</XDocVersion><XDocVersion>2</XDocVersion><Vehicle>"),
        changed(plain, "<Catalogs><XDocVersion>v3.00</XDocVersion>", "<Catalogs>"),
        // A part the search finds first elsewhere than the cursor meets it.
        changed(items_vehicle(""), vehicle, ""),
        items_vehicle(""),
        items_vehicle("<ICatSpecCol><Count>1</Count><Collection><Spec><Group>2</Group>" +
                      changed(info, "TAX", "OWN") + "</Spec></Collection></ICatSpecCol>"),
        items_vehicle("<Note></Items></Note>"),
        items_vehicle("<Note></Store></Note>"),
        items_vehicle("<Note></ICatStoreCol></Note>"),
        items_vehicle("<XDocVersion>v9</XDocVersion>"),
        changed(changed(plain, lists, ""), "<Year>", "<Note>" + lists + "</Note><Year>"),
        changed(plain, "Default=\"True\"/>", "Default=\"True\"/><Items><Count>0</Count></Items>"),
        changed(plain, "<Store><MCLdir>D2</MCLdir>" + items,
                "<Store>" + items + "<MCLdir>D3</MCLdir>"),
        changed(plain, "<Store><MCLdir>D2</MCLdir>", "<Store>"),
        changed(plain, "<MCLdir>D1</MCLdir>" + info + items, "<MCLdir>D1</MCLdir>" + items + info),
        changed(plain, "<MCLdir>D1</MCLdir><ICat", "<MCLdir>D&amp;1</MCLdir><ICat"),
        // Parts twice, unknown or out of place.
        changed(plain, presets, presets + changed(presets, "Brakes", "Lamps")),
        changed(plain, presets, stores),
        changed(plain, lists, changed(vehicle, "2011", "1999")),
        changed(plain, presets, "<Note>x</Note>"),
        changed(changed(plain, lists, ""), "</Catalogs>", "</Catalogs>" + lists),
        changed(plain, "</Catalogs>", "</Catalogs> \n"),
        changed(plain, "<Count>2</Count><Collection><Store>",
                "<Count>3</Count><Collection><Store>"),
        changed(plain, "<Count>2</Count><Collection><Store>",
                "<Count>1</Count><Collection><Store>"),
        changed(plain, "<Count>2</Count><Collection><Store>", "<Collection><Store>"),
        changed(plain, "<Year>", "<!-- made --><Year>"),
        // Errors: in the one pass, and in a part the search reads.
        changed(plain, "<MCLdir>D1</MCLdir><ICat", "<MCLdir>JOBBER</MCLdir><ICat"),
        changed(plain, "<Cost>1.50</Cost>", "<Cost>abc</Cost>"),
        changed(plain, "Default=\"True\"/>", "Default=\"maybe\"/>"),
        changed(plain, "<Group>1</Group>", ""),
        changed(plain, "</Catalogs>", "</Catalog>"),
        changed(plain, "</Vehicle>", "</Vehicle"),
        "<Catalogs>",
        "<CATALOGS></CATALOGS>",
        "<Catalogs/>",
    };
    EXPECT_EQ(FailuresOf(texts, fuzz::CheckCatalogReadingsAgree), std::vector<std::string>());
  });
}

}  // namespace
}  // namespace lombar
