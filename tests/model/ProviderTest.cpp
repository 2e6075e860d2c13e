#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "TestSupport.h"
#include "model/support/ModelState.h"
#include "lombar/ICatProvider.h"
#include "model/ProviderTestSupport.h"
#include "base/Text.h"

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

TEST(ICatProviderTest, XmlIsCompressedWhateverTheThreadSwitchesAndRoundTrips) {
  testing::InFreshThread([] {
    ASSERT_FALSE(ThreadModel().compress || ThreadModel().zero_suppress);
    EXPECT_EQ(MakeRef<ICatProvider>()->XML(), kFreshXml);
    EXPECT_EQ(FullySetProvider()->XML(), kFullySetXml);
  });
  const auto loaded = Loaded(kFullySetXml);
  EXPECT_EQ(loaded->XML(), kFullySetXml);
  EXPECT_EQ(std::tuple(loaded->DistanceFromYou(), loaded->ShopProfitMin().units,
                       loaded->ShippingMinPieceCount(), loaded->Name()),
            std::tuple(2.5f, 123456, 3, "Acme & Sons"));
  EXPECT_EQ(Loaded("")->XML(), kFreshXml);
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
    for (std::size_t length = 0; length < kFullySetXml.size(); ++length)
      EXPECT_NO_THROW(Loaded(kFullySetXml.substr(0, length))) << length;

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

TEST(ICatProviderTest, ClearKeepsFiveSettingsAndLineDescriptorJoinsTheShownParts) {
  auto provider = FullySetProvider();
  provider->Clear(true);
  std::string kept = ReplaceAll(kFreshXml, "<AllowPhantomAltLoc>False",
                                "<IconText>icon</IconText><AllowPhantomAltLoc>True");
  kept = ReplaceAll(kept, R"(<Orders SplitLoc="False" SplitTot="False" SplitRelease="")",
                    R"(<Orders SplitLoc="True" SplitTot="True" SplitRelease="R1")");
  EXPECT_EQ(provider->XML(), kept);
  provider->SetXML(kFreshXml);  // an XML let replaces them like any other value
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

TEST(ICatProviderTest, SurfaceFollowsTheClassTable) {
  using enum MemberKind;
  const ClassInfo& info = ICatProvider::TypeInfo();
  EXPECT_EQ(info.clsid.ToString() + info.iid.ToString(),
            "{D5C564C0-3061-418A-85FA-39F86764A72B}{C27B6113-1AB3-4DA7-B4C5-4D3453100F16}");
  EXPECT_TRUE(
      MakeRef<ICatProvider>()->Supports(Guid::Of("{8C9EF23D-B39F-47E4-A35E-93BBD6E5F68E}")));

  std::vector<testing::SurfaceRow> expected = {{"XML", Get, PropertyId(35)},
                                               {"XML", Let, PropertyId(35)},
                                               {"LineDescriptor", Get, PropertyId(34)}};
  const auto let_then_get = [&](std::initializer_list<const char*> names, int id) {
    for (const char* name : names) {
      expected.emplace_back(name, Let, PropertyId(id));
      expected.emplace_back(name, Get, PropertyId(id--));
    }
  };
  let_then_get({"Name",
                "Location",
                "LocationType",
                "SellerID",
                "SellerName",
                "IconText",
                "MCLdir",
                "Priority",
                "DeliveryMessage",
                "DeliveryTrackID",
                "TransferTrackID",
                "DistanceFromYou",
                "AssocLineCode",
                "MsgLineCode",
                "DisplayLocation",
                "DisplayName",
                "DisplayMessage",
                "ShopPrice",
                "ShopDistance",
                "ShopProfitMin",
                "OrderSplitLoc",
                "OrderSplitTot",
                "OrderSplitRelease",
                "LinesIncluded",
                "LinesExcluded",
                "Tag",
                "DynamicPricingFlag",
                "DynamicDisplayFlag",
                "LineColorPri",
                "LineColorAlt",
                "LineColorVWH",
                "Default",
                "EditDate",
                "FileDate"},
               33);
  expected.emplace_back("Clear", Method, MethodId(36));
  expected.emplace_back("DynamicListPriceFlag", Get, PropertyId(43));
  expected.emplace_back("DynamicListPriceFlag", Let, PropertyId(43));
  let_then_get({"AllowPhantomAltLoc", "ShippingRequired", "ShippingCostPerLB",
                "ShippingMinPieceCount", "ShippingCarrDesc", "ShippingAcctNum"},
               42);
  EXPECT_EQ(testing::SurfaceOf(info), expected);
  EXPECT_TRUE(info.members[71].params[0].optional);  // Clear(xbDestroyObject)
}

}  // namespace
}  // namespace lombar
