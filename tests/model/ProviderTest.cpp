#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "TestSupport.h"
#include "lombar/ICatProvider.h"

namespace lombar {
namespace {

// A provider that shows its name and message, not its location, with values Clear keeps.
constexpr std::string_view kSetXml =
    "<Provider><Name>Acme &amp; Sons</Name><Location>Main St</Location><IconText>icon</IconText>"
    "<DeliveryMessage>Today</DeliveryMessage><AllowPhantomAltLoc>True</AllowPhantomAltLoc>"
    R"(<Display Name="True" Location="False" Message="True"/><Orders SplitLoc="True"/></Provider>)";

Ref<ICatProvider> Loaded(std::string_view xml) {
  auto provider = MakeRef<ICatProvider>();
  provider->SetXML(xml);
  return provider;
}

TEST(ICatProviderTest, XmlLetReadsLeadingNumbersAndStopsAtAnOverflow) {
  testing::LogFolderScope folder;
  testing::InFreshThread([] {
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

    auto provider = Loaded(kSetXml);
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
  auto provider = Loaded(kSetXml);
  // Clear keeps these values, an XML let does not.
  provider->SetXML(R"(<Provider><Display Location="True"/></Provider>)");
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
  EXPECT_EQ(Loaded(kSetXml)->LineDescriptor(), "Acme & Sons Today");  // location not shown
}

}  // namespace
}  // namespace lombar
