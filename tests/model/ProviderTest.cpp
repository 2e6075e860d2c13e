#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "TestSupport.h"
#include "lombar/ICatProvider.h"
#include "model/ProviderTestSupport.h"
#include "model/support/ModelState.h"

namespace lombar {
namespace {

using testing::ErrorOf;
using testing::FullySetProvider;
using testing::kFullySetXml;

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

TEST(ICatProviderTest, XmlIsCompressedWhateverTheThreadSwitches) {
  testing::InFreshThread([] {
    ASSERT_FALSE(ThreadModel().compress || ThreadModel().zero_suppress);
    EXPECT_EQ(MakeRef<ICatProvider>()->XML(), kFreshXml);
    EXPECT_EQ(FullySetProvider()->XML(), kFullySetXml);
  });
}

TEST(ICatProviderTest, XmlLetTakesWhatTheReaderFindsAndStopsAtAnOverflow) {
  testing::LogFolderScope folder;
  testing::InFreshThread([] {
    EXPECT_TRUE(Loaded(R"(<Provider Default="true"/>)")->Default());
    EXPECT_FALSE(Loaded("<Provider><Name>A</Name></Provider>")->DisplayLocation());
    // Attributes are read in written order: one before its predecessor is missed.
    const auto reordered = Loaded(R"(<Display Location="True" Name="True" Message="True"/>)");
    EXPECT_EQ(std::tuple(reordered->DisplayName(), reordered->DisplayLocation(),
                         reordered->DisplayMessage()),
              std::tuple(true, false, true));

    const auto numbers =
        Loaded(R"(<Provider><DistanceFromYou> 12.5 miles</DistanceFromYou><Shop Price="yes" )"
               R"(ProfitMin="1.23456"/><ShippingCostPerLB>abc</ShippingCostPerLB>)"
               "<ShippingMinPieceCount>2.5</ShippingMinPieceCount></Provider>");
    EXPECT_EQ(
        std::tuple(numbers->DistanceFromYou(), numbers->ShopPrice(), numbers->ShopProfitMin().units,
                   numbers->ShippingCostPerLB().units, numbers->ShippingMinPieceCount()),
        std::tuple(12.5f, false, 12346, 0, 2));
    EXPECT_TRUE(
        std::isinf(Loaded("<DistanceFromYou>1" + std::string(60, '0') + "</DistanceFromYou>")
                       ->DistanceFromYou()));
    const auto misnested = Loaded("<Provider><Name><Location>X</Name></Location></Provider>");
    EXPECT_EQ(std::tuple(misnested->Name(), misnested->Location()),
              std::tuple("<Location>X", "X</Name>"));

    auto provider = FullySetProvider();
    EXPECT_EQ(ErrorOf([&] {
                provider->SetXML(R"(<Provider FileDate="F"><Shop ProfitMin="1000000000000000"/>)"
                                 R"(<Orders SplitLoc="False"/></Provider>)");
              }).second,
              "ICatProvider | Let XML, Error # 6 at line: 0\r\nOverflow");
    // Read before the overflow: FileDate and the missing IconText; never read: the order settings.
    EXPECT_EQ(std::tuple(provider->FileDate(), provider->IconText(), provider->OrderSplitLoc()),
              std::tuple("F", "", true));
    EXPECT_EQ(ErrorOf([&] {
                provider->SetXML(
                    "<ShippingCostPerLB>1.5</ShippingCostPerLB><ShippingMinPieceCount>3000000000"
                    "</ShippingMinPieceCount><ShippingCarrDesc>UPS</ShippingCarrDesc>");
              }).first,
              kOverflow);
    EXPECT_EQ(std::tuple(provider->ShippingCostPerLB().units, provider->ShippingCarrDesc()),
              std::tuple(15000, ""));
  });
}

TEST(ICatProviderTest, XmlLetReplacesWhatClearKeepsAndLineDescriptorJoinsTheShownParts) {
  // Clear keeps these, but an XML let replaces them like any other value.
  auto provider = FullySetProvider();
  provider->SetXML(kFreshXml);
  EXPECT_EQ(
      std::tuple(provider->IconText(), provider->OrderSplitLoc(), provider->AllowPhantomAltLoc()),
      std::tuple("", false, false));

  EXPECT_EQ(provider->LineDescriptor(), "");
  provider->SetLocation("Main St");
  EXPECT_EQ(provider->LineDescriptor(), "Main St");
  provider->SetLocation("");
  provider->SetName("Acme");
  provider->SetDeliveryMessage("Today");
  provider->SetDisplayName(true);
  provider->SetDisplayMessage(true);
  EXPECT_EQ(provider->LineDescriptor(), "Acme  Today");  // only the ends are trimmed
  EXPECT_EQ(FullySetProvider()->LineDescriptor(), "Acme & Sons Today");  // location not shown
}

}  // namespace
}  // namespace lombar
