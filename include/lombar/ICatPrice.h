// The price and availability of one catalog item at one source: a store or
// catalog directory (MCLdir), a seller and a seller location, with the
// quantities available and to order, the core, cost, list and sell prices
// and a few ordering attributes. An item holds one per source in its
// ICatPriceCol, which keys it by its MCLdir.
#pragma once

#include <string>
#include <string_view>

#include "lombar/StoredText.h"
#include "lombar/Variant.h"
#include "lombar/internal/RareValues.h"
#include "lombar/internal/Record.h"

namespace lombar {

class ICatPrice final : public Record {
 public:
  static constexpr std::string_view kClassName = "ICatPrice";

  ICatPrice();

  // Every value is stored and returned as given: nothing is validated,
  // trimmed or converted.
  // The directory key: the price's key in its collection.
  std::string_view MCLdir() const { return mcl_dir_; }
  void SetMCLdir(std::string_view mcl_dir) { mcl_dir_ = mcl_dir; }
  std::string_view SellerID() const { return seller_id_; }
  void SetSellerID(std::string_view seller_id) { seller_id_ = seller_id; }
  // A seller location, or one of the pseudo-locations INVOICE, LOCAL and MSRP.
  std::string_view Location() const { return location_; }
  void SetLocation(std::string_view location) { location_ = location; }
  bool UrgentFlag() const { return urgent_; }
  void SetUrgentFlag(bool urgent) { urgent_ = urgent; }
  std::string_view DeliveryMessage() const { return delivery_message_; }
  void SetDeliveryMessage(std::string_view message) { delivery_message_ = message; }
  // The buying increment, kept as text.
  std::string_view QtyBuyingInc() const { return rare_.Get().qty_buying_inc; }
  void SetQtyBuyingInc(std::string_view increment) { rare_.Set().qty_buying_inc = increment; }
  std::string_view PackingUnits() const { return rare_.Get().packing_units; }
  void SetPackingUnits(std::string_view units) { rare_.Set().packing_units = units; }
  std::string_view PackNumUnits() const { return rare_.Get().pack_num_units; }
  void SetPackNumUnits(std::string_view units) { rare_.Set().pack_num_units = units; }
  std::string_view WarrantyCode() const { return rare_.Get().warranty_code; }
  void SetWarrantyCode(std::string_view code) { rare_.Set().warranty_code = code; }
  std::string_view Rank() const { return rare_.Get().rank; }
  void SetRank(std::string_view rank) { rare_.Set().rank = rank; }
  // Free caller data.
  std::string_view Tag() const { return rare_.Get().tag; }
  void SetTag(std::string_view tag) { rare_.Set().tag = tag; }

  // The quantities keep the caller's value with its kind; XML let reads them
  // back as text.
  const Variant& Available() const { return available_; }
  void SetAvailable(const Variant& available) { available_ = available; }
  const Variant& QuantityToOrder() const { return quantity_to_order_; }
  void SetQuantityToOrder(const Variant& quantity) { quantity_to_order_ = quantity; }

  Currency CoreCost() const { return rare_.Get().core_cost; }
  void SetCoreCost(Currency cost) { rare_.Set().core_cost = cost; }
  Currency CoreList() const { return rare_.Get().core_list; }
  void SetCoreList(Currency list) { rare_.Set().core_list = list; }
  Currency Cost() const { return cost_; }
  void SetCost(Currency cost) { cost_ = cost; }
  Currency List() const { return list_; }
  void SetList(Currency list) { list_ = list; }
  Currency Sell() const { return sell_; }
  void SetSell(Currency sell) { sell_ = sell; }
  // Stored as given, not computed from the other prices.
  Currency Margin() const { return rare_.Get().margin; }
  void SetMargin(Currency margin) { rare_.Set().margin = margin; }

  // The caller's screen position: neither written to the XML nor reset by
  // Clear or by XML let.
  Long DisplayRow() const { return display_row_; }
  void SetDisplayRow(Long row) { display_row_ = row; }
  Long DisplayCol() const { return display_col_; }
  void SetDisplayCol(Long col) { display_col_ = col; }

  // False for an empty Location and for the pseudo-locations INVOICE, LOCAL
  // and MSRP in any letter case; true for any other (real seller) location.
  bool LocationIsValid() const;

  // The empty price: Available's text is empty and Cost, List and Sell are
  // all 0. Such a price writes no XML and a price collection will not hold
  // it. Error 94 when Available is Null.
  bool HasNothingToSay() const;

  // Empties the texts (the priority text too), the quantities to the empty
  // text, UrgentFlag false, the six prices 0; DisplayRow and DisplayCol stay.
  void Clear();

 private:
  friend class detail::ClassAccess;
  // The property table: its surface, XML form and Clear rule.
  static const RecordShape& Table();
  const RecordShape& Shape() const override { return Table(); }

  StoredText mcl_dir_;
  StoredText seller_id_;
  StoredText location_;
  bool urgent_ = false;
  StoredText delivery_message_;
  // A variant starts as the empty text, the value Clear gives it.
  Variant available_{StoredText()};
  Variant quantity_to_order_{StoredText()};
  Currency cost_;
  Currency list_;
  Currency sell_;
  Long display_row_ = 0;
  Long display_col_ = 0;
  // What most prices leave empty or 0, in a block made when one is set.
  struct Seldom {
    // Read from and written to the XML only, so it survives a round trip.
    StoredText priority;
    StoredText qty_buying_inc;
    StoredText packing_units;
    StoredText pack_num_units;
    StoredText warranty_code;
    StoredText rank;
    StoredText tag;
    Currency core_cost;
    Currency core_list;
    Currency margin;
  };
  RareValues<Seldom> rare_;
};

}  // namespace lombar
