#include "lombar/ICatPrice.h"

#include "base/Text.h"
#include "model/support/RecordTable.h"

namespace lombar {
namespace {

// The locations that name no real seller, between bars so that a whole word matches.
constexpr std::string_view kPseudoLocations = "|INVOICE|LOCAL|MSRP|";

}  // namespace

const RecordShape& ICatPrice::Table() {
  using P = ICatPrice;
  // The XML order (At) differs from the slot order: the priority text follows
  // Location, and UrgentFlag follows the quantities.
  static const auto table =
      RecordTable<P>(kClassName, "{6FFE60EA-F714-4049-BF89-309BABD73AB9}",
                     "{BB1D78C9-11DB-4CE7-BC60-B5C27F3063DF}",
                     "An item's price and quantities at one seller location.")
          .EarlierInterface("{467AAF4D-B1EF-4248-9C1C-CD6A6F70D686}")
          .Xml(PropertyId(21), {.group = "Price"})
          .Help("The price as one Price element; the empty text when Available is empty and "
                "Cost, List and Sell are 0. Assigning a text clears the price first; DisplayRow "
                "and DisplayCol keep their values.")
          .WritesNothingWhen(&P::HasNothingToSay)
          .Property("MCLdir", PropertyId(20), &P::mcl_dir_, Leaf("MCLdir"))
          .Help("The directory of the store or catalog the price belongs to, and its key in the "
                "item's price collection.")
          .Property("SellerID", PropertyId(19), &P::seller_id_, Leaf("SellerID"))
          .Help("The identifier of the seller offering this price.")
          .Property("Location", PropertyId(18), &P::location_, Leaf("Location"))
          .Help("The seller location, or one of the pseudo-locations INVOICE, LOCAL and MSRP "
                "(the manufacturer's suggested retail price).")
          .Unnamed(Rarely(&P::Seldom::priority), Leaf("Priority"))
          .Property("UrgentFlag", PropertyId(17), &P::urgent_, Leaf("UrgentFlag"))
          .Help("Whether the price is flagged urgent; written as True or False.")
          .Property("DeliveryMessage", PropertyId(16), &P::delivery_message_,
                    Leaf("DeliveryMessage"))
          .Help("The delivery message for this location.")
          .Property("QtyBuyingInc", PropertyId(15),
                    Rarely(&P::Seldom::qty_buying_inc), Leaf("QtyBuyingInc"))
          .Help("The buying increment, kept as text.")
          .Property("PackingUnits", PropertyId(14),
                    Rarely(&P::Seldom::packing_units), Leaf("PackingUnits"))
          .Help("The packing units, kept as text.")
          .Property("PackNumUnits", PropertyId(13),
                    Rarely(&P::Seldom::pack_num_units), Leaf("PackNumUnits"))
          .Help("The number of units in a pack, kept as text.")
          .Property("WarrantyCode", PropertyId(12),
                    Rarely(&P::Seldom::warranty_code), Leaf("WarrantyCode"))
          .Help("The warranty code, kept as text.")
          .Property("Rank", PropertyId(11), Rarely(&P::Seldom::rank), Leaf("Rank"))
          .Help("The rank, kept as text.")
          .Property("Tag", PropertyId(10), Rarely(&P::Seldom::tag), Leaf("PriceTag"))
          .Help("Free text for the caller; written as the PriceTag element.")
          .Property("Available", PropertyId(9), &P::available_, Leaf("Available"))
          .Help("The quantity available here, kept with the caller's type and read back from "
                "XML as text.")
          .Property("QuantityToOrder", PropertyId(8), &P::quantity_to_order_,
                    Leaf("QuantityToOrder"))
          .Help("The quantity to order from here, kept with the caller's type and read back from "
                "XML as text.")
          .Property("CoreCost", PropertyId(7), Rarely(&P::Seldom::core_cost), Leaf("CoreCost"))
          .Help("The core cost at this location (the core being the returnable old part).")
          .Property("CoreList", PropertyId(6), Rarely(&P::Seldom::core_list), Leaf("CoreList"))
          .Help("The core list price at this location.")
          .Property("Cost", PropertyId(5), &P::cost_, Leaf("Cost"))
          .Help("The cost at this location.")
          .Property("List", PropertyId(4), &P::list_, Leaf("List"))
          .Help("The list price at this location.")
          .Property("Sell", PropertyId(3), &P::sell_, Leaf("Sell"))
          .Help("The selling price at this location.")
          .Property("Margin", PropertyId(2), Rarely(&P::Seldom::margin), Leaf("Margin"))
          .Help("The margin, stored as given: it is not computed from the other prices.")
          .Property("DisplayRow", PropertyId(1), &P::display_row_, kNotInXml).Kept()
          .Help("The caller's screen row for the price; neither written to XML nor reset by "
                "Clear or by assigning XML.")
          .Property("DisplayCol", PropertyId(0), &P::display_col_, kNotInXml).Kept()
          .Help("The caller's screen column for the price; neither written to XML nor reset by "
                "Clear or by assigning XML.")
          .Method("Clear", MethodId(24), &P::Clear)
          .Help("Empties the texts and quantities and sets UrgentFlag False and the six amounts "
                "0; DisplayRow and DisplayCol are kept.")
          .Get("LocationIsValid", PropertyId(25), &P::LocationIsValid)
          .Help("Whether Location names a real seller location: False when it is empty or one "
                "of INVOICE, LOCAL and MSRP in any letter case.")
          .XmlOrder({
              "MCLdir", "SellerID", "Location", "Priority", "DeliveryMessage", "QtyBuyingInc",
              "PackingUnits", "PackNumUnits", "WarrantyCode", "Rank", "PriceTag", "Available",
              "QuantityToOrder", "UrgentFlag", "CoreCost", "CoreList", "Cost", "List", "Sell",
              "Margin"})
          .Build();
  return table;
}

// No Clear at release: it can neither fail nor trace, so nobody could tell.
ICatPrice::ICatPrice() {
  Trapped({kClassName, "Class_Initialize"}, [&] { InitializeFields(); });
}

bool ICatPrice::LocationIsValid() const {
  if (location_.empty()) return false;
  return kPseudoLocations.find("|" + UpperCase(location_) + "|") == std::string_view::npos;
}

bool ICatPrice::HasNothingToSay() const {
  std::string converted;
  return available_.ToText(converted).empty() && cost_ == Currency{} && list_ == Currency{} &&
         sell_ == Currency{};
}

void ICatPrice::Clear() {
  Trapped({kClassName, "Clear"}, [&] { ClearFields(); });
}

}  // namespace lombar
