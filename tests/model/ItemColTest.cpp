#include "lombar/ICatItemCol.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "XmlFuzz.h"
#include "frame/Dispatch.h"
#include "lombar/ICatItem.h"
#include "lombar/ICatPriceCol.h"
#include "lombar/ICatProviderCol.h"
#include "model/ModelState.h"
#include "model/support/CollectionXml.h"

namespace lombar {
namespace {

using Names = std::vector<std::string>;

class CountingSink final : public ICatItemColEvents {
 public:
  explicit CountingSink(int& fired) : fired_(fired) {}
  ~CountingSink() override { fired_ = -1; }  // tells the test the sink went
  void OnCountChanged() override { ++fired_; }

 private:
  int& fired_;
};

// The tests name their items by the Tag.
Names NamesOf(const ICatItemCol& items) {
  Names names;
  for (const Ref<ICatItem>& item : items.Members())
    names.emplace_back(item->Tag());
  return names;
}

void InstallJobber() {
  auto providers = MakeRef<ICatProviderCol>();
  providers->Add("Main", "Main St", "S1", "D1", "", true);
  ThreadModel().global_providers = providers;
}

struct Line {
  std::string name = "";  // the test's name for the item
  Long type = qcit_Part;
  Short group = 0;
  std::string heading = "", description = "", line_code = "", number = "";
  std::string group_number = "", sequence = "", cost = "", available = "1";
  std::string status = "", source = "", xref = "";
};

Ref<ICatItem> MakeItem(const Line& line) {
  auto item = MakeRef<ICatItem>();
  item->SetItemType(line.type);
  item->SetItemGroup(line.group);
  item->SetHeading(line.heading);
  item->SetDescription(line.description);
  item->SetLineCode(line.line_code);
  item->SetItemNumber(line.number);
  item->SetGroupNumber(line.group_number);
  item->SetMCLsequence(line.sequence);
  item->SetItemStatus(Variant(line.status));
  item->SetItemSource(line.source);
  item->SetVendorNumberXRef(line.xref);
  item->SetTag(line.name);
  std::string key;
  if (!line.cost.empty())
    item->PriceCol()->Add("D1", "Main St", "S1", line.available, line.cost, "0", key);
  return item;
}

TEST(ICatItemColTest, AddKeepsTheFirstOfAKeyAndFiresForEveryItemAdded) {
  int fired = 0;
  {
    auto items = MakeRef<ICatItemCol>();
    items->Advise(MakeRef<CountingSink>(fired));
    const auto part = MakeItem({.line_code = "ACD", .number = "012345"});
    EXPECT_EQ(items->Add(part, "ACD012345"), part);
    EXPECT_EQ(items->Add(MakeItem({}), "acd012345"), Nothing);  // keys ignore case
    EXPECT_EQ(items->Add(Nothing, "Other"), Nothing);
    items->Add(part, "");  // an empty key always appends, the same object too
    items->Add(part, "");
    EXPECT_EQ(std::tuple(items->Count(), fired), std::tuple(3, 3));

    // A text whose two items share a unique key loads one and fires once.
    const std::string two = "<Count>2</Count>" + part->XML() + part->XML();
    fired = 0;
    items->SetXML(two);
    EXPECT_EQ(std::tuple(items->Count(), fired), std::tuple(1, 1));
    // Summarising, removing and clearing fire nothing.
    items->Summarize("");
    items->SetXML(two);
    items->Remove(Variant("ACD012345"));
    items->Clear();
    EXPECT_EQ(std::tuple(items->Count(), fired), std::tuple(0, 2));
  }
  EXPECT_EQ(fired, -1);  // released with the collection while still connected
}

TEST(ICatItemColTest, LookupsNeverRaiseAndIgnoreTabs) {
  auto items = MakeRef<ICatItemCol>();
  Variant tabbed("A\tB");
  EXPECT_FALSE(items->Exists(tabbed));  // empty: false, the key still stripped
  EXPECT_EQ(tabbed, Variant("AB"));
  const auto part = items->Add(MakeItem({}), "A\tB");
  for (const Variant& index :
       {Variant("A\tB"), Variant("AB"), Variant(Long{0}), Variant(Long{2})}) {
    EXPECT_FALSE(items->Exists(index)) << index.ToText();
    EXPECT_EQ(items->Item(index), Nothing);
    EXPECT_NO_THROW(items->Remove(index));
  }
  EXPECT_EQ(items->Item(Variant(Long{1})), part);

  // Through dispatch the stripped key reaches the caller's variable.
  std::vector<Argument> args = {{Variant("x\t\ty"), true}};
  Invoke(*items, GetIdOfName(*items, "Exists"), MemberKind::Method, args);
  EXPECT_EQ(args[0].value, Variant("xy"));
  args = {{Variant("\tz"), true}};
  Invoke(*items, kDispIdValue, MemberKind::Get, args);
  EXPECT_EQ(args[0].value, Variant("z"));
}

TEST(ICatItemColTest, XmlCarriesTheVehicleOnlyWithItemsAndALetRenewsVersionAndVehicle) {
  LogFolderScope folder;
  InFreshThread([] {
    auto items = MakeRef<ICatItemCol>();
    items->Vehicle()->SetMake("Acme");
    EXPECT_EQ(items->XML(), "");  // no items: not even the vehicle
    items->SetXML("<Count>1</Count><Item><LineCode>Z</LineCode><ItemTag>Z</ItemTag></Item>");
    EXPECT_EQ(std::tuple(items->XDocVersion(), items->Vehicle()->Make()), std::tuple("", ""));
    items->Vehicle()->SetMake("Acme");
    EXPECT_TRUE(
        items->XML().ends_with("</Collection><Vehicle><Make>Acme</Make></Vehicle></Items>"));
    EXPECT_EQ(items->XDocVersion(), "v3.00");
  });
}

// The lines of a store's case file.
std::vector<Line> StoreLines(const std::string& file) {
  std::vector<Line> lines;
  for (const auto& row : ReadCases(file, 14))
    lines.push_back({row[0], std::stoi(row[1]), Short(std::stoi(row[2])), row[3], row[4], row[5], row[6],
                     row[7], row[8], row[9], row[10], row[11], row[12], row[13]});
  return lines;
}

Ref<ICatItemCol> Store(const std::vector<Line>& lines) {
  auto items = MakeRef<ICatItemCol>();
  for (const Line& line : lines) {
    const auto item = MakeItem(line);
    items->Add(item, item->UniqueKey());
  }
  return items;
}

TEST(ICatItemColTest, SortCatalogOrdersByEachModeOrFailsOnARepeatedUniqueKey) {
  LogFolderScope folder;
  InFreshThread([] {
    InstallJobber();
    const std::vector<Line> lines = StoreLines("model/Store.cases");
    // A related item is tied by an A (alternate) or R (related) cross reference.
    for (const std::string xref : {"A:BOS200", "r:BOS200"}) {
      std::vector<Line> store = lines;
      store[4].xref = xref;
      for (const auto& row : ReadCases("model/StoreSort.cases", 3)) {
        const Long aftermarket = std::stoi(row[0]), non_catalog = std::stoi(row[1]);
        const auto items = Store(store);
        items->SortCatalog(aftermarket, non_catalog);
        std::string names;
        for (const std::string& name : NamesOf(*items)) names += (names.empty() ? "" : " ") + name;
        EXPECT_EQ(names, row[2]) << row.where << " " << xref;
        EXPECT_EQ(std::tuple(items->AftermarketSortMode(), items->NonCatalogSortMode()),
                  std::tuple(aftermarket, non_catalog));
        EXPECT_TRUE(items->Exists(Variant("replace PLUGS")));  // keyed by UniqueKey
      }
    }
    // One item is no sort at all: not even the modes are kept.
    const auto one = Store({lines[0]});
    one->SortCatalog(qCCISdscCostLoHi, qCCISdscCostLoHi);
    EXPECT_EQ(one->AftermarketSortMode(), qCCISundefined);

    // Two items of one unique key under different keys fail the sort, which changes nothing.
    auto twice = MakeRef<ICatItemCol>();
    twice->Add(MakeItem(lines[2]), "third");
    twice->Add(MakeItem(lines[0]), "first");
    twice->Add(MakeItem(lines[0]), "again");
    EXPECT_TRUE(ErrorOf([&] {
                  twice->SortCatalog(0, 0);
                }).second.starts_with("ICatItemCol | SortCatalog, Error # 457"));
    EXPECT_EQ(NamesOf(*twice), (Names{"P3", "P1", "P1"}));
  });
}

TEST(ICatItemColTest, TotalsRoundEachTermToCurrency) {
  InFreshThread([] {
    InstallJobber();
    auto items = MakeRef<ICatItemCol>();
    auto flagged = MakeItem({.cost = "2.5", .available = "0.03125", .status = "order"});
    flagged->PriceCol()->Item(Variant("D1"))->SetQuantityToOrder(Variant("2"));
    std::string key;
    flagged->PriceCol()->Add("INVOICE", "INVOICE", "", "100", "100", "100", key);
    flagged->PriceCol()
        ->Add("D2", "North Rd", "S2", "2", "0.5", "0", key = "")
        ->SetQuantityToOrder(Variant("1"));
    auto held = MakeItem({.cost = "1", .available = "0.03125", .status = "HOLD"});
    held->PriceCol()->Item(Variant("D1"))->SetQuantityToOrder(Variant("9"));
    items->Add(flagged, "");
    items->Add(held, "");
    items->Add(MakeItem({.type = qcit_Labor, .cost = "4", .status = "ORDER"}), "");
    // Totals are over every real location. Each 0.03125 is rounded to 0.0312 (half to even)
    // before it is added; only flagged parts are selected, their cost (2 + 1) x the jobber's 2.5.
    EXPECT_EQ(std::tuple(items->ItemsTotalCount(), items->ItemsTotalCost(),
                         items->ItemsSelectedCount(), items->ItemsSelectedCost()),
              std::tuple(Currency::FromUnits(312 + 20000 + 312 + 10000), Currency::FromUnits(80000),
                         Currency::FromUnits(30000), Currency::FromUnits(75000)));
    items->Clear(true);
    EXPECT_EQ(ErrorOf([&] { return items->ItemsTotalCost(); }).first, kObjectNotSet);
  });
}

TEST(ICatItemColTest, SummarizeRemovesBlankStatusesOrSwitchesTheXml) {
  InFreshThread([] {
    auto items = MakeRef<ICatItemCol>();
    const std::vector<Variant> statuses = {"", "", "ORDER", "   ", "HOLD", Variant(Long{0}), ""};
    for (std::size_t i = 0; i < statuses.size(); ++i) {
      const std::string number = std::to_string(i);
      auto item = MakeItem({.name = "L" + number, .line_code = "L", .number = number});
      item->SetItemStatus(statuses[i]);
      items->Add(item, item->UniqueKey());
    }
    items->Summarize("hideXML");  // an option word: no item goes
    EXPECT_EQ(items->Count(), 7);
    items->Summarize("mode0");
    EXPECT_EQ(NamesOf(*items), (Names{"L2", "L4", "L5"}));
    EXPECT_TRUE(items->Exists(Variant("L5")));  // keys kept

    items->Summarize("ShowXml");
    EXPECT_FALSE(XmlSwitches::OfThread().compress || XmlSwitches::OfThread().zero_suppress);
    items->Summarize("HIDEXML");
    EXPECT_TRUE(XmlSwitches::OfThread().compress && XmlSwitches::OfThread().zero_suppress);
    items->Clear(true);
    EXPECT_NO_THROW(items->Summarize("SHOWXML"));
    EXPECT_EQ(ErrorOf([&] { items->Summarize(""); }).first, kObjectNotSet);
  });
}

TEST(ICatItemColTest, PickListsDrawDistinctValuesFromTheItems) {
  InFreshThread([] {
    InstallJobber();
    const auto items = Store(StoreLines("model/PickStore.cases"));
    Names texts;
    for (const Variant& text : items->GetDescriptions()->Members())
      texts.emplace_back(text.Text());
    EXPECT_EQ(texts, (Names{"Spark Plug", "Oil Change", "Wire"}));
    EXPECT_EQ(items->GetManufacturers()->Count(), 1);  // all empty: one empty entry
    EXPECT_EQ(std::tuple(items->GetItemGroup("oil CHANGE"), items->GetItemGroup("Spark Plugs")),
              std::tuple(Short{4}, Short{0}));

    const auto profiles = [&](Long use_key, Long filter, bool only_available = false) {
      Names found;
      for (const auto& profile : items->GetItemProfiles(use_key, filter, only_available)->Members())
        found.push_back(std::string(profile->Description()) + "/" + std::to_string(profile->ItemType()));
      return found;
    };
    // One profile a description, from the first item that has it, sorted by type then text.
    EXPECT_EQ(profiles(qcips_Description, qcit_FilterAllTypes),
              (Names{"Spark Plug/0", "Oil Change/1", "Wire/5"}));
    EXPECT_EQ(profiles(qcips_NoKeySet, qcit_Part), (Names{"Spark Plug/0", "SPARK PLUG/0"}));
    EXPECT_EQ(profiles(qcips_NoKeySet, qcit_FilterLaborComments),
              (Names{"Oil Change/1", "Oil change/2", "Wire/5"}));
    EXPECT_EQ(profiles(qcips_NoKeySet, qcit_FilterPartsComments),
              (Names{"Spark Plug/0", "SPARK PLUG/0", "Oil change/2", "Wire/5"}));
    // Only the first item has a quantity at a seller location.
    EXPECT_EQ(profiles(qcips_NoKeySet, qcit_FilterAllTypes, true), (Names{"Spark Plug/0"}));
    // A numeric key is held unprefixed after SortBy.
    EXPECT_TRUE(items->GetItemProfiles(qcips_GroupAndType, qcit_Part)->Exists(Variant("12")));

    items->Clear(true);
    EXPECT_EQ(items->GetItemProfiles(qcips_Description, qcit_Part)->Count(), 0);
    EXPECT_EQ(ErrorOf([&] { return items->GetDescriptions(); }).first, kObjectNotSet);
  });
}

// A text in the plain form is read in one pass, any other by the search;
// with a sink connected the search reads them all. Each text here, the
// plain one and each way out of that form, must read the same both ways.
TEST(ICatItemColTest, ATextReadsInOnePassAsTheSearchReadsIt) {
  LogFolderScope logs;
  // A fresh thread logs to the folder just made.
  InFreshThread([] {
    const std::string second = "<Item><LineCode>ACD</LineCode><ItemNumber>K2</ItemNumber></Item>";
    const std::string plain =
        "<Items><XDocVersion>v3.00</XDocVersion><Count>2</Count><Collection><Item>"
        "<LineCode>GTW</LineCode><ItemNumber>K1</ItemNumber><Description>Pump</Description>"
        "<QuantityPerCar>4</QuantityPerCar><Prices><Count>2</Count><Collection><Price>"
        "<MCLdir>D1</MCLdir><Available>4</Available><Cost>1.50</Cost></Price><Price>"
        "<MCLdir>D2</MCLdir><Cost>2</Cost></Price></Collection></Prices></Item>" +
        second + "</Collection></Items>";
    const auto item = [](std::string_view line, std::string_view number) {
      return "<Item><LineCode>" + std::string(line) + "</LineCode><ItemNumber>" +
             std::string(number) + "</ItemNumber></Item>";
    };
    std::string many;  // ten items, L1 to L10
    for (int n = 1; n <= 10; ++n)
      many += item("L", std::to_string(n));
    const std::string top_count = "<Count>2</Count><Collection><Item>";
    const auto counted = [&](int count, const std::string& text) {
      return Changed(text, top_count,
                     "<Count>" + std::to_string(count) + "</Count><Collection><Item>");
    };
    const std::string description = "<Description>Pump</Description>";
    const std::string version = "<XDocVersion>v3.00</XDocVersion>";
    const std::string end = "</Collection></Items>";
    const std::string vehicle =
        "<Vehicle><Year>2011</Year><ICatSpecCol><Count>1</Count><Collection><Spec><Type>VEH"
        "</Type><Group>1</Group><ICatInfoCol><Count>1</Count><Collection><Info Type=\"ENG\" "
        "Line=\"1\" Code=\"E1\" Desc=\"V6\"/></Collection></ICatInfoCol></Spec></Collection>"
        "</ICatSpecCol></Vehicle>";
    const auto changed = Changed;
    const std::string odd_vehicle =
        changed(vehicle, "</Vehicle>",
                "<Item><LineCode>V</LineCode><ItemNumber>V1</ItemNumber></Item></Vehicle>");
    const std::string with_vehicle = changed(plain, end, "</Collection>" + vehicle + "</Items>");
    const std::vector<std::string> texts = {
        plain,
        changed(plain, "Pump", " Nuts &amp; Bolts "),
        changed(plain, "Pump", "P\xc3\xbcmp"),
        changed(plain, top_count, "<Count>1</Count><Collection><Item>"),
        changed(plain, top_count, "<Count>3</Count><Collection><Item>"),
        changed(plain, top_count, "<Count> 2x</Count><Collection><Item>"),
        changed(plain, top_count, "<Count>-1</Count><Collection><Item>"),
        changed(plain, top_count, "<Count>32767</Count><Collection><Item>"),
        changed(plain, top_count, "<Count>40000</Count><Collection><Item>"),
        changed(plain, top_count, "<Collection><Item>"),
        changed(plain, top_count, "<count>2</count><Collection><Item>"),
        changed(plain, end, "</Collection><Count>1</Count></Items>"),
        changed(plain, "<ItemNumber>K1</ItemNumber>",
                "<ItemNumber>K1</ItemNumber><ItemNumber>K9</ItemNumber>"),
        changed(plain, "<ItemNumber>K1</ItemNumber>", "<Note><ItemNumber>K7</ItemNumber></Note>"),
        changed(plain, description, "<Description lang=\"en\">Pump</Description>"),
        changed(plain, description, "<Description/>"),
        changed(plain, description, "<!-- a note --><Description>Pump</Description>"),
        changed(plain, description, "<Description>a<b>c</b></Description>"),
        changed(plain, description, "<Description>Pump</Description >"),
        changed(plain, description, "<Description>Pump</Descripxion>"),
        changed(plain, description, "<Description><![CDATA[Pump]]></Description>"),
        changed(plain, description, "\n  <Description>Pump</Description>\n"),
        changed(plain, version, ""),
        changed(plain, version, "<XDocVersion>v2</XDocVersion><XDocVersion>v1</XDocVersion>"),
        changed(plain, end, "</Collection><XDocVersion>v9</XDocVersion></Items>"),
        changed(plain, "</Prices>",
                "</Prices><Prices><Count>1</Count><Collection><Price><MCLdir>D5</MCLdir>"
                "<Cost>5</Cost></Price></Collection></Prices>"),
        changed(plain, "<MCLdir>D2</MCLdir>", "<SellerID>S7</SellerID>"),
        changed(plain, "<MCLdir>D2</MCLdir>", "<MCLdir>JOBBER</MCLdir>"),
        changed(plain, "<MCLdir>D2</MCLdir><Cost>2</Cost>", "<MCLdir>D2</MCLdir>"),
        changed(plain, "<MCLdir>D2</MCLdir>", "<MCLdir>D1</MCLdir>"),
        changed(plain, "<Cost>1.50</Cost>", "<Cost>abc</Cost>"),
        changed(plain, "<MCLdir>D1</MCLdir><Available>4</Available>",
                "<Available>4</Available><MCLdir>D1</MCLdir>"),
        changed(plain, "<MCLdir>D2</MCLdir>", "<MCLdir>d1</MCLdir>"),
        // Keys met by hash beyond the first few, labor keyed by its texts.
        counted(12, changed(plain, second, many + item("l", "3"))),
        counted(12, changed(plain, second, many + item("L", "13"))),
        counted(3, changed(plain, second,
                           "<Item><ItemType>1</ItemType><LineCode>A</LineCode><Description>Brake "
                           "job</Description></Item><Item><ItemType>1</ItemType><LineCode>B"
                           "</LineCode><Description> brake JOB </Description></Item>")),
        changed(plain, "<Cost>2</Cost>",
                "<PriceTag>t</PriceTag><UrgentFlag>True</UrgentFlag><Cost>2</Cost>"
                "<Margin>0.5</Margin>"),
        changed(plain, "<QuantityPerCar>4</QuantityPerCar>",
                "<QuantityPerCar>99999999999</QuantityPerCar>"),
        changed(plain, second, "<Item></Item>"),
        changed(plain, second, "<Item/>"),
        changed(plain, second, "<Store></Store>" + second),
        changed(plain, second, "<Note><LineCode>ACD</LineCode></Item>"),
        changed(plain, second,
                "<Item><LineCode>ACD</LineCode><Item><LineCode>X</LineCode></Item></Item>"),
        changed(plain, "ACD</LineCode><ItemNumber>K2", "GTW</LineCode><ItemNumber>K1"),
        changed(plain, "<Items>", "<?xml version=\"1.0\"?><Items>"),
        changed(plain, "</Items>", "</Items><Count>5</Count>"),
        changed(plain, "</Items>", "</Items><Items><Count>1</Count></Items>"),
        changed(plain, end, "</Collection></Ite"),
        // The vehicle is read by the search, from where the one pass found it.
        with_vehicle,
        changed(with_vehicle, "</Vehicle>", "</Vehicle>" + changed(vehicle, "2011", "1999")),
        changed(with_vehicle, "</Vehicle>", "</Vehicle><XDocVersion>v8</XDocVersion>"),
        changed(changed(with_vehicle, version, ""), "<Year>",
                "<XDocVersion>v7</XDocVersion><Year>"),
        // An item in the vehicle is a member to the search when it looks past the collection.
        changed(changed(plain, end, "</Collection>" + odd_vehicle + "</Items>"), top_count,
                "<Count>3</Count><Collection><Item>"),
        changed(plain, "<Collection><Item>", odd_vehicle + "<Collection><Item>"),
        changed(with_vehicle, "</Vehicle>", "</Vehicle"),
        "",
        " ",
        "x",
        "<Items/>",
        "<Items></Items>",
        "<Items><Count>1</Count></Items>",
    };
    EXPECT_EQ(FailuresOf(texts, fuzz::CheckItemReadingsAgree), std::vector<std::string>());
  });
}

// Items and prices read in one pass are kept packed until reached: the
// items then stand under their keys; emptying or reading a price collection
// not yet reached forgets what it kept.
TEST(ICatItemColTest, PricesReadInOnePassAreForgottenByAnEmptyingBeforeReached) {
  const auto items = MakeRef<ICatItemCol>();
  const std::string two_prices =
      "<Prices><Count>2</Count><Collection><Price><MCLdir>D1</MCLdir><Cost>1</Cost></Price>"
      "<Price><MCLdir>D2</MCLdir><Cost>2</Cost></Price></Collection></Prices>";
  items->SetXML("<Items><Count>3</Count><Collection><Item><ItemNumber>K1</ItemNumber>" +
                two_prices + "</Item><Item><LineCode>L</LineCode><ItemNumber>K2</ItemNumber>" +
                two_prices +
                "</Item><Item><ItemType>1</ItemType><Description> Brake job </Description>"
                "<Comment>front</Comment></Item></Collection></Items>");
  EXPECT_TRUE(items->Exists(Variant("LK2")));
  EXPECT_TRUE(items->Exists(Variant("Brake job  front")));
  const Ref<ICatPriceCol> emptied = items->Item(Variant(1))->PriceCol();
  emptied->Clear(false);
  EXPECT_EQ(emptied->Count(), 0);
  const Ref<ICatPriceCol> read_again = items->Item(Variant(2))->PriceCol();
  read_again->SetXML(
      "<Prices><Count>1</Count><Collection><Price><MCLdir>D3</MCLdir><Cost>3</Cost></Price>"
      "</Collection></Prices>");
  EXPECT_EQ(read_again->Count(), 1);
}

}  // namespace
}  // namespace lombar
