// Shared by the provider and provider collection tests.
#pragma once

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "frame/Dispatch.h"
#include "frame/TypeInfo.h"
#include "lombar/ICatProvider.h"

namespace lombar::testing {

// A provider whose every value differs from its initial one, each set by
// name through its dispatch interface.
inline Ref<ICatProvider> FullySetProvider() {
  const std::pair<const char*, Variant> kValues[] = {
      {"Name", "Acme & Sons"},      {"Location", "Main St"},     {"LocationType", "STORE"},
      {"SellerID", "AB12"},         {"SellerName", "Acme"},      {"IconText", "icon"},
      {"MCLdir", "ACME1"},          {"Priority", "1"},           {"DeliveryMessage", "Today"},
      {"DeliveryTrackID", "D9"},    {"TransferTrackID", "T9"},   {"DistanceFromYou", 2.5f},
      {"AssocLineCode", "AC"},      {"MsgLineCode", "MS"},       {"Tag", "t"},
      {"DynamicPricingFlag", "P"},  {"DynamicDisplayFlag", "D"}, {"DynamicListPriceFlag", "L"},
      {"AllowPhantomAltLoc", true}, {"DisplayName", true},       {"DisplayLocation", false},
      {"DisplayMessage", true},     {"ShopPrice", true},         {"ShopDistance", true},
      {"ShopProfitMin", "12.3456"}, {"OrderSplitLoc", true},     {"OrderSplitTot", true},
      {"OrderSplitRelease", "R1"},  {"LineColorPri", "Red"},     {"LineColorAlt", "Blue"},
      {"LineColorVWH", "#0F0"},     {"ShippingRequired", true},  {"ShippingCostPerLB", 0.75},
      {"ShippingMinPieceCount", 3}, {"ShippingCarrDesc", "UPS"}, {"ShippingAcctNum", "A-1"},
      {"LinesIncluded", "ACD"},     {"LinesExcluded", "XYZ"},    {"Default", true},
      {"EditDate", "2024-01-02"},   {"FileDate", "2024-01-03"}};
  auto provider = MakeRef<ICatProvider>();
  for (const auto& [name, value] : kValues) {
    std::vector<Argument> args = {{value}};
    Invoke(*provider, GetIdOfName(*provider, name), MemberKind::Let, args);
  }
  return provider;
}

inline constexpr std::string_view kFullySetXml =
    R"(<Provider Default="True" EditDate="2024-01-02" FileDate="2024-01-03">)"
    "<Name>Acme &amp; Sons</Name><Location>Main St</Location><LocationType>STORE</LocationType>"
    "<SellerID>AB12</SellerID><SellerName>Acme</SellerName><IconText>icon</IconText>"
    "<MCLdir>ACME1</MCLdir><Priority>1</Priority><DeliveryMessage>Today</DeliveryMessage>"
    "<DeliveryTrackID>D9</DeliveryTrackID><TransferTrackID>T9</TransferTrackID>"
    "<DistanceFromYou>2.5</DistanceFromYou><AssocLineCode>AC</AssocLineCode>"
    "<MsgLineCode>MS</MsgLineCode><Tag>t</Tag><DynamicPricing>P</DynamicPricing>"
    "<DynamicDisplay>D</DynamicDisplay><DynamicListPrice>L</DynamicListPrice>"
    "<AllowPhantomAltLoc>True</AllowPhantomAltLoc>"
    R"(<Display Name="True" Location="False" Message="True"/>)"
    R"(<Shop Price="True" Distance="True" ProfitMin="12.3456"/>)"
    R"(<Orders SplitLoc="True" SplitTot="True" SplitRelease="R1"/>)"
    R"(<LineColor PRI="Red" ALT="Blue" VWH="#0F0"/>)"
    "<ShippingRequired>True</ShippingRequired><ShippingCostPerLB>0.75</ShippingCostPerLB>"
    "<ShippingMinPieceCount>3</ShippingMinPieceCount><ShippingCarrDesc>UPS</ShippingCarrDesc>"
    "<ShippingAcctNum>A-1</ShippingAcctNum><LinesInc>ACD</LinesInc><LinesExc>XYZ</LinesExc>"
    "</Provider>";

}  // namespace lombar::testing
