// A catalog provider: a seller location that parts can be priced at and
// ordered from, known by its directory key (MCLdir) and its seller ID. Beside
// names and identifiers it carries how the location is shown on a line, its
// shopping, order-splitting, colour, dynamic-pricing and shipping settings,
// and the Default mark of the primary seller. Providers live in an
// ICatProviderCol under their MCLdir.
#pragma once

#include <string>
#include <string_view>

#include "lombar/AutomationObject.h"
#include "lombar/Variant.h"

namespace lombar {

class ICatProvider final : public AutomationClass<ICatProvider> {
 public:
  static constexpr std::string_view kClassName = "ICatProvider";
  static const ClassInfo& TypeInfo();

  // The Provider element: Default, EditDate and FileDate as its attributes,
  // the other values as leaves (empty and zero ones left out) and the
  // attribute-only elements Display, Shop, Orders and LineColor, always written.
  std::string XML() const;
  // Clears, then reads what the text holds; a value the text lacks reads as
  // empty, false or 0 (so DisplayLocation too). A number beyond its type's
  // range fails with error 6, leaving the values read before it set.
  void SetXML(std::string_view xml);

  // The name, location and delivery message the Display flags select,
  // separated by spaces, without spaces at either end.
  std::string LineDescriptor() const;

  // Every value is stored and returned as given.
  const std::string& Name() const { return cleared_.name; }
  void SetName(std::string_view name) { cleared_.name = name; }
  const std::string& Location() const { return cleared_.location; }
  void SetLocation(std::string_view location) { cleared_.location = location; }
  const std::string& LocationType() const { return cleared_.location_type; }
  void SetLocationType(std::string_view type) { cleared_.location_type = type; }
  const std::string& SellerID() const { return cleared_.seller_id; }
  void SetSellerID(std::string_view seller_id) { cleared_.seller_id = seller_id; }
  const std::string& SellerName() const { return cleared_.seller_name; }
  void SetSellerName(std::string_view seller_name) { cleared_.seller_name = seller_name; }
  const std::string& IconText() const { return kept_.icon_text; }
  void SetIconText(std::string_view icon_text) { kept_.icon_text = icon_text; }
  // The directory key: the provider's key in its collection.
  const std::string& MCLdir() const { return cleared_.mcl_dir; }
  void SetMCLdir(std::string_view mcl_dir) { cleared_.mcl_dir = mcl_dir; }
  const std::string& Priority() const { return cleared_.priority; }
  void SetPriority(std::string_view priority) { cleared_.priority = priority; }
  const std::string& DeliveryMessage() const { return cleared_.delivery_message; }
  void SetDeliveryMessage(std::string_view message) { cleared_.delivery_message = message; }
  // The buyer's ID at the primary seller, for tracking deliveries.
  const std::string& DeliveryTrackID() const { return cleared_.delivery_track_id; }
  void SetDeliveryTrackID(std::string_view id) { cleared_.delivery_track_id = id; }
  // For alternate locations that transfer free of charge between stores of one owner.
  const std::string& TransferTrackID() const { return cleared_.transfer_track_id; }
  void SetTransferTrackID(std::string_view id) { cleared_.transfer_track_id = id; }
  float DistanceFromYou() const { return cleared_.distance_from_you; }
  void SetDistanceFromYou(float distance) { cleared_.distance_from_you = distance; }
  const std::string& AssocLineCode() const { return cleared_.assoc_line_code; }
  void SetAssocLineCode(std::string_view code) { cleared_.assoc_line_code = code; }
  const std::string& MsgLineCode() const { return cleared_.msg_line_code; }
  void SetMsgLineCode(std::string_view code) { cleared_.msg_line_code = code; }

  bool DisplayLocation() const { return cleared_.display_location; }
  void SetDisplayLocation(bool shown) { cleared_.display_location = shown; }
  bool DisplayName() const { return cleared_.display_name; }
  void SetDisplayName(bool shown) { cleared_.display_name = shown; }
  bool DisplayMessage() const { return cleared_.display_message; }
  void SetDisplayMessage(bool shown) { cleared_.display_message = shown; }

  bool ShopPrice() const { return cleared_.shop_price; }
  void SetShopPrice(bool shop) { cleared_.shop_price = shop; }
  bool ShopDistance() const { return cleared_.shop_distance; }
  void SetShopDistance(bool shop) { cleared_.shop_distance = shop; }
  Currency ShopProfitMin() const { return cleared_.shop_profit_min; }
  void SetShopProfitMin(Currency profit) { cleared_.shop_profit_min = profit; }

  bool OrderSplitLoc() const { return kept_.order_split_loc; }
  void SetOrderSplitLoc(bool split) { kept_.order_split_loc = split; }
  bool OrderSplitTot() const { return kept_.order_split_tot; }
  void SetOrderSplitTot(bool split) { kept_.order_split_tot = split; }
  const std::string& OrderSplitRelease() const { return kept_.order_split_release; }
  void SetOrderSplitRelease(std::string_view release) { kept_.order_split_release = release; }

  // Line-code filters.
  const std::string& LinesIncluded() const { return cleared_.lines_included; }
  void SetLinesIncluded(std::string_view lines) { cleared_.lines_included = lines; }
  const std::string& LinesExcluded() const { return cleared_.lines_excluded; }
  void SetLinesExcluded(std::string_view lines) { cleared_.lines_excluded = lines; }
  // Free caller data.
  const std::string& Tag() const { return cleared_.tag; }
  void SetTag(std::string_view tag) { cleared_.tag = tag; }

  const std::string& DynamicPricingFlag() const { return cleared_.dynamic_pricing; }
  void SetDynamicPricingFlag(std::string_view flag) { cleared_.dynamic_pricing = flag; }
  const std::string& DynamicDisplayFlag() const { return cleared_.dynamic_display; }
  void SetDynamicDisplayFlag(std::string_view flag) { cleared_.dynamic_display = flag; }
  const std::string& DynamicListPriceFlag() const { return cleared_.dynamic_list_price; }
  void SetDynamicListPriceFlag(std::string_view flag) { cleared_.dynamic_list_price = flag; }
  bool AllowPhantomAltLoc() const { return kept_.allow_phantom_alt_loc; }
  void SetAllowPhantomAltLoc(bool allow) { kept_.allow_phantom_alt_loc = allow; }

  // Line colours: from the primary seller, from an alternate location, and VWH.
  const std::string& LineColorPri() const { return cleared_.line_color_pri; }
  void SetLineColorPri(std::string_view color) { cleared_.line_color_pri = color; }
  const std::string& LineColorAlt() const { return cleared_.line_color_alt; }
  void SetLineColorAlt(std::string_view color) { cleared_.line_color_alt = color; }
  const std::string& LineColorVWH() const { return cleared_.line_color_vwh; }
  void SetLineColorVWH(std::string_view color) { cleared_.line_color_vwh = color; }

  // Marks the default (primary) provider of a collection.
  bool Default() const { return cleared_.is_default; }
  void SetDefault(bool is_default) { cleared_.is_default = is_default; }
  // Dates kept as text.
  const std::string& EditDate() const { return cleared_.edit_date; }
  void SetEditDate(std::string_view date) { cleared_.edit_date = date; }
  const std::string& FileDate() const { return cleared_.file_date; }
  void SetFileDate(std::string_view date) { cleared_.file_date = date; }

  bool ShippingRequired() const { return cleared_.shipping_required; }
  void SetShippingRequired(bool required) { cleared_.shipping_required = required; }
  Currency ShippingCostPerLB() const { return cleared_.shipping_cost_per_lb; }
  void SetShippingCostPerLB(Currency cost) { cleared_.shipping_cost_per_lb = cost; }
  Long ShippingMinPieceCount() const { return cleared_.shipping_min_piece_count; }
  void SetShippingMinPieceCount(Long count) { cleared_.shipping_min_piece_count = count; }
  const std::string& ShippingCarrDesc() const { return cleared_.shipping_carrier; }
  void SetShippingCarrDesc(std::string_view carrier) { cleared_.shipping_carrier = carrier; }
  const std::string& ShippingAcctNum() const { return cleared_.shipping_account; }
  void SetShippingAcctNum(std::string_view account) { cleared_.shipping_account = account; }

  // Back to the initial values, except IconText, the three order-split
  // settings and AllowPhantomAltLoc, which stay. `destroy` changes nothing.
  void Clear(bool destroy);

 private:
  // The values Clear resets, at their initial values.
  struct Cleared {
    std::string name;
    std::string location;
    std::string location_type;
    std::string seller_id;
    std::string seller_name;
    std::string mcl_dir;
    std::string priority;
    std::string delivery_message;
    std::string delivery_track_id;
    std::string transfer_track_id;
    float distance_from_you = 0;
    std::string assoc_line_code;
    std::string msg_line_code;
    bool display_location = true;
    bool display_name = false;
    bool display_message = false;
    bool shop_price = false;
    bool shop_distance = false;
    Currency shop_profit_min;
    std::string lines_included;
    std::string lines_excluded;
    std::string tag;
    std::string dynamic_pricing;
    std::string dynamic_display;
    std::string dynamic_list_price;
    std::string line_color_pri;
    std::string line_color_alt;
    std::string line_color_vwh;
    bool is_default = false;
    std::string edit_date;
    std::string file_date;
    bool shipping_required = false;
    Currency shipping_cost_per_lb;
    Long shipping_min_piece_count = 0;
    std::string shipping_carrier;
    std::string shipping_account;
  };
  // The values Clear leaves as they are; only an XML let replaces them.
  struct Kept {
    std::string icon_text;
    bool order_split_loc = false;
    bool order_split_tot = false;
    std::string order_split_release;
    bool allow_phantom_alt_loc = false;
  };

  Cleared cleared_;
  Kept kept_;
};

}  // namespace lombar
