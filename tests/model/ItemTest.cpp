#include "lombar/ICatItem.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "frame/Dispatch.h"
#include "lombar/ICatProviderCol.h"
#include "model/ModelState.h"

namespace lombar {
namespace {

// Installs a global provider collection for the thread: D1 the default
// provider (seller S1), D2 (seller S2) and D4 (seller S4), without prices
// anywhere.
void InstallGlobalProviders() {
  auto providers = MakeRef<ICatProviderCol>();
  providers->Add("Main", "Main St", "S1", "D1", "", true);
  providers->Add("North", "North Rd", "S2", "D2", "", false);
  providers->Add("East", "East Av", "S4", "D4", "", false);
  ThreadModel().global_providers = providers;
}

Ref<ICatPrice> AddPrice(ICatItem& item, std::string_view dir, std::string_view available,
                        std::string_view cost, std::string_view list,
                        std::string_view to_order = "") {
  std::string key;
  const auto price = item.PriceCol()->Add(dir, dir, "", available, cost, list, key);
  if (!to_order.empty()) price->SetQuantityToOrder(Variant(to_order));
  return price;
}

// A part with prices at two real seller locations (D1 with an open order,
// D2 with a placed one) and at the pseudo-locations INVOICE, LOCAL and MSRP.
Ref<ICatItem> PricedPart() {
  auto item = MakeRef<ICatItem>();
  item->SetItemStatus(Variant("Back Order"));
  AddPrice(*item, "D1", "5", "10", "20", "2")->SetCoreList(Currency::FromUnits(20000));
  AddPrice(*item, "D2", "3", "12", "25", "1")->SetDeliveryMessage("Confirmed 12:00");
  AddPrice(*item, "INVOICE", "7", "8", "9", "4");
  AddPrice(*item, "LOCAL", "9", "6", "7", "6");
  AddPrice(*item, "MSRP", "", "15", "30")->SetCoreList(Currency::FromUnits(30000));
  return item;
}

TEST(ICatItemTest, DerivedMembersReadEachSourceAndTheStatusAndFallBackToMsrp) {
  InFreshThread([] {
    InstallGlobalProviders();
    const auto item = PricedPart();
    // member, key (Missing: omitted), expected value and kind
    // clang-format off
    const std::vector<std::tuple<std::string, Variant, Variant>> cases = {
        {"QuantityAvailable", Variant::Missing(), 5.0},  // JOBBER is the default provider's D1
        {"QuantityAvailable", "*ALL*", 8.0},             // real seller locations only
        {"QuantityAvailable", "INVOICE", 7.0},        {"QuantityAvailable", "XYZ", 0.0},
        {"QuantityToOrder", "#S2", 1.0},              {"QuantityToOrder", "*ALL*", 3.0},
        {"JobberList", Variant::Missing(), 20.0},
        {"JobberList", "XYZ", Currency::FromUnits(300000)},  // the MSRP amount itself
        {"JobberCost", "*ALL*", 22.0},
        {"JobberCost", "*all*", Currency::FromUnits(150000)},  // an ordinary, absent key
        {"JobberCoreList", "JOBBER", 2.0},            {"JobberCoreCost", "D2", Currency{}},
        {"SupplierOrderOpen", Variant::Missing(), true}, {"SupplierOrderOpen", "D2", false},
        {"SupplierOrderOpen", "*ALL*", true},         {"SupplierOrderPlaced", "JOBBER", false},
        {"SupplierOrderPlaced", "S#S2", true},        {"SupplierOrderPlaced", "*ALL*", true},
        {"FlaggedToOrder", Variant::Missing(), true}, {"FlaggedToOrder", "JOBBER", true},
        {"FlaggedToOrder", "D4", false},  // no quantity to order there
    };
    // clang-format on
    // The C++ hosts' forms of the amounts give them as numbers.
    const std::map<std::string, double (ICatItem::*)(std::string_view) const> as_number = {
        {"QuantityAvailable", &ICatItem::QuantityAvailableAt},
        {"QuantityToOrder", &ICatItem::QuantityToOrderAt},
        {"JobberList", &ICatItem::JobberListAt},
        {"JobberCost", &ICatItem::JobberCostAt},
        {"JobberCoreList", &ICatItem::JobberCoreListAt},
        {"JobberCoreCost", &ICatItem::JobberCoreCostAt}};
    for (const auto& [member, key, expected] : cases) {
      std::vector<Argument> args;
      if (!key.IsMissing()) args.push_back({key});
      const MemberKind kind = member.starts_with("Quantity") ? MemberKind::Get : MemberKind::Method;
      const std::string key_text = key.IsMissing() ? "JOBBER" : key.ToText();
      EXPECT_EQ(Invoke(*item, GetIdOfName(*item, member), kind, args), expected)
          << member << " " << key_text;
      if (const auto typed = as_number.find(member); typed != as_number.end()) {
        EXPECT_EQ(((*item).*(typed->second))(key_text), expected.ToDouble()) << member << key_text;
      }
    }

    // Without any real seller location the sums are the 16-bit 0.
    auto bare = MakeRef<ICatItem>();
    AddPrice(*bare, "MSRP", "4", "3", "2");
    EXPECT_EQ(std::tuple(bare->QuantityAvailable("*ALL*"), bare->JobberCost("*ALL*")),
              std::tuple(Variant(Short{0}), Variant(Short{0})));

    for (const auto& row : ReadCases("model/ItemStatus.cases", 4)) {
      item->SetItemStatus(Variant(row[0]));
      EXPECT_EQ(std::tuple(item->FlaggedToOrder(), item->SupplierOrderOpen(),
                           item->SupplierOrderPlaced()),
                std::tuple(row[1] == "yes", row[2] == "yes", row[3] == "yes"))
          << row.where;
    }
    EXPECT_TRUE(item->SupplierOrderPlaced("XYZ") && !item->SupplierOrderOpen("*ALL*"));
    item->SetItemStatus(Variant("ORDER"));
    item->SetItemType(qcit_Labor);
    EXPECT_FALSE(item->FlaggedToOrder());
  });
}

TEST(ICatItemTest, QuantityLetsChangeOrAddPricesOfGlobalProviders) {
  LogFolderScope folder;
  InFreshThread([] {
    const auto item = PricedPart();
    // Without global providers the let fails before anything changes.
    EXPECT_TRUE(ErrorOf([&] {
                  item->SetQuantityToOrder("D2", Variant(9));
                }).second.starts_with("ICatItem | Let QuantityToOrder, Error # 91 at line: 0\r\n"));
    EXPECT_EQ(item->PriceCol()->Item(Variant("D2"))->QuantityToOrder(), Variant("1"));

    InstallGlobalProviders();
    item->SetQuantityToOrder("D3", Variant(5));    // no such provider: nothing happens
    item->SetQuantityToOrder("D4", Variant("0"));  // no price is made for nothing
    EXPECT_EQ(item->PriceCol()->Count(), 5);
    item->SetQuantityToOrder("jobber", Variant(Short{7}));
    EXPECT_EQ(item->PriceCol()->Item(Variant("D1"))->QuantityToOrder(), Variant(Short{7}));

    item->SetQuantityToOrder("D4", Variant(2));
    const Ref<ICatPrice> added = item->PriceCol()->Item(Variant("D4"));
    EXPECT_EQ(std::tuple(added->MCLdir(), added->Location(), added->SellerID(), added->Available(),
                         added->Cost(), added->QuantityToOrder(), item->PriceCol()->Count()),
              std::tuple("D4", "East Av", "S4", Variant("0"), Currency{}, Variant(2), 6));

    // The ticket quantity lives in the INVOICE price, and is lost without one.
    item->SetQuantityOnTicket(Variant(3));
    EXPECT_EQ(item->QuantityOnTicket(), Variant(3.0));
    item->PriceCol()->Remove(Variant("INVOICE"));
    item->SetQuantityOnTicket(Variant(8));
    EXPECT_EQ(item->QuantityOnTicket(), Variant(0.0));
  });
}

TEST(ICatItemTest, KeysTypesAndProfile) {
  auto item = MakeRef<ICatItem>();
  item->SetLineCode("ACD");
  item->SetItemNumber("012345");
  item->SetDescription("Brake job");
  item->SetComment("Front ");
  item->SetItemType(qcit_Comment);
  EXPECT_EQ(std::tuple(item->VendorNumber(), item->UniqueKey()),
            std::tuple("ACD012345", "ACD012345"));
  item->SetItemType(qcit_Labor);
  EXPECT_EQ(item->UniqueKey(), "Brake job  Front");

  // The let stores 0 for every filter value; XML stores what it reads.
  for (const auto& [given, stored] : {std::pair{93, 0}, {90, 0}, {89, 89}, {-5, -5}}) {
    std::vector<Argument> args = {{Variant(Long{given})}};
    Invoke(*item, GetIdOfName(*item, "ItemType"), MemberKind::Let, args);
    EXPECT_EQ(item->ItemType(), stored) << given;
  }
  item->SetXML(
      "<Item><ItemType>93</ItemType><Description>Wire</Description><GroupNumber>12"
      "</GroupNumber><PartTypeCode>340</PartTypeCode><GenericDescription>Cable"
      "</GenericDescription><GenericDescriptionID>77</GenericDescriptionID>"
      "<Manufacturer>Acme</Manufacturer></Item>");
  const Ref<ICatItemProfile> profile = item->GetItemProfile();
  EXPECT_EQ(std::tuple(profile->ItemType(), profile->Description(), profile->GroupNumber(),
                       profile->PartTypeCode(), profile->GenericDescription(), profile->GenericID(),
                       profile->ManufacturerName(), profile->Key()),
            std::tuple(93, "Wire", "12", "340", "Cable", "77", "Acme", ""));
  EXPECT_NE(item->GetItemProfile(), profile);
}

TEST(ICatItemTest, XmlLetKeepsTheScreenPositionAndClearKeepsTheWeight) {
  LogFolderScope folder;
  auto item = MakeRef<ICatItem>();
  item->SetMFRcoverageNumber(7);
  item->SetDisplayRow(4);
  item->SetXML("<Item><Weight>2 lb</Weight></Item>");
  EXPECT_EQ(std::tuple(item->MFRcoverageNumber(), item->DisplayRow()), std::tuple(0, 4));
  item->Clear();
  EXPECT_NE(item->XML().find("<Weight>2 lb</Weight>"), std::string::npos);
  EXPECT_EQ(ErrorOf([&] { item->SetXML("<ItemGroup>40000</ItemGroup>"); }).first, kOverflow);

  item->Clear(true);  // no price collection left
  EXPECT_EQ(ErrorOf([&] { return item->JobberCost(); }).first, kObjectNotSet);
  item->SetPriceCol(MakeRef<ICatPriceCol>());
  EXPECT_NO_THROW(item->XML());
}

}  // namespace
}  // namespace lombar
