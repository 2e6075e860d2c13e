#include "lombar/ICatProvider.h"

#include "model/support/RecordTable.h"

namespace lombar {

const RecordShape& ICatProvider::Table() {
  using P = ICatProvider;
  // The XML order (At) differs from the slot order: the Provider element's
  // own attributes first, then the leaves, the attribute-only elements
  // Display, Shop, Orders and LineColor (always written: the writer's
  // suppression applies to leaves only), and the shipping leaves.
  static const auto table =
      RecordTable<P>(kClassName, "{D5C564C0-3061-418A-85FA-39F86764A72B}",
                     "{C27B6113-1AB3-4DA7-B4C5-4D3453100F16}",
                     "A catalog provider: one seller location, with its directory (MCLdir), seller "
                     "identifier, location type and display settings.")
          .EarlierInterface("{8C9EF23D-B39F-47E4-A35E-93BBD6E5F68E}")
          // Always compressed and zero-suppressed, whatever the thread's switches.
          .Xml(PropertyId(35), {.group = "Provider", .switches = WriterSwitches::kAllOn})
          .Help("The provider as one Provider element, its empty and zero leaves left out "
                "whatever the thread's switches; assigning a text clears the provider and reads "
                "every value, so one the text lacks (even one Clear keeps) becomes empty, False "
                "or 0.")
          .Get("LineDescriptor", PropertyId(34), &P::LineDescriptor)
          .Help("The provider's line label: Name, Location and DeliveryMessage, each where its "
                "Display flag is True, joined by spaces and trimmed at both ends.")
          .Property("Name", PropertyId(33), &P::name_, Leaf("Name"))
          .Help("The provider's name.")
          .Property("Location", PropertyId(32), &P::location_, Leaf("Location"))
          .Help("The name of the seller location.")
          .Property("LocationType", PropertyId(31), &P::location_type_, Leaf("LocationType"))
          .Help("The kind of location, such as STORE; VWH (exactly so) marks a virtual warehouse, "
                "whose store ICatalog's MatchItemStatus and Summarize with VWH act on.")
          .Property("SellerID", PropertyId(30), &P::seller_id_, Leaf("SellerID"))
          .Help("The seller's identifier, which GetMCLdir and the keys #seller and S#seller look "
                "up (in upper case, spaces around it ignored).")
          .Property("SellerName", PropertyId(29), &P::seller_name_, Leaf("SellerName"))
          .Help("The seller's name.")
          .Property("IconText", PropertyId(28), &P::icon_text_, Leaf("IconText")).Kept()
          .Help("The text of the provider's icon; kept by Clear.")
          .Property("MCLdir", PropertyId(27), &P::mcl_dir_, Leaf("MCLdir"))
          .Help("The provider's catalog directory, its key in the provider collection; JOBBER "
                "(exactly so) is refused there with error 17.")
          .Property("Priority", PropertyId(26), &P::priority_, Leaf("Priority"))
          .Help("The provider's priority, kept as text.")
          .Property("DeliveryMessage", PropertyId(25), &P::delivery_message_,
                    Leaf("DeliveryMessage"))
          .Help("The delivery message, part of LineDescriptor when DisplayMessage is True.")
          .Property("DeliveryTrackID", PropertyId(24), &P::delivery_track_id_,
                    Leaf("DeliveryTrackID"))
          .Help("The buyer's identifier at the primary seller, for tracking deliveries.")
          .Property("TransferTrackID", PropertyId(23), &P::transfer_track_id_,
                    Leaf("TransferTrackID"))
          .Help("The identifier for no-charge transfers between stores of one owner, at the "
                "alternate locations that offer them.")
          .Property("DistanceFromYou", PropertyId(22), &P::distance_from_you_,
                    Leaf("DistanceFromYou"))
          .Help("The distance to the location, a single-precision number.")
          .Property("AssocLineCode", PropertyId(21), &P::assoc_line_code_,
                    Leaf("AssocLineCode"))
          .Help("The line code associated with the provider.")
          .Property("MsgLineCode", PropertyId(20), &P::msg_line_code_, Leaf("MsgLineCode"))
          .Help("The message line code, kept as text.")
          .Property("DisplayLocation", PropertyId(19), &P::display_location_,
                    Attribute("Display", "Location"), true)
          .Help("Whether LineDescriptor shows Location; True on a new or cleared provider. The "
                "Location attribute of the Display element.")
          .Property("DisplayName", PropertyId(18), &P::display_name_,
                    FirstAttribute("Display", "Name"))
          .Help("Whether LineDescriptor shows Name; the Name attribute of the Display element.")
          .Property("DisplayMessage", PropertyId(17), &P::display_message_,
                    Attribute("Display", "Message"))
          .Help("Whether LineDescriptor shows DeliveryMessage; the Message attribute of the "
                "Display element.")
          .Property("ShopPrice", PropertyId(16), &P::shop_price_,
                    FirstAttribute("Shop", "Price"))
          .Help("The price flag of the provider's shopping rules; the Price attribute of the Shop "
                "element.")
          .Property("ShopDistance", PropertyId(15), &P::shop_distance_,
                    Attribute("Shop", "Distance"))
          .Help("The distance flag of the provider's shopping rules; the Distance attribute of "
                "the Shop element.")
          .Property("ShopProfitMin", PropertyId(14), &P::shop_profit_min_,
                    Attribute("Shop", "ProfitMin"))
          .Help("The least profit of the provider's shopping rules, an amount; the ProfitMin "
                "attribute of the Shop element.")
          .Property("OrderSplitLoc", PropertyId(13), &P::order_split_loc_,
                    FirstAttribute("Orders", "SplitLoc")).Kept()
          .Help("The order-splitting flag by location; the SplitLoc attribute of the Orders "
                "element, kept by Clear.")
          .Property("OrderSplitTot", PropertyId(12), &P::order_split_tot_,
                    Attribute("Orders", "SplitTot")).Kept()
          .Help("The order-splitting flag by total; the SplitTot attribute of the Orders element, "
                "kept by Clear.")
          .Property("OrderSplitRelease", PropertyId(11), &P::order_split_release_,
                    Attribute("Orders", "SplitRelease")).Kept()
          .Help("The order-splitting release, as text; the SplitRelease attribute of the Orders "
                "element, kept by Clear.")
          .Property("LinesIncluded", PropertyId(10), &P::lines_included_, Leaf("LinesInc"))
          .Help("The line codes included, as text; written as the LinesInc element.")
          .Property("LinesExcluded", PropertyId(9), &P::lines_excluded_, Leaf("LinesExc"))
          .Help("The line codes excluded, as text; written as the LinesExc element.")
          .Property("Tag", PropertyId(8), &P::tag_, Leaf("Tag"))
          .Help("Free text for the caller.")
          .Property("DynamicPricingFlag", PropertyId(7), &P::dynamic_pricing_,
                    Leaf("DynamicPricing"))
          .Help("The dynamic pricing flag, kept as text; written as the DynamicPricing element.")
          .Property("DynamicDisplayFlag", PropertyId(6), &P::dynamic_display_,
                    Leaf("DynamicDisplay"))
          .Help("The dynamic display flag, kept as text; written as the DynamicDisplay element.")
          .Property("LineColorPri", PropertyId(5), &P::line_color_pri_,
                    FirstAttribute("LineColor", "PRI"))
          .Help("The colour of a line from the primary seller; the PRI attribute of the LineColor "
                "element.")
          .Property("LineColorAlt", PropertyId(4), &P::line_color_alt_,
                    Attribute("LineColor", "ALT"))
          .Help("The colour of a line from an alternate location; the ALT attribute of the "
                "LineColor element.")
          .Property("LineColorVWH", PropertyId(3), &P::line_color_vwh_,
                    Attribute("LineColor", "VWH"))
          .Help("The colour of a line from a virtual warehouse; the VWH attribute of the "
                "LineColor element.")
          .Property("Default", PropertyId(2), &P::is_default_, Attribute("Provider", "Default"))
          .Help("Whether this is the default provider, whose directory JOBBER stands for; of "
                "several, the first in the collection counts. The Default attribute of Provider.")
          .Property("EditDate", PropertyId(1), &P::edit_date_, Attribute("Provider", "EditDate"))
          .Help("The date the provider was edited, kept as text; the EditDate attribute of the "
                "Provider element.")
          .Property("FileDate", PropertyId(0), &P::file_date_, Attribute("Provider", "FileDate"))
          .Help("The file date, kept as text; the FileDate attribute of the Provider element.")
          .Method("Clear", MethodId(36), &P::Clear, {Optional("xbDestroyObject", false)})
          .Help("Empties the texts, sets the numbers to 0 and the flags to False but "
                "DisplayLocation to True; IconText, the three Order values and AllowPhantomAltLoc "
                "are kept, and xbDestroyObject changes nothing.")
          // These follow Clear in the slot order.
          .Property("DynamicListPriceFlag", PropertyId(43), &P::dynamic_list_price_,
                    Leaf("DynamicListPrice")).GetFirst()
          .Help("The dynamic list price flag, kept as text; written as the DynamicListPrice "
                "element.")
          .Property("AllowPhantomAltLoc", PropertyId(42), &P::allow_phantom_alt_loc_,
                    Leaf("AllowPhantomAltLoc")).Kept()
          .Help("Whether phantom alternate locations are allowed; kept by Clear.")
          .Property("ShippingRequired", PropertyId(41), &P::shipping_required_,
                    Leaf("ShippingRequired"))
          .Help("Whether shipping is required from this location.")
          .Property("ShippingCostPerLB", PropertyId(40), &P::shipping_cost_per_lb_,
                    Leaf("ShippingCostPerLB"))
          .Help("The shipping cost per pound, an amount.")
          .Property("ShippingMinPieceCount", PropertyId(39), &P::shipping_min_piece_count_,
                    Leaf("ShippingMinPieceCount"))
          .Help("The least number of pieces for shipping.")
          .Property("ShippingCarrDesc", PropertyId(38), &P::shipping_carrier_,
                    Leaf("ShippingCarrDesc"))
          .Help("The description of the shipping carrier.")
          .Property("ShippingAcctNum", PropertyId(37), &P::shipping_account_,
                    Leaf("ShippingAcctNum"))
          .Help("The shipping account number.")
          .XmlOrder({
              "Provider/@Default", "Provider/@EditDate", "Provider/@FileDate", "Name", "Location",
              "LocationType", "SellerID", "SellerName", "IconText", "MCLdir", "Priority",
              "DeliveryMessage", "DeliveryTrackID", "TransferTrackID", "DistanceFromYou",
              "AssocLineCode", "MsgLineCode", "Tag", "DynamicPricing", "DynamicDisplay",
              "DynamicListPrice", "AllowPhantomAltLoc", "Display/@Name", "Display/@Location",
              "Display/@Message", "Shop/@Price", "Shop/@Distance", "Shop/@ProfitMin",
              "Orders/@SplitLoc", "Orders/@SplitTot", "Orders/@SplitRelease", "LineColor/@PRI",
              "LineColor/@ALT", "LineColor/@VWH", "ShippingRequired", "ShippingCostPerLB",
              "ShippingMinPieceCount", "ShippingCarrDesc", "ShippingAcctNum", "LinesInc", "LinesExc"})
          .Build();
  return table;
}

std::string ICatProvider::LineDescriptor() const {
  std::string descriptor;
  if (display_name_) descriptor = name_.View();
  if (display_location_) descriptor.append(" ").append(location_.View());
  if (display_message_) descriptor.append(" ").append(delivery_message_.View());
  return std::string(TrimSpaces(descriptor));
}

// As Clear, without resetting the texts a new record already holds empty.
ICatProvider::ICatProvider() {
  Trapped({kClassName, "Clear"}, [&] { InitializeFields(); });
}

void ICatProvider::Clear(bool /*destroy*/) {
  Trapped({kClassName, "Clear"}, [&] { ClearFields(); });
}

}  // namespace lombar
