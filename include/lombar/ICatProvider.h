// A catalog provider: a seller location that parts can be priced at and
// ordered from, known by its directory key (MCLdir) and its seller ID. Beside
// names and identifiers it carries how the location is shown on a line, its
// shopping, order-splitting, colour, dynamic-pricing and shipping settings,
// and the Default mark of the primary seller. Providers live in an
// ICatProviderCol under their MCLdir.
#pragma once

#include <string>
#include <string_view>

#include "lombar/Variant.h"
#include "lombar/internal/Record.h"

namespace lombar {

class ICatProvider final : public Record<ICatProvider> {
 public:
  static constexpr std::string_view kClassName = "ICatProvider";
  static const RecordTable<ICatProvider>& Table();

  ICatProvider() { Clear(false); }

  // The name, location and delivery message the Display flags select,
  // separated by spaces, without spaces at either end.
  std::string LineDescriptor() const;

  // Every value is stored and returned as given.
  const std::string& Name() const { return name_; }
  void SetName(std::string_view name) { name_ = name; }
  const std::string& Location() const { return location_; }
  void SetLocation(std::string_view location) { location_ = location; }
  const std::string& LocationType() const { return location_type_; }
  void SetLocationType(std::string_view type) { location_type_ = type; }
  const std::string& SellerID() const { return seller_id_; }
  void SetSellerID(std::string_view seller_id) { seller_id_ = seller_id; }
  const std::string& SellerName() const { return seller_name_; }
  void SetSellerName(std::string_view seller_name) { seller_name_ = seller_name; }
  const std::string& IconText() const { return icon_text_; }
  void SetIconText(std::string_view icon_text) { icon_text_ = icon_text; }
  // The directory key: the provider's key in its collection.
  const std::string& MCLdir() const { return mcl_dir_; }
  void SetMCLdir(std::string_view mcl_dir) { mcl_dir_ = mcl_dir; }
  const std::string& Priority() const { return priority_; }
  void SetPriority(std::string_view priority) { priority_ = priority; }
  const std::string& DeliveryMessage() const { return delivery_message_; }
  void SetDeliveryMessage(std::string_view message) { delivery_message_ = message; }
  // The buyer's ID at the primary seller, for tracking deliveries.
  const std::string& DeliveryTrackID() const { return delivery_track_id_; }
  void SetDeliveryTrackID(std::string_view id) { delivery_track_id_ = id; }
  // For alternate locations that transfer free of charge between stores of one owner.
  const std::string& TransferTrackID() const { return transfer_track_id_; }
  void SetTransferTrackID(std::string_view id) { transfer_track_id_ = id; }
  float DistanceFromYou() const { return distance_from_you_; }
  void SetDistanceFromYou(float distance) { distance_from_you_ = distance; }
  const std::string& AssocLineCode() const { return assoc_line_code_; }
  void SetAssocLineCode(std::string_view code) { assoc_line_code_ = code; }
  const std::string& MsgLineCode() const { return msg_line_code_; }
  void SetMsgLineCode(std::string_view code) { msg_line_code_ = code; }

  bool DisplayLocation() const { return display_location_; }
  void SetDisplayLocation(bool shown) { display_location_ = shown; }
  bool DisplayName() const { return display_name_; }
  void SetDisplayName(bool shown) { display_name_ = shown; }
  bool DisplayMessage() const { return display_message_; }
  void SetDisplayMessage(bool shown) { display_message_ = shown; }

  bool ShopPrice() const { return shop_price_; }
  void SetShopPrice(bool shop) { shop_price_ = shop; }
  bool ShopDistance() const { return shop_distance_; }
  void SetShopDistance(bool shop) { shop_distance_ = shop; }
  Currency ShopProfitMin() const { return shop_profit_min_; }
  void SetShopProfitMin(Currency profit) { shop_profit_min_ = profit; }

  bool OrderSplitLoc() const { return order_split_loc_; }
  void SetOrderSplitLoc(bool split) { order_split_loc_ = split; }
  bool OrderSplitTot() const { return order_split_tot_; }
  void SetOrderSplitTot(bool split) { order_split_tot_ = split; }
  const std::string& OrderSplitRelease() const { return order_split_release_; }
  void SetOrderSplitRelease(std::string_view release) { order_split_release_ = release; }

  // Line-code filters.
  const std::string& LinesIncluded() const { return lines_included_; }
  void SetLinesIncluded(std::string_view lines) { lines_included_ = lines; }
  const std::string& LinesExcluded() const { return lines_excluded_; }
  void SetLinesExcluded(std::string_view lines) { lines_excluded_ = lines; }
  // Free caller data.
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string_view tag) { tag_ = tag; }

  const std::string& DynamicPricingFlag() const { return dynamic_pricing_; }
  void SetDynamicPricingFlag(std::string_view flag) { dynamic_pricing_ = flag; }
  const std::string& DynamicDisplayFlag() const { return dynamic_display_; }
  void SetDynamicDisplayFlag(std::string_view flag) { dynamic_display_ = flag; }
  const std::string& DynamicListPriceFlag() const { return dynamic_list_price_; }
  void SetDynamicListPriceFlag(std::string_view flag) { dynamic_list_price_ = flag; }
  bool AllowPhantomAltLoc() const { return allow_phantom_alt_loc_; }
  void SetAllowPhantomAltLoc(bool allow) { allow_phantom_alt_loc_ = allow; }

  // Line colours: from the primary seller, from an alternate location, and VWH.
  const std::string& LineColorPri() const { return line_color_pri_; }
  void SetLineColorPri(std::string_view color) { line_color_pri_ = color; }
  const std::string& LineColorAlt() const { return line_color_alt_; }
  void SetLineColorAlt(std::string_view color) { line_color_alt_ = color; }
  const std::string& LineColorVWH() const { return line_color_vwh_; }
  void SetLineColorVWH(std::string_view color) { line_color_vwh_ = color; }

  // Marks the default (primary) provider of a collection.
  bool Default() const { return is_default_; }
  void SetDefault(bool is_default) { is_default_ = is_default; }
  // Dates kept as text.
  const std::string& EditDate() const { return edit_date_; }
  void SetEditDate(std::string_view date) { edit_date_ = date; }
  const std::string& FileDate() const { return file_date_; }
  void SetFileDate(std::string_view date) { file_date_ = date; }

  bool ShippingRequired() const { return shipping_required_; }
  void SetShippingRequired(bool required) { shipping_required_ = required; }
  Currency ShippingCostPerLB() const { return shipping_cost_per_lb_; }
  void SetShippingCostPerLB(Currency cost) { shipping_cost_per_lb_ = cost; }
  Long ShippingMinPieceCount() const { return shipping_min_piece_count_; }
  void SetShippingMinPieceCount(Long count) { shipping_min_piece_count_ = count; }
  const std::string& ShippingCarrDesc() const { return shipping_carrier_; }
  void SetShippingCarrDesc(std::string_view carrier) { shipping_carrier_ = carrier; }
  const std::string& ShippingAcctNum() const { return shipping_account_; }
  void SetShippingAcctNum(std::string_view account) { shipping_account_ = account; }

  // Back to the initial values, except IconText, the three order-split
  // settings and AllowPhantomAltLoc, which stay. `destroy` changes nothing.
  void Clear(bool destroy);

 private:
  std::string name_;
  std::string location_;
  std::string location_type_;
  std::string seller_id_;
  std::string seller_name_;
  std::string icon_text_;
  std::string mcl_dir_;
  std::string priority_;
  std::string delivery_message_;
  std::string delivery_track_id_;
  std::string transfer_track_id_;
  float distance_from_you_ = 0;
  std::string assoc_line_code_;
  std::string msg_line_code_;
  bool display_location_ = false;
  bool display_name_ = false;
  bool display_message_ = false;
  bool shop_price_ = false;
  bool shop_distance_ = false;
  Currency shop_profit_min_;
  bool order_split_loc_ = false;
  bool order_split_tot_ = false;
  std::string order_split_release_;
  std::string lines_included_;
  std::string lines_excluded_;
  std::string tag_;
  std::string dynamic_pricing_;
  std::string dynamic_display_;
  std::string dynamic_list_price_;
  bool allow_phantom_alt_loc_ = false;
  std::string line_color_pri_;
  std::string line_color_alt_;
  std::string line_color_vwh_;
  bool is_default_ = false;
  std::string edit_date_;
  std::string file_date_;
  bool shipping_required_ = false;
  Currency shipping_cost_per_lb_;
  Long shipping_min_piece_count_ = 0;
  std::string shipping_carrier_;
  std::string shipping_account_;
};

}  // namespace lombar
