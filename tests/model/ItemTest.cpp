#include "lombar/ICatItem.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "frame/Dispatch.h"
#include "lombar/ICatProviderCol.h"
#include "model/support/ModelState.h"

namespace lombar {
namespace {

using testing::ErrorOf;
using testing::InFreshThread;
using testing::LogFolderScope;

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
                        std::string_view cost, std::string_view list) {
  std::string key;
  return item.PriceCol()->Add(dir, dir, "", available, cost, list, key);
}

// A part with prices at two real seller locations (D1 with an open order,
// D2 with a placed one) and at the pseudo-locations INVOICE, LOCAL and MSRP.
Ref<ICatItem> PricedPart() {
  auto item = MakeRef<ICatItem>();
  item->SetLineCode("ACD");
  item->SetItemNumber("012345");
  item->SetItemStatus(Variant("Back Order"));
  auto d1 = AddPrice(*item, "D1", "5", "10", "20");
  d1->SetQuantityToOrder(Variant("2"));
  d1->SetCoreList(Currency::FromUnits(20000));
  auto d2 = AddPrice(*item, "D2", "3", "12", "25");
  d2->SetQuantityToOrder(Variant("1"));
  d2->SetDeliveryMessage("Confirmed 12:00");
  AddPrice(*item, "INVOICE", "7", "8", "9")->SetQuantityToOrder(Variant("4"));
  AddPrice(*item, "LOCAL", "9", "6", "7")->SetQuantityToOrder(Variant("6"));
  auto msrp = AddPrice(*item, "MSRP", "", "15", "30");
  msrp->SetCoreList(Currency::FromUnits(30000));
  return item;
}

Variant Call(ICatItem& item, std::string_view member, std::vector<Variant> values,
             MemberKind kind = MemberKind::Method) {
  std::vector<Argument> args;
  for (Variant& value : values)
    args.push_back({std::move(value)});
  return Invoke(item, GetIdOfName(item, member), kind, args);
}

TEST(ICatItemTest, DerivedMembersReadEachSourceAndFallBackToMsrp) {
  InFreshThread([] {
    InstallGlobalProviders();
    const auto item = PricedPart();
    const Variant kShortZero(Short{0});
    // member, key (Missing: omitted), expected value and kind
    const std::vector<std::tuple<std::string, Variant, Variant>> cases = {
        {"QuantityAvailable", Variant::Missing(), 5.0},  // JOBBER is the default provider's D1
        {"QuantityAvailable", "d2", 3.0},
        {"QuantityAvailable", "*ALL*", 8.0},  // real seller locations only
        {"QuantityAvailable", "INVOICE", 7.0},
        {"QuantityAvailable", "XYZ", 0.0},
        {"QuantityToOrder", "#S2", 1.0},
        {"QuantityToOrder", "*ALL*", 3.0},
        {"JobberList", Variant::Missing(), 20.0},
        {"JobberList", "XYZ", Currency::FromUnits(300000)},  // the MSRP amount itself
        {"JobberCost", "*ALL*", 22.0},
        {"JobberCost", "*all*", Currency::FromUnits(150000)},  // an ordinary, absent key
        {"JobberCoreList", "JOBBER", 2.0},
        {"JobberCoreCost", "D2", Currency{}},  // 0 at D2 and at MSRP
        {"SupplierOrderOpen", Variant::Missing(), true},
        {"SupplierOrderOpen", "D2", false},
        {"SupplierOrderOpen", "*ALL*", true},
        {"SupplierOrderPlaced", "JOBBER", false},
        {"SupplierOrderPlaced", "S#S2", true},
        {"SupplierOrderPlaced", "*ALL*", true},
        {"FlaggedToOrder", Variant::Missing(), true},
        {"FlaggedToOrder", "JOBBER", true},
        {"FlaggedToOrder", "D4", false},  // no quantity to order there
    };
    for (const auto& [member, key, expected] : cases) {
      const MemberKind kind =
          member.starts_with("Quantity") ? MemberKind::Get : MemberKind::Method;
      const Variant got = Call(*item, member, key.IsMissing() ? std::vector<Variant>{}
                                                               : std::vector<Variant>{key},
                               kind);
      EXPECT_EQ(got, expected) << member << " " << (key.IsMissing() ? "(default)" : key.ToText());
    }
    EXPECT_EQ(item->QuantityOnTicket(), Variant(4.0));

    // Without any real seller location the sums are the 16-bit 0.
    auto bare = MakeRef<ICatItem>();
    AddPrice(*bare, "MSRP", "4", "3", "2");
    EXPECT_EQ(bare->QuantityAvailable("*ALL*"), kShortZero);
    EXPECT_EQ(bare->JobberCost("*ALL*"), kShortZero);
    EXPECT_EQ(bare->QuantityToOrder("*ALL*"), kShortZero);
  });
}

TEST(ICatItemTest, WithoutGlobalProvidersJobberNamesNoSourceAndQuantityLetFails) {
  LogFolderScope folder;
  InFreshThread([&] {
    const auto item = PricedPart();
    EXPECT_EQ(item->QuantityAvailable(), Variant(0.0));
    EXPECT_EQ(item->JobberList(), Variant(Currency::FromUnits(300000)));
    EXPECT_FALSE(item->SupplierOrderOpen());
    EXPECT_TRUE(item->SupplierOrderPlaced("D2"));
    const auto [number, description] = ErrorOf([&] { item->SetQuantityToOrder("D2", Variant(9)); });
    EXPECT_EQ(number, kObjectNotSet);
    EXPECT_TRUE(description.starts_with("ICatItem | Let QuantityToOrder, Error # 91 at line: 0\r\n"))
        << description;
    EXPECT_EQ(item->PriceCol()->Item(Variant("D2"))->QuantityToOrder(), Variant("1"));
  });
}

TEST(ICatItemTest, QuantityLetsChangeOrAddPricesOfGlobalProviders) {
  InFreshThread([] {
    InstallGlobalProviders();
    const auto item = PricedPart();
    item->SetQuantityToOrder("D3", Variant(5));  // no such provider: nothing happens
    item->SetQuantityToOrder("D4", Variant("0"));  // no price is made for nothing
    EXPECT_EQ(item->PriceCol()->Count(), 5);
    item->SetQuantityToOrder("jobber", Variant(Short{7}));
    EXPECT_EQ(item->PriceCol()->Item(Variant("D1"))->QuantityToOrder(), Variant(Short{7}));

    item->SetQuantityToOrder("D4", Variant(2));
    ASSERT_EQ(item->PriceCol()->Count(), 6);
    const Ref<ICatPrice> added = item->PriceCol()->Item(Variant("D4"));
    EXPECT_EQ(std::tuple(added->MCLdir(), added->Location(), added->SellerID()),
              std::tuple("D4", "East Av", "S4"));
    EXPECT_EQ(std::tuple(added->Available(), added->Cost(), added->QuantityToOrder()),
              std::tuple(Variant("0"), Currency{}, Variant(2)));

    // The ticket quantity lives in the INVOICE price, and is lost without one.
    item->SetQuantityOnTicket(Variant(3));
    EXPECT_EQ(item->QuantityOnTicket(), Variant(3.0));
    item->PriceCol()->Remove(Variant("INVOICE"));
    item->SetQuantityOnTicket(Variant(8));
    EXPECT_EQ(item->QuantityOnTicket(), Variant(0.0));
  });
}

TEST(ICatItemTest, StatusDrivesTheOrderFlags) {
  InFreshThread([] {
    InstallGlobalProviders();
    const auto item = PricedPart();
    // status, FlaggedToOrder(""), SupplierOrderOpen(JOBBER), SupplierOrderPlaced(JOBBER)
    const std::vector<std::tuple<Variant, bool, bool, bool>> cases = {
        {"ORDER", true, true, false},
        {"urgent", true, true, false},
        {"ORDER|URGENT", true, true, false},  // spans two words, bar included
        {"HOLD", false, true, false},
        {"ORDERED", false, true, false},
        {"", false, true, false},
        {"ORDER C#1234", false, false, true},  // an order placed, for every key
        {Variant(Long{0}), false, true, false},
    };
    for (const auto& [status, flagged, open, placed] : cases) {
      item->SetItemStatus(status);
      EXPECT_EQ(item->FlaggedToOrder(), flagged) << status.ToText();
      EXPECT_EQ(item->SupplierOrderOpen(), open) << status.ToText();
      EXPECT_EQ(item->SupplierOrderPlaced(), placed) << status.ToText();
    }
    item->SetItemStatus(Variant("ORDER C#1234"));
    EXPECT_TRUE(item->SupplierOrderPlaced("XYZ"));
    EXPECT_FALSE(item->SupplierOrderOpen("*ALL*"));

    item->SetItemStatus(Variant("ORDER"));
    item->SetItemType(qcit_Labor);
    EXPECT_FALSE(item->FlaggedToOrder());
  });
}

TEST(ICatItemTest, KeysTypesAndProfile) {
  auto item = MakeRef<ICatItem>();
  EXPECT_EQ(item->UniqueKey(), "");
  item->SetLineCode("ACD");
  item->SetItemNumber("012345");
  EXPECT_EQ(std::tuple(item->VendorNumber(), item->UniqueKey()),
            std::tuple("ACD012345", "ACD012345"));
  item->SetItemType(qcit_Labor);
  item->SetDescription("Brake job");
  item->SetComment("Front ");
  EXPECT_EQ(item->UniqueKey(), "Brake job  Front");
  item->SetItemType(qcit_Comment);
  EXPECT_EQ(item->UniqueKey(), "ACD012345");

  // The let stores 0 for every filter value; XML stores what it reads.
  for (const auto& [given, stored] : {std::pair{93, 0}, {90, 0}, {89, 89}, {3, 3}, {-5, -5}}) {
    Call(*item, "ItemType", {Variant(Long{given})}, MemberKind::Let);
    EXPECT_EQ(item->ItemType(), stored) << given;
  }
  item->SetXML("<Item><ItemType>93</ItemType></Item>");
  EXPECT_EQ(item->ItemType(), 93);

  item->SetItemType(qcit_Comment);
  item->SetDescription("Wire");
  item->SetGroupNumber("12");
  item->SetPartTypeCode("340");
  item->SetGenericDescription("Cable");
  item->SetGenericDescriptionID("77");
  item->SetManufacturerName("Acme");
  const Ref<ICatItemProfile> profile = item->GetItemProfile();
  EXPECT_EQ(std::tuple(profile->ItemType(), profile->Description(), profile->GroupNumber(),
                       profile->PartTypeCode(), profile->GenericDescription(),
                       profile->GenericID(), profile->ManufacturerName(), profile->Key()),
            std::tuple(Long{qcit_Comment}, "Wire", "12", "340", "Cable", "77", "Acme", ""));
  EXPECT_NE(item->GetItemProfile(), profile);
}

// A part whose only values are the line code, part number and description,
// with one price.
Ref<ICatItem> SparkPlug() {
  auto item = MakeRef<ICatItem>();
  item->SetLineCode("ACD");
  item->SetItemNumber("012345");
  item->SetDescription("Spark Plug");
  return item;
}

TEST(ICatItemTest, XmlUnderTheThreadSwitches) {
  InFreshThread([] {
    ThreadModel().compress = ThreadModel().zero_suppress = true;
    EXPECT_EQ(SparkPlug()->XML(),
              "<Item><LineCode>ACD</LineCode><ItemNumber>012345</ItemNumber>"
              "<Description>Spark Plug</Description></Item>");

    ThreadModel().compress = ThreadModel().zero_suppress = false;
    const std::string full = SparkPlug()->XML();
    EXPECT_EQ(full,
              "<Item><WorkGroup>0</WorkGroup><MFRcoverageNumber>0</MFRcoverageNumber>"
              "<GroupNumber></GroupNumber><ItemType>0</ItemType><ItemSource></ItemSource>"
              "<ItemStatus></ItemStatus><ItemGroup>0</ItemGroup><ItemHeading></ItemHeading>"
              "<ItemLaborAvailable></ItemLaborAvailable><Manufacturer></Manufacturer>"
              "<LineCode>ACD</LineCode><ItemNumber>012345</ItemNumber>"
              "<PartTypeCode></PartTypeCode><Description>Spark Plug</Description>"
              "<ImageFileName></ImageFileName><ImageCallOut></ImageCallOut>"
              "<ImageURLc2c></ImageURLc2c><ImageURLalt></ImageURLalt><MediaTagID></MediaTagID>"
              "<QuantityPerCar>0</QuantityPerCar><YearRange></YearRange>"
              "<ComponentSide></ComponentSide><Comment></Comment><ItemTag></ItemTag>"
              "<MCLsequence></MCLsequence><VendorNumberXRef></VendorNumberXRef>"
              "<Weight></Weight><GenericDescription></GenericDescription>"
              "<GenericDescriptionID></GenericDescriptionID>"
              "<SupplierStockingFlag></SupplierStockingFlag>"
              "<SupplierMovementFlag></SupplierMovementFlag>"
              "<SupplierMovementRank></SupplierMovementRank>"
              "<SupplierExtendedInfo></SupplierExtendedInfo><LaborOperation></LaborOperation>"
              "<LaborSkill></LaborSkill><LaborRate>0</LaborRate><LaborHRSnormal>0</LaborHRSnormal>"
              "<LaborHRSwarranty>0</LaborHRSwarranty><LaborHRSsevere>0</LaborHRSsevere>"
              "<LaborType></LaborType></Item>");

    // Written with either setting, read back the same; empties stay empty.
    for (const bool on : {false, true}) {
      ThreadModel().compress = ThreadModel().zero_suppress = on;
      auto item = SparkPlug();
      item->SetLaborRate(Currency::FromUnits(123456));
      item->SetWorkGroup(-3);
      item->SetItemStatus(Variant(Long{0}));
      AddPrice(*item, "D1", "1", "2.5", "4");
      auto copy = MakeRef<ICatItem>();
      copy->SetXML(item->XML());
      EXPECT_EQ(copy->XML(), item->XML());
      EXPECT_EQ(std::tuple(copy->LaborRate(), copy->WorkGroup(), copy->ItemType(),
                           copy->Heading(), copy->PriceCol()->Count()),
                std::tuple(Currency::FromUnits(123456), Short{-3}, Long{0}, "", 1));
      // A status is read back as text, whatever kind it was written from.
      EXPECT_EQ(copy->ItemStatus(), on ? Variant("") : Variant("0"));
    }
  });
}

TEST(ICatItemTest, XmlLetReadsWhatItCanAndKeepsWhatItReadBeforeAFailure) {
  LogFolderScope folder;
  auto item = SparkPlug();
  item->SetMFRcoverageNumber(7);
  item->SetDisplayRow(4);
  item->Clear();
  EXPECT_EQ(std::tuple(item->MFRcoverageNumber(), item->DisplayRow(), item->LineCode()),
            std::tuple(7, 4, ""));
  item->SetXML("<Item><Weight>2 lb</Weight></Item>");
  EXPECT_EQ(item->MFRcoverageNumber(), 0);  // read as missing
  EXPECT_EQ(item->DisplayRow(), 4);
  item->Clear();
  EXPECT_NE(item->XML().find("<Weight>2 lb</Weight>"), std::string::npos);  // Clear keeps it

  const auto [number, description] = ErrorOf([&] {
    item->SetXML(
        "<Item><WorkGroup>2.5</WorkGroup><ItemStatus>HOLD</ItemStatus><ItemGroup>40000</ItemGroup>"
        "<ItemHeading>H</ItemHeading><QuantityPerCar>1.23456</QuantityPerCar></Item>");
  });
  EXPECT_EQ(number, kOverflow);
  EXPECT_TRUE(description.starts_with("ICatItem | Let XML, Error # 6 at line: 0\r\n"));
  EXPECT_EQ(std::tuple(item->WorkGroup(), item->ItemStatus(), item->Heading()),
            std::tuple(Short{2}, Variant("HOLD"), ""));  // half to even; the rest stays cleared

  item->SetXML("<Item><QuantityPerCar>1.23456</QuantityPerCar><LaborHRSsevere>x</LaborHRSsevere>"
               "</Item>");
  EXPECT_EQ(std::tuple(item->QuantityPerCar(), item->LaborHRSsevere()),
            std::tuple(Currency::FromUnits(12346), Currency{}));

  item->Clear(true);  // no price collection left
  EXPECT_EQ(ErrorOf([&] { return item->XML(); }).first, kObjectNotSet);
  EXPECT_EQ(ErrorOf([&] { return item->JobberCost(); }).first, kObjectNotSet);
  item->SetPriceCol(MakeRef<ICatPriceCol>());
  EXPECT_NO_THROW(item->XML());
}

}  // namespace
}  // namespace lombar
