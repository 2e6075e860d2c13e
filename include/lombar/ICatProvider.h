// A catalog provider: a seller location that parts can be priced at and
// ordered from, known by its directory key (MCLdir) and its seller ID. Beside
// names and identifiers it carries how the location is shown on a line, its
// shopping, order-splitting, colour, dynamic-pricing and shipping settings,
// and the Default mark of the primary seller. Providers live in an
// ICatProviderCol under their MCLdir.
#pragma once

#include <string>
#include <string_view>

#include "lombar/StoredText.h"
#include "lombar/Variant.h"
#include "lombar/internal/Record.h"

namespace lombar {

class ICatProvider final : public Record {
 public:
  static constexpr std::string_view kClassName = "ICatProvider";

  ICatProvider();

  // The name, location and delivery message the Display flags select,
  // separated by spaces, without spaces at either end.
  std::string LineDescriptor() const;

  // Every value is stored and returned as given.
  std::string_view Name() const { return name_; }
  void SetName(std::string_view name) { name_ = name; }
  std::string_view Location() const { return location_; }
  void SetLocation(std::string_view location) { location_ = location; }
  std::string_view LocationType() const { return location_type_; }
  void SetLocationType(std::string_view type) { location_type_ = type; }
  std::string_view SellerID() const { return seller_id_; }
  void SetSellerID(std::string_view seller_id) { seller_id_ = seller_id; }
  std::string_view SellerName() const { return seller_name_; }
  void SetSellerName(std::string_view seller_name) { seller_name_ = seller_name; }
  std::string_view IconText() const { return icon_text_; }
  void SetIconText(std::string_view icon_text) { icon_text_ = icon_text; }
  // The directory key: the provider's key in its collection.
  std::string_view MCLdir() const { return mcl_dir_; }
  void SetMCLdir(std::string_view mcl_dir) { mcl_dir_ = mcl_dir; }
  std::string_view Priority() const { return priority_; }
  void SetPriority(std::string_view priority) { priority_ = priority; }
  std::string_view DeliveryMessage() const { return delivery_message_; }
  void SetDeliveryMessage(std::string_view message) { delivery_message_ = message; }
  // The buyer's ID at the primary seller, for tracking deliveries.
  std::string_view DeliveryTrackID() const { return delivery_track_id_; }
  void SetDeliveryTrackID(std::string_view id) { delivery_track_id_ = id; }
  // For alternate locations that transfer free of charge between stores of one owner.
  std::string_view TransferTrackID() const { return transfer_track_id_; }
  void SetTransferTrackID(std::string_view id) { transfer_track_id_ = id; }
  float DistanceFromYou() const { return distance_from_you_; }
  void SetDistanceFromYou(float distance) { distance_from_you_ = distance; }
  std::string_view AssocLineCode() const { return assoc_line_code_; }
  void SetAssocLineCode(std::string_view code) { assoc_line_code_ = code; }
  std::string_view MsgLineCode() const { return msg_line_code_; }
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
  std::string_view OrderSplitRelease() const { return order_split_release_; }
  void SetOrderSplitRelease(std::string_view release) { order_split_release_ = release; }

  // Line-code filters.
  std::string_view LinesIncluded() const { return lines_included_; }
  void SetLinesIncluded(std::string_view lines) { lines_included_ = lines; }
  std::string_view LinesExcluded() const { return lines_excluded_; }
  void SetLinesExcluded(std::string_view lines) { lines_excluded_ = lines; }
  // Free caller data.
  std::string_view Tag() const { return tag_; }
  void SetTag(std::string_view tag) { tag_ = tag; }

  std::string_view DynamicPricingFlag() const { return dynamic_pricing_; }
  void SetDynamicPricingFlag(std::string_view flag) { dynamic_pricing_ = flag; }
  std::string_view DynamicDisplayFlag() const { return dynamic_display_; }
  void SetDynamicDisplayFlag(std::string_view flag) { dynamic_display_ = flag; }
  std::string_view DynamicListPriceFlag() const { return dynamic_list_price_; }
  void SetDynamicListPriceFlag(std::string_view flag) { dynamic_list_price_ = flag; }
  bool AllowPhantomAltLoc() const { return allow_phantom_alt_loc_; }
  void SetAllowPhantomAltLoc(bool allow) { allow_phantom_alt_loc_ = allow; }

  // Line colours: from the primary seller, from an alternate location, and VWH.
  std::string_view LineColorPri() const { return line_color_pri_; }
  void SetLineColorPri(std::string_view color) { line_color_pri_ = color; }
  std::string_view LineColorAlt() const { return line_color_alt_; }
  void SetLineColorAlt(std::string_view color) { line_color_alt_ = color; }
  std::string_view LineColorVWH() const { return line_color_vwh_; }
  void SetLineColorVWH(std::string_view color) { line_color_vwh_ = color; }

  // Marks the default (primary) provider of a collection.
  bool Default() const { return is_default_; }
  void SetDefault(bool is_default) { is_default_ = is_default; }
  // Dates kept as text.
  std::string_view EditDate() const { return edit_date_; }
  void SetEditDate(std::string_view date) { edit_date_ = date; }
  std::string_view FileDate() const { return file_date_; }
  void SetFileDate(std::string_view date) { file_date_ = date; }

  bool ShippingRequired() const { return shipping_required_; }
  void SetShippingRequired(bool required) { shipping_required_ = required; }
  Currency ShippingCostPerLB() const { return shipping_cost_per_lb_; }
  void SetShippingCostPerLB(Currency cost) { shipping_cost_per_lb_ = cost; }
  Long ShippingMinPieceCount() const { return shipping_min_piece_count_; }
  void SetShippingMinPieceCount(Long count) { shipping_min_piece_count_ = count; }
  std::string_view ShippingCarrDesc() const { return shipping_carrier_; }
  void SetShippingCarrDesc(std::string_view carrier) { shipping_carrier_ = carrier; }
  std::string_view ShippingAcctNum() const { return shipping_account_; }
  void SetShippingAcctNum(std::string_view account) { shipping_account_ = account; }

  // Back to the initial values, except IconText, the three order-split
  // settings and AllowPhantomAltLoc, which stay. `destroy` changes nothing.
  void Clear(bool destroy);

 private:
  friend class detail::ClassAccess;
  // The property table: its surface, XML form and Clear rule.
  static const RecordShape& Table();
  const RecordShape& Shape() const override { return Table(); }

  StoredText name_;
  StoredText location_;
  StoredText location_type_;
  StoredText seller_id_;
  StoredText seller_name_;
  StoredText icon_text_;
  StoredText mcl_dir_;
  StoredText priority_;
  StoredText delivery_message_;
  StoredText delivery_track_id_;
  StoredText transfer_track_id_;
  float distance_from_you_ = 0;
  StoredText assoc_line_code_;
  StoredText msg_line_code_;
  bool display_location_ = false;
  bool display_name_ = false;
  bool display_message_ = false;
  bool shop_price_ = false;
  bool shop_distance_ = false;
  Currency shop_profit_min_;
  bool order_split_loc_ = false;
  bool order_split_tot_ = false;
  StoredText order_split_release_;
  StoredText lines_included_;
  StoredText lines_excluded_;
  StoredText tag_;
  StoredText dynamic_pricing_;
  StoredText dynamic_display_;
  StoredText dynamic_list_price_;
  bool allow_phantom_alt_loc_ = false;
  StoredText line_color_pri_;
  StoredText line_color_alt_;
  StoredText line_color_vwh_;
  bool is_default_ = false;
  StoredText edit_date_;
  StoredText file_date_;
  bool shipping_required_ = false;
  Currency shipping_cost_per_lb_;
  Long shipping_min_piece_count_ = 0;
  StoredText shipping_carrier_;
  StoredText shipping_account_;
};

}  // namespace lombar
