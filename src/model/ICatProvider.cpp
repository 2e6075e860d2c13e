#include "lombar/ICatProvider.h"

#include "model/support/RecordTable.h"

namespace lombar {

const RecordTable<ICatProvider>& ICatProvider::Table() {
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
          .Get("LineDescriptor", PropertyId(34), &P::LineDescriptor)
          .Property("Name", PropertyId(33), &P::name_, Leaf("Name")).At(4)
          .Property("Location", PropertyId(32), &P::location_, Leaf("Location")).At(5)
          .Property("LocationType", PropertyId(31), &P::location_type_, Leaf("LocationType")).At(6)
          .Property("SellerID", PropertyId(30), &P::seller_id_, Leaf("SellerID")).At(7)
          .Property("SellerName", PropertyId(29), &P::seller_name_, Leaf("SellerName")).At(8)
          .Property("IconText", PropertyId(28), &P::icon_text_, Leaf("IconText")).At(9).Kept()
          .Property("MCLdir", PropertyId(27), &P::mcl_dir_, Leaf("MCLdir")).At(10)
          .Property("Priority", PropertyId(26), &P::priority_, Leaf("Priority")).At(11)
          .Property("DeliveryMessage", PropertyId(25), &P::delivery_message_,
                    Leaf("DeliveryMessage")).At(12)
          .Property("DeliveryTrackID", PropertyId(24), &P::delivery_track_id_,
                    Leaf("DeliveryTrackID")).At(13)
          .Property("TransferTrackID", PropertyId(23), &P::transfer_track_id_,
                    Leaf("TransferTrackID")).At(14)
          .Property("DistanceFromYou", PropertyId(22), &P::distance_from_you_,
                    Leaf("DistanceFromYou")).At(15)
          .Property("AssocLineCode", PropertyId(21), &P::assoc_line_code_,
                    Leaf("AssocLineCode")).At(16)
          .Property("MsgLineCode", PropertyId(20), &P::msg_line_code_, Leaf("MsgLineCode")).At(17)
          .Property("DisplayLocation", PropertyId(19), &P::display_location_,
                    Attribute("Display", "Location"), true).At(24)
          .Property("DisplayName", PropertyId(18), &P::display_name_,
                    FirstAttribute("Display", "Name")).At(23)
          .Property("DisplayMessage", PropertyId(17), &P::display_message_,
                    Attribute("Display", "Message")).At(25)
          .Property("ShopPrice", PropertyId(16), &P::shop_price_,
                    FirstAttribute("Shop", "Price")).At(26)
          .Property("ShopDistance", PropertyId(15), &P::shop_distance_,
                    Attribute("Shop", "Distance")).At(27)
          .Property("ShopProfitMin", PropertyId(14), &P::shop_profit_min_,
                    Attribute("Shop", "ProfitMin")).At(28)
          .Property("OrderSplitLoc", PropertyId(13), &P::order_split_loc_,
                    FirstAttribute("Orders", "SplitLoc")).At(29).Kept()
          .Property("OrderSplitTot", PropertyId(12), &P::order_split_tot_,
                    Attribute("Orders", "SplitTot")).At(30).Kept()
          .Property("OrderSplitRelease", PropertyId(11), &P::order_split_release_,
                    Attribute("Orders", "SplitRelease")).At(31).Kept()
          .Property("LinesIncluded", PropertyId(10), &P::lines_included_, Leaf("LinesInc")).At(40)
          .Property("LinesExcluded", PropertyId(9), &P::lines_excluded_, Leaf("LinesExc")).At(41)
          .Property("Tag", PropertyId(8), &P::tag_, Leaf("Tag")).At(18)
          .Property("DynamicPricingFlag", PropertyId(7), &P::dynamic_pricing_,
                    Leaf("DynamicPricing")).At(19)
          .Property("DynamicDisplayFlag", PropertyId(6), &P::dynamic_display_,
                    Leaf("DynamicDisplay")).At(20)
          .Property("LineColorPri", PropertyId(5), &P::line_color_pri_,
                    FirstAttribute("LineColor", "PRI")).At(32)
          .Property("LineColorAlt", PropertyId(4), &P::line_color_alt_,
                    Attribute("LineColor", "ALT")).At(33)
          .Property("LineColorVWH", PropertyId(3), &P::line_color_vwh_,
                    Attribute("LineColor", "VWH")).At(34)
          .Property("Default", PropertyId(2), &P::is_default_, Attribute("Provider", "Default")).At(1)
          .Property("EditDate", PropertyId(1), &P::edit_date_, Attribute("Provider", "EditDate")).At(2)
          .Property("FileDate", PropertyId(0), &P::file_date_, Attribute("Provider", "FileDate")).At(3)
          .Method("Clear", MethodId(36), &P::Clear, {Optional("xbDestroyObject", false)})
          // These follow Clear in the slot order.
          .Property("DynamicListPriceFlag", PropertyId(43), &P::dynamic_list_price_,
                    Leaf("DynamicListPrice")).At(21).GetFirst()
          .Property("AllowPhantomAltLoc", PropertyId(42), &P::allow_phantom_alt_loc_,
                    Leaf("AllowPhantomAltLoc")).At(22).Kept()
          .Property("ShippingRequired", PropertyId(41), &P::shipping_required_,
                    Leaf("ShippingRequired")).At(35)
          .Property("ShippingCostPerLB", PropertyId(40), &P::shipping_cost_per_lb_,
                    Leaf("ShippingCostPerLB")).At(36)
          .Property("ShippingMinPieceCount", PropertyId(39), &P::shipping_min_piece_count_,
                    Leaf("ShippingMinPieceCount")).At(37)
          .Property("ShippingCarrDesc", PropertyId(38), &P::shipping_carrier_,
                    Leaf("ShippingCarrDesc")).At(38)
          .Property("ShippingAcctNum", PropertyId(37), &P::shipping_account_,
                    Leaf("ShippingAcctNum")).At(39)
          .Build();
  return table;
}

template class Record<ICatProvider>;

std::string ICatProvider::LineDescriptor() const {
  std::string descriptor;
  if (display_name_) descriptor = name_.View();
  if (display_location_) descriptor.append(" ").append(location_.View());
  if (display_message_) descriptor.append(" ").append(delivery_message_.View());
  return std::string(TrimSpaces(descriptor));
}

void ICatProvider::Clear(bool /*destroy*/) {
  Trapped({kClassName, "Clear"}, [&] { ClearFields(); });
}

}  // namespace lombar
