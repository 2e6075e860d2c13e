#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "TestSupport.h"
#include "lombar/ICatProvider.h"
#include "model/support/ModelState.h"

namespace lombar {
namespace {

// Every value of a provider differing from its initial one: read back, it is written the same.
constexpr std::string_view kFullySetXml =
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

// What a new provider writes: empty and zero leaves left out, flags and the
// attribute-only elements always there.
constexpr std::string_view kFreshXml =
    R"(<Provider Default="False" EditDate="" FileDate="">)"
    "<AllowPhantomAltLoc>False</AllowPhantomAltLoc>"
    R"(<Display Name="False" Location="True" Message="False"/>)"
    R"(<Shop Price="False" Distance="False" ProfitMin="0"/>)"
    R"(<Orders SplitLoc="False" SplitTot="False" SplitRelease=""/>)"
    R"(<LineColor PRI="" ALT="" VWH=""/>)"
    "<ShippingRequired>False</ShippingRequired></Provider>";

Ref<ICatProvider> Loaded(std::string_view xml) {
  auto provider = MakeRef<ICatProvider>();
  provider->SetXML(xml);
  return provider;
}

TEST(ICatProviderTest, XmlIsCompressedWhateverTheSwitchesAndLetStopsAtAnOverflow) {
  testing::LogFolderScope folder;
  testing::InFreshThread([] {
    ASSERT_FALSE(ThreadModel().compress || ThreadModel().zero_suppress);
    EXPECT_EQ(MakeRef<ICatProvider>()->XML(), kFreshXml);
    EXPECT_EQ(Loaded(kFullySetXml)->XML(), kFullySetXml);

    // Without a Display element DisplayLocation reads false, though Clear made it true.
    const auto numbers =
        Loaded(R"(<Provider Default="true"><DistanceFromYou> 12.5 miles</DistanceFromYou>)"
               R"(<Shop Price="yes" ProfitMin="1.23456"/><ShippingCostPerLB>abc)"
               "</ShippingCostPerLB><ShippingMinPieceCount>2.5</ShippingMinPieceCount></Provider>");
    EXPECT_EQ(std::tuple(numbers->Default(), numbers->DisplayLocation(), numbers->DistanceFromYou(),
                         numbers->ShopPrice(), numbers->ShopProfitMin().units,
                         numbers->ShippingCostPerLB().units, numbers->ShippingMinPieceCount()),
              std::tuple(true, false, 12.5f, false, 12346, 0, 2));
    const std::string far = "<DistanceFromYou>1" + std::string(60, '0') + "</DistanceFromYou>";
    EXPECT_TRUE(std::isinf(Loaded(far)->DistanceFromYou()));  // stored without a range check

    auto provider = Loaded(kFullySetXml);
    EXPECT_EQ(ErrorOf([&] {
                provider->SetXML(R"(<Provider FileDate="F"><Shop ProfitMin="1000000000000000"/>)"
                                 R"(<Orders SplitLoc="False"/></Provider>)");
              }).second,
              "ICatProvider | Let XML, Error # 6 at line: 0\r\nOverflow");
    // Read before the overflow: FileDate and the missing IconText; never read: the order settings.
    EXPECT_EQ(std::tuple(provider->FileDate(), provider->IconText(), provider->OrderSplitLoc()),
              std::tuple("F", "", true));
    EXPECT_EQ(ErrorOf([&] {
                provider->SetXML("<ShippingMinPieceCount>3000000000</ShippingMinPieceCount>");
              }).first,
              kOverflow);
  });
}

TEST(ICatProviderTest, XmlLetReplacesWhatClearKeepsAndLineDescriptorJoinsTheShownParts) {
  auto provider = Loaded(kFullySetXml);
  provider->SetXML(kFreshXml);  // Clear keeps these, an XML let does not
  EXPECT_EQ(
      std::tuple(provider->IconText(), provider->OrderSplitLoc(), provider->AllowPhantomAltLoc()),
      std::tuple("", false, false));

  provider->SetLocation("Main St");
  EXPECT_EQ(provider->LineDescriptor(), "Main St");
  provider->SetLocation("");
  provider->SetName("Acme");
  provider->SetDeliveryMessage("Today");
  provider->SetDisplayName(true);
  provider->SetDisplayMessage(true);
  EXPECT_EQ(provider->LineDescriptor(), "Acme  Today");  // only the ends are trimmed
  EXPECT_EQ(Loaded(kFullySetXml)->LineDescriptor(), "Acme & Sons Today");  // location not shown
}

}  // namespace
}  // namespace lombar
