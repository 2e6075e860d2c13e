// One line a catalog interface selected for the vehicle: a part, a labor
// operation or a comment (its ItemType). It carries the catalog data of the
// line, the labor data of a labor operation, a free status text that drives
// ordering, and its prices at one or more sources in its own ICatPriceCol.
// On top of those it computes quantities by source, jobber prices with a
// fallback to the suggested retail price (MSRP), the order flags, the vendor
// number and the unique key its collection keeps it under, and its profile.
#pragma once

#include <string>
#include <string_view>

#include "lombar/Enumerations.h"
#include "lombar/ICatItemProfile.h"
#include "lombar/ICatPriceCol.h"
#include "lombar/StoredText.h"
#include "lombar/Variant.h"
#include "lombar/internal/RareValues.h"
#include "lombar/internal/Record.h"

namespace lombar {

class ICatItem final : public Record {
 public:
  static constexpr std::string_view kClassName = "ICatItem";
  // The directory key JOBBER stands for the default provider's directory;
  // "*ALL*" asks for every real seller location at once.
  static constexpr std::string_view kJobber = "JOBBER";
  static constexpr std::string_view kAllLocations = "*ALL*";

  ICatItem();

  // ---- quantities and prices by source ----
  // The quantity available at the price under `mcl_dir` as a double; with
  // "*ALL*", the sum over the real seller locations (the 16-bit 0 when none).
  Variant QuantityAvailable(std::string_view mcl_dir = kJobber) const;
  // The same for the quantity to order.
  Variant QuantityToOrder(std::string_view mcl_dir = kJobber) const;
  // Stores the quantity in the price under `mcl_dir` when a global provider
  // carries that directory, first adding a price from the provider when the
  // item has none there (but not for a zero quantity). Error 91 without
  // global providers.
  void SetQuantityToOrder(std::string_view mcl_dir, const Variant& quantity);
  // The quantity to order at INVOICE: what was sold on a ticket.
  Variant QuantityOnTicket() const;
  // Only kept when the item holds an INVOICE price.
  void SetQuantityOnTicket(const Variant& quantity);

  // A new profile carrying the item's type, descriptions, group, part type
  // code, generic identifier and manufacturer.
  Ref<ICatItemProfile> GetItemProfile() const;

  // One amount of the price under `key` as a double, or the MSRP price's
  // amount when that is 0. JobberCost with "*ALL*" sums the costs of the
  // real seller locations instead (the 16-bit 0 when there are none).
  Variant JobberList(std::string_view key = kJobber) const;
  Variant JobberCost(std::string_view key = kJobber) const;
  Variant JobberCoreCost(std::string_view key = kJobber) const;
  Variant JobberCoreList(std::string_view key = kJobber) const;

  // The same quantities and amounts as numbers, for C++ hosts (each is
  // always a number; the automation forms give the 16-bit 0 as such).
  double QuantityAvailableAt(std::string_view mcl_dir = kJobber) const {
    return QuantityAvailable(mcl_dir).ToDouble();
  }
  double QuantityToOrderAt(std::string_view mcl_dir = kJobber) const {
    return QuantityToOrder(mcl_dir).ToDouble();
  }
  double JobberListAt(std::string_view key = kJobber) const { return JobberList(key).ToDouble(); }
  double JobberCostAt(std::string_view key = kJobber) const { return JobberCost(key).ToDouble(); }
  double JobberCoreCostAt(std::string_view key = kJobber) const {
    return JobberCoreCost(key).ToDouble();
  }
  double JobberCoreListAt(std::string_view key = kJobber) const {
    return JobberCoreList(key).ToDouble();
  }

  // ---- ordering ----
  // A part whose status is ORDER, URGENT or BACK ORDER (any letter case);
  // with `jobber_id`, only when it also has a quantity to order there.
  bool FlaggedToOrder(std::string_view jobber_id = {}) const;
  // A quantity to order without (open) or with (placed) the supplier's
  // delivery message; a status holding "C#" is an order placed.
  bool SupplierOrderOpen(std::string_view mcl_dir = kJobber) const;
  bool SupplierOrderPlaced(std::string_view mcl_dir = kJobber) const;

  // LineCode followed by ItemNumber.
  std::string VendorNumber() const;
  // The key the item collection keeps the item under: for labor the
  // description, operation and comment joined by spaces and trimmed; for
  // every other type the vendor number.
  std::string UniqueKey() const;
  // The same for an item of these values.
  struct KeyValues {
    Long item_type = 0;
    std::string_view line_code, item_number, description, labor_operation, comment;
  };
  static std::string UniqueKeyOf(const KeyValues& values);

  // ---- stored values, returned as given ----
  Short WorkGroup() const { return work_group_; }
  void SetWorkGroup(Short group) { work_group_ = group; }
  Long MFRcoverageNumber() const { return coverage_number_; }
  void SetMFRcoverageNumber(Long number) { coverage_number_ = number; }
  std::string_view GroupNumber() const { return group_number_; }
  void SetGroupNumber(std::string_view number) { group_number_ = number; }
  Long ItemType() const { return item_type_; }
  // Stores 0 for the filter values (90 and above); any other value as given.
  void SetItemType(Long type);
  std::string_view ItemSource() const { return item_source_; }
  void SetItemSource(std::string_view source) { item_source_ = source; }
  // Kept with the caller's variant type.
  const Variant& ItemStatus() const { return item_status_; }
  void SetItemStatus(const Variant& status) { item_status_ = status; }
  Short ItemGroup() const { return item_group_; }
  void SetItemGroup(Short group) { item_group_ = group; }
  std::string_view Heading() const { return heading_; }
  void SetHeading(std::string_view heading) { heading_ = heading; }
  std::string_view ItemLaborAvailable() const { return rare_.Get().labor_available; }
  void SetItemLaborAvailable(std::string_view available) {
    rare_.Set().labor_available = available;
  }
  std::string_view ManufacturerName() const { return manufacturer_name_; }
  void SetManufacturerName(std::string_view name) { manufacturer_name_ = name; }
  std::string_view LineCode() const { return line_code_; }
  void SetLineCode(std::string_view code) { line_code_ = code; }
  std::string_view ItemNumber() const { return item_number_; }
  void SetItemNumber(std::string_view number) { item_number_ = number; }
  std::string_view PartTypeCode() const { return part_type_code_; }
  void SetPartTypeCode(std::string_view code) { part_type_code_ = code; }
  std::string_view Description() const { return description_; }
  void SetDescription(std::string_view description) { description_ = description; }
  std::string_view ImageFileName() const { return rare_.Get().image_file_name; }
  void SetImageFileName(std::string_view name) { rare_.Set().image_file_name = name; }
  std::string_view ImageCallOut() const { return rare_.Get().image_call_out; }
  void SetImageCallOut(std::string_view call_out) { rare_.Set().image_call_out = call_out; }
  std::string_view ImageURLc2c() const { return rare_.Get().image_url_c2c; }
  void SetImageURLc2c(std::string_view url) { rare_.Set().image_url_c2c = url; }
  std::string_view ImageURLalt() const { return rare_.Get().image_url_alt; }
  void SetImageURLalt(std::string_view url) { rare_.Set().image_url_alt = url; }
  std::string_view MediaTagID() const { return rare_.Get().media_tag_id; }
  void SetMediaTagID(std::string_view id) { rare_.Set().media_tag_id = id; }
  Currency QuantityPerCar() const { return quantity_per_car_; }
  void SetQuantityPerCar(Currency quantity) { quantity_per_car_ = quantity; }
  // Shared: get returns the held collection, set replaces it.
  Ref<ICatPriceCol> PriceCol() const { return prices_; }
  void SetPriceCol(const Ref<ICatPriceCol>& prices) { prices_ = prices; }
  std::string_view LaborOperation() const { return labor_operation_; }
  void SetLaborOperation(std::string_view operation) { labor_operation_ = operation; }
  std::string_view LaborSkill() const { return labor_skill_; }
  void SetLaborSkill(std::string_view skill) { labor_skill_ = skill; }
  Currency LaborRate() const { return labor_rate_; }
  void SetLaborRate(Currency rate) { labor_rate_ = rate; }
  Currency LaborHRSnormal() const { return labor_hours_normal_; }
  void SetLaborHRSnormal(Currency hours) { labor_hours_normal_ = hours; }
  Currency LaborHRSwarranty() const { return labor_hours_warranty_; }
  void SetLaborHRSwarranty(Currency hours) { labor_hours_warranty_ = hours; }
  Currency LaborHRSsevere() const { return labor_hours_severe_; }
  void SetLaborHRSsevere(Currency hours) { labor_hours_severe_ = hours; }
  std::string_view LaborType() const { return labor_type_; }
  void SetLaborType(std::string_view type) { labor_type_ = type; }
  std::string_view YearRange() const { return rare_.Get().year_range; }
  void SetYearRange(std::string_view range) { rare_.Set().year_range = range; }
  std::string_view ComponentSide() const { return rare_.Get().component_side; }
  void SetComponentSide(std::string_view side) { rare_.Set().component_side = side; }
  std::string_view Comment() const { return comment_; }
  void SetComment(std::string_view comment) { comment_ = comment; }
  std::string_view Tag() const { return rare_.Get().tag; }
  void SetTag(std::string_view tag) { rare_.Set().tag = tag; }
  // "A" or "R", one separator and another item's key tie this item to it in the sort.
  std::string_view VendorNumberXRef() const { return vendor_number_xref_; }
  void SetVendorNumberXRef(std::string_view xref) { vendor_number_xref_ = xref; }
  std::string_view MCLsequence() const { return mcl_sequence_; }
  void SetMCLsequence(std::string_view sequence) { mcl_sequence_ = sequence; }
  std::string_view GenericDescription() const { return generic_description_; }
  void SetGenericDescription(std::string_view description) { generic_description_ = description; }
  std::string_view GenericDescriptionID() const { return generic_description_id_; }
  void SetGenericDescriptionID(std::string_view id) { generic_description_id_ = id; }
  std::string_view SupplierStockingFlag() const { return rare_.Get().supplier_stocking_flag; }
  void SetSupplierStockingFlag(std::string_view flag) { rare_.Set().supplier_stocking_flag = flag; }
  std::string_view SupplierMovementFlag() const { return rare_.Get().supplier_movement_flag; }
  void SetSupplierMovementFlag(std::string_view flag) { rare_.Set().supplier_movement_flag = flag; }
  std::string_view SupplierMovementRank() const { return rare_.Get().supplier_movement_rank; }
  void SetSupplierMovementRank(std::string_view rank) { rare_.Set().supplier_movement_rank = rank; }
  std::string_view SupplierExtendedInfo() const { return rare_.Get().supplier_extended_info; }
  void SetSupplierExtendedInfo(std::string_view info) { rare_.Set().supplier_extended_info = info; }
  // The caller's screen position: neither in the XML nor reset by Clear.
  Long DisplayRow() const { return display_row_; }
  void SetDisplayRow(Long row) { display_row_ = row; }
  Long DisplayCol() const { return display_col_; }
  void SetDisplayCol(Long col) { display_col_ = col; }

  // Back to the initial values but for MFRcoverageNumber, the weight text
  // and the display position; a new empty price collection, or none at all
  // when `destroy`.
  void Clear(bool destroy = false);

 private:
  friend class detail::ClassAccess;
  // The property table: its surface, XML form and Clear rule.
  static const RecordShape& Table();
  const RecordShape& Shape() const override { return Table(); }

  // The price under `key` (a detached empty one when there is none).
  Ref<ICatPrice> PriceAt(std::string_view key) const;
  // Whether some real seller location has a quantity to order without (open)
  // or with (placed) a delivery message; for one key, that price's answer.
  bool SupplierOrder(std::string_view mcl_dir, bool placed) const;
  Variant JobberAmount(std::string_view key, Currency (ICatPrice::*amount)() const) const;
  // The 16-bit 0, or once a real seller location is met the double sum of
  // `value` over the prices at real seller locations.
  Variant SumOverSellerLocations(double (*value)(const ICatPrice&)) const;
  // The quantity at one key, or with "*ALL*" the sum over the seller locations.
  Variant Quantity(std::string_view mcl_dir, double (*quantity)(const ICatPrice&)) const;

  // The 16- and 32-bit values side by side, where no padding comes between.
  Short work_group_ = 0;
  Short item_group_ = 0;
  Long coverage_number_ = 0;
  Long item_type_ = qcit_Part;
  Long display_row_ = 0;
  Long display_col_ = 0;
  StoredText group_number_;
  StoredText item_source_;
  // A variant starts as the empty text, the value Clear gives it.
  Variant item_status_{StoredText()};
  StoredText heading_;
  StoredText manufacturer_name_;
  StoredText line_code_;
  StoredText item_number_;
  StoredText part_type_code_;
  StoredText description_;
  Currency quantity_per_car_;
  Ref<ICatPriceCol> prices_;
  StoredText labor_operation_;
  StoredText labor_skill_;
  Currency labor_rate_;
  Currency labor_hours_normal_;
  Currency labor_hours_warranty_;
  Currency labor_hours_severe_;
  StoredText labor_type_;
  StoredText comment_;
  StoredText vendor_number_xref_;
  StoredText mcl_sequence_;
  StoredText generic_description_;
  StoredText generic_description_id_;
  // What most items leave empty (images, supplier flags and the like), in a
  // block made when one is set.
  struct Seldom {
    StoredText labor_available;
    StoredText image_file_name;
    StoredText image_call_out;
    StoredText image_url_c2c;
    StoredText image_url_alt;
    StoredText media_tag_id;
    StoredText year_range;
    StoredText component_side;
    StoredText tag;
    // Read from and written back as the Weight element; no property shows it.
    StoredText weight;
    StoredText supplier_stocking_flag;
    StoredText supplier_movement_flag;
    StoredText supplier_movement_rank;
    StoredText supplier_extended_info;
  };
  RareValues<Seldom> rare_;
};

}  // namespace lombar
