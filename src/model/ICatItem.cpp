#include "lombar/ICatItem.h"

#include "lombar/ICatProviderCol.h"
#include "base/Text.h"
#include "model/LocationKeys.h"
#include "model/ModelState.h"
#include "model/support/RecordTable.h"

namespace lombar {
namespace {

// The pseudo-locations the item reads beside real seller locations.
constexpr std::string_view kInvoice = "INVOICE";
constexpr std::string_view kMsrp = "MSRP";
// The status words that flag a part to be ordered, between bars, and the
// marker of an order placed.
constexpr std::string_view kOrderWords = "|ORDER|URGENT|BACK ORDER|";
constexpr std::string_view kOrderPlaced = "C#";

// A value's text read as a number the way the XML reader reads numbers:
// its leading number, 0 for an empty or non-numeric text.
double NumberIn(const Variant& value) {
  return LeadingNumber(value.ToText());
}
double AvailableOf(const ICatPrice& price) {
  return NumberIn(price.Available());
}
double ToOrderOf(const ICatPrice& price) {
  return NumberIn(price.QuantityToOrder());
}

}  // namespace

const RecordShape& ICatItem::Table() {
  using I = ICatItem;
  // The XML order (At) differs from the slot order: the prices and then the
  // labor values close the Item element, and the XML reads VendorNumberXRef
  // before MCLsequence though it writes them the other way round.
  static const auto table =
      RecordTable<I>(kClassName, "{4ED8F775-F9D8-4D01-99FE-C21D432D1A14}",
                     "{90669FAA-8E4D-415E-9062-EE889CF83975}",
                     "One selected part, labor operation or comment, with its prices at the seller "
                     "locations.")
          .Xml(PropertyId(45), {.group = "Item"})
          .Get("QuantityAvailable", PropertyId(44), &I::QuantityAvailable,
               {ByRef(Optional("xsMCLdir", "JOBBER"))})
          .Help("The quantity available at directory xsMCLdir, read as a number (JOBBER, the "
                "default, is the default provider's directory; one without a price reads 0); "
                "*ALL* sums it over the real seller locations, not INVOICE, LOCAL or MSRP.")
          .Get("QuantityToOrder", PropertyId(43), &I::QuantityToOrder,
               {ByRef(Optional("xsMCLdir", "JOBBER"))})
          .Let("QuantityToOrder", PropertyId(43), &I::SetQuantityToOrder,
               {ByRef(Optional("xsMCLdir", "JOBBER")), "RHS"})
          .Help("The quantity to order at directory xsMCLdir (JOBBER by default, *ALL* summing "
                "the real seller locations). Assigning it changes only a directory of the global "
                "providers (error 91 without them), adding its price unless the quantity is 0.")
          .Get("QuantityOnTicket", PropertyId(42), &I::QuantityOnTicket)
          .Let("QuantityOnTicket", PropertyId(42), &I::SetQuantityOnTicket)
          .Help("The quantity sold to the customer on the ticket, kept as the quantity to order "
                "of the INVOICE price; without an INVOICE price it reads 0 and an assigned value "
                "is lost.")
          .Method("GetItemProfile", MethodId(46), &I::GetItemProfile)
          .Help("A new ICatItemProfile with the item's type, description, group number, part "
                "type code, generic description and its ID, and manufacturer; its Tag and Key "
                "are empty.")
          .Method("JobberList", MethodId(47), &I::JobberList, {ByRef(Optional("xvKEYjobber", "JOBBER"))})
          .Help("The list price at directory xvKEYjobber (JOBBER, the default, is the default "
                "provider's directory); when that is 0, the list price of the MSRP price (the "
                "manufacturer's suggested retail price).")
          .Method("JobberCost", MethodId(48), &I::JobberCost, {ByRef(Optional("xvKEYjobber", "JOBBER"))})
          .Help("The cost at directory xvKEYjobber (JOBBER by default), or the MSRP price's cost "
                "when that is 0; *ALL* sums the costs at the real seller locations instead, "
                "without the MSRP fall-back.")
          .Method("JobberCoreCost", MethodId(49), &I::JobberCoreCost,
                  {ByRef(Optional("xvKEYjobber", "JOBBER"))})
          .Help("The core cost at directory xvKEYjobber (JOBBER by default), or the MSRP price's "
                "core cost when that is 0.")
          .Method("JobberCoreList", MethodId(50), &I::JobberCoreList,
                  {ByRef(Optional("xvKEYjobber", "JOBBER"))})
          .Help("The core list price at directory xvKEYjobber (JOBBER by default), or the MSRP "
                "price's core list price when that is 0.")
          .Property("WorkGroup", PropertyId(41), &I::work_group_, Leaf("WorkGroup"))
          .Help("The work group of the shop system the item was selected for.")
          .Property("MFRcoverageNumber", PropertyId(40), &I::coverage_number_,
                    Leaf("MFRcoverageNumber")).Kept()
          .Help("The manufacturer's coverage number; Clear keeps it.")
          .Property("GroupNumber", PropertyId(39), &I::group_number_, Leaf("GroupNumber"))
          .Help("The catalog group number, as text.")
          .Property("ItemType", PropertyId(38), &I::item_type_, Leaf("ItemType"))
          .Setter(&I::SetItemType)
          .Help("Part, labor or comment (qorCatalogItemType); assigning a filter value (90 or "
                "more) stores qcit_Part, though XML keeps the number it reads.")
          .Property("ItemSource", PropertyId(37), &I::item_source_, Leaf("ItemSource"))
          .Help("Where the item came from; SortCatalog orders the sources STOCK, NONCATALOG, "
                "*STOCK and *NONCATALOG by its non-catalog mode.")
          .Property("ItemStatus", PropertyId(36), &I::item_status_, Leaf("ItemStatus"))
          .Help("The status, such as ORDER, URGENT, BACK ORDER, HOLD or blank, kept as the value "
                "given; ORDER, URGENT and BACK ORDER flag a part to be ordered, and C# in it "
                "marks an order placed.")
          .Method("FlaggedToOrder", MethodId(51), &I::FlaggedToOrder, {Optional("xsJobberID", "")})
          .Help("Whether the item is a part whose status is ORDER, URGENT or BACK ORDER in any "
                "letter case; with xsJobberID, only when its quantity to order at that directory "
                "is also above 0.")
          .Method("SupplierOrderOpen", MethodId(52), &I::SupplierOrderOpen,
                  {ByRef(Optional("xsMCLdir", "JOBBER"))})
          .Help("Whether an order is still to be sent: a quantity to order at xsMCLdir (JOBBER "
                "by default; *ALL*: at any real seller location) without a delivery message; "
                "never when the status holds C#.")
          .Method("SupplierOrderPlaced", MethodId(53), &I::SupplierOrderPlaced,
                  {ByRef(Optional("xsMCLdir", "JOBBER"))})
          .Help("Whether an order was placed: the status holds C#, or a quantity to order at "
                "xsMCLdir (JOBBER by default; *ALL*: at any real seller location) has a delivery "
                "message.")
          .Property("ItemGroup", PropertyId(35), &I::item_group_, Leaf("ItemGroup"))
          .Help("The display group number, by which most modes of SortCatalog order first.")
          .Property("Heading", PropertyId(34), &I::heading_, Leaf("ItemHeading"))
          .Help("The sub-heading within the catalog group; in the XML ItemHeading.")
          .Property("ItemLaborAvailable", PropertyId(33), Rarely(&I::Seldom::labor_available),
                    Leaf("ItemLaborAvailable"))
          .Help("A text on the labor available for the item, kept as given.")
          .Property("ManufacturerName", PropertyId(32), &I::manufacturer_name_,
                    Leaf("Manufacturer"))
          .Help("The manufacturer's name; in the XML Manufacturer.")
          .Property("LineCode", PropertyId(31), &I::line_code_, Leaf("LineCode"))
          .Help("The manufacturer's line code, usually 3 characters.")
          .Property("ItemNumber", PropertyId(30), &I::item_number_, Leaf("ItemNumber"))
          .Help("The part number, without the line code.")
          .Method("VendorNumber", MethodId(54), &I::VendorNumber)
          .Help("LineCode followed directly by ItemNumber (ACD and 012345 give ACD012345).")
          .Method("UniqueKey", MethodId(55), &I::UniqueKey)
          .Help("The item's key in its item collection: for labor its Description, "
                "LaborOperation and Comment joined by spaces and trimmed, for other types its "
                "VendorNumber.")
          .Property("PartTypeCode", PropertyId(29), &I::part_type_code_, Leaf("PartTypeCode"))
          .Help("The catalog's part type code.")
          .Property("Description", PropertyId(28), &I::description_, Leaf("Description"))
          .Help("The item's description.")
          .Property("ImageFileName", PropertyId(27), Rarely(&I::Seldom::image_file_name),
                    Leaf("ImageFileName"))
          .Help("The file name of the item's image.")
          .Property("ImageCallOut", PropertyId(26),
                    Rarely(&I::Seldom::image_call_out), Leaf("ImageCallOut"))
          .Help("The call-out that marks the item on its image.")
          .Property("ImageURLc2c", PropertyId(25),
                    Rarely(&I::Seldom::image_url_c2c), Leaf("ImageURLc2c"))
          .Help("The address of the item's image.")
          .Property("ImageURLalt", PropertyId(24),
                    Rarely(&I::Seldom::image_url_alt), Leaf("ImageURLalt"))
          .Help("Another address of the item's image.")
          .Property("MediaTagID", PropertyId(23),
                    Rarely(&I::Seldom::media_tag_id), Leaf("MediaTagID"))
          .Help("The identifier of the item's media.")
          .Property("QuantityPerCar", PropertyId(22), &I::quantity_per_car_,
                    Leaf("QuantityPerCar"))
          .Help("The number needed on the vehicle.")
          .Property("PriceCol", PropertyId(21), &I::prices_, Child("Prices"))
          .Help("The item's prices, one per seller location and for INVOICE and MSRP; in the XML "
                "Prices. Setting it shares the collection given.")
          .Property("LaborOperation", PropertyId(20), &I::labor_operation_,
                    Leaf("LaborOperation"))
          .Help("The work the labor operation does.")
          .Property("LaborSkill", PropertyId(19), &I::labor_skill_, Leaf("LaborSkill"))
          .Help("The skill the labor needs: A, B or C.")
          .Property("LaborRate", PropertyId(18), &I::labor_rate_, Leaf("LaborRate"))
          .Help("The hourly labor rate.")
          .Property("LaborHRSnormal", PropertyId(17), &I::labor_hours_normal_,
                    Leaf("LaborHRSnormal"))
          .Help("The labor hours under normal conditions.")
          .Property("LaborHRSwarranty", PropertyId(16), &I::labor_hours_warranty_,
                    Leaf("LaborHRSwarranty"))
          .Help("The labor hours under warranty.")
          .Property("LaborHRSsevere", PropertyId(15), &I::labor_hours_severe_,
                    Leaf("LaborHRSsevere"))
          .Help("The labor hours under severe conditions.")
          .Property("LaborType", PropertyId(14), &I::labor_type_, Leaf("LaborType"))
          .Help("The kind of labor.")
          .Property("YearRange", PropertyId(13), Rarely(&I::Seldom::year_range), Leaf("YearRange"))
          .Help("The model years the item fits, as YYYY or YYYY-YYYY.")
          .Property("ComponentSide", PropertyId(12),
                    Rarely(&I::Seldom::component_side), Leaf("ComponentSide"))
          .Help("The side of the vehicle: LEFT, RIGHT, L, R, B, BOTH or blank.")
          .Property("Comment", PropertyId(11), &I::comment_, Leaf("Comment"))
          .Help("A comment on the item.")
          .Property("Tag", PropertyId(10), Rarely(&I::Seldom::tag), Leaf("ItemTag"))
          .Help("Free data of the caller; in the XML ItemTag.")
          .Property("VendorNumberXRef", PropertyId(9), &I::vendor_number_xref_,
                    Leaf("VendorNumberXRef"))
          .Help("A cross reference: A or R, one separator character and another item's key make "
                "SortCatalog place this item right after that one.")
          .Property("MCLsequence", PropertyId(8), &I::mcl_sequence_, Leaf("MCLsequence"))
          .Help("The item's sequence within the catalog directory, for the sequence sort modes.")
          .Unnamed(Rarely(&I::Seldom::weight), Leaf("Weight")).Kept()
          .Property("GenericDescription", PropertyId(7), &I::generic_description_,
                    Leaf("GenericDescription"))
          .Help("The item's generic description.")
          .Property("GenericDescriptionID", PropertyId(6), &I::generic_description_id_,
                    Leaf("GenericDescriptionID"))
          .Help("The identifier of the generic description; GenericID of the item's profile.")
          .Property("SupplierStockingFlag", PropertyId(5),
                    Rarely(&I::Seldom::supplier_stocking_flag),
                    Leaf("SupplierStockingFlag"))
          .Help("The supplier's stocking flag.")
          .Property("SupplierMovementFlag", PropertyId(4),
                    Rarely(&I::Seldom::supplier_movement_flag),
                    Leaf("SupplierMovementFlag"))
          .Help("The supplier's movement flag.")
          .Property("SupplierMovementRank", PropertyId(3),
                    Rarely(&I::Seldom::supplier_movement_rank),
                    Leaf("SupplierMovementRank"))
          .Help("The supplier's movement rank.")
          .Property("SupplierExtendedInfo", PropertyId(2),
                    Rarely(&I::Seldom::supplier_extended_info),
                    Leaf("SupplierExtendedInfo"))
          .Help("Further information from the supplier.")
          .Property("DisplayRow", PropertyId(1), &I::display_row_, kNotInXml).Kept()
          .Help("The caller's screen row for the item; not in the XML, and Clear keeps it.")
          .Property("DisplayCol", PropertyId(0), &I::display_col_, kNotInXml).Kept()
          .Help("The caller's screen column for the item; not in the XML, and Clear keeps it.")
          .Method("Clear", MethodId(58), &I::Clear, {Optional("xbDestroyObject", false)})
          .Help("Empties the values and gives the item a new empty PriceCol, keeping "
                "MFRcoverageNumber, DisplayRow, DisplayCol and the Weight element's text; with "
                "xbDestroyObject True it gets none, and the members reading prices then fail with "
                "error 91.")
          .XmlOrder({
              "WorkGroup", "MFRcoverageNumber", "GroupNumber", "ItemType", "ItemSource",
              "ItemStatus", "ItemGroup", "ItemHeading", "ItemLaborAvailable", "Manufacturer",
              "LineCode", "ItemNumber", "PartTypeCode", "Description", "ImageFileName",
              "ImageCallOut", "ImageURLc2c", "ImageURLalt", "MediaTagID", "QuantityPerCar",
              "YearRange", "ComponentSide", "Comment", "ItemTag", "MCLsequence", "VendorNumberXRef",
              "Weight", "GenericDescription", "GenericDescriptionID", "SupplierStockingFlag",
              "SupplierMovementFlag", "SupplierMovementRank", "SupplierExtendedInfo", "Prices",
              "LaborOperation", "LaborSkill", "LaborRate", "LaborHRSnormal", "LaborHRSwarranty",
              "LaborHRSsevere", "LaborType"})
          .ReadSwapped("MCLsequence", "VendorNumberXRef")
          .Build();
  return table;
}

ICatItem::ICatItem() {
  Trapped({kClassName, "Class_Initialize"}, [&] { InitializeFields(); });
}

void ICatItem::Clear(bool destroy) {
  Trapped({kClassName, "Clear"}, [&] { ClearFields(destroy); });
}

void ICatItem::SetItemType(Long type) {
  item_type_ = type >= qcit_FilterApplied ? qcit_Part : type;
}

Ref<ICatPrice> ICatItem::PriceAt(std::string_view key) const {
  return prices_->Item(Variant(key));
}

Variant ICatItem::SumOverSellerLocations(double (*value)(const ICatPrice&)) const {
  Variant total(Short{0});
  for (const Ref<ICatPrice>& price : prices_->Members()) {
    if (price->LocationIsValid()) total = total.ToDouble() + value(*price);
  }
  return total;
}

Variant ICatItem::Quantity(std::string_view mcl_dir, double (*quantity)(const ICatPrice&)) const {
  if (mcl_dir == kAllLocations) return SumOverSellerLocations(quantity);
  return quantity(*PriceAt(mcl_dir));
}

Variant ICatItem::QuantityAvailable(std::string_view mcl_dir) const {
  return TracedAndTrapped({kClassName, "Get QuantityAvailable"},
                          [&] { return Quantity(mcl_dir, &AvailableOf); });
}

Variant ICatItem::QuantityToOrder(std::string_view mcl_dir) const {
  return TracedAndTrapped({kClassName, "Get QuantityToOrder"},
                          [&] { return Quantity(mcl_dir, &ToOrderOf); });
}

void ICatItem::SetQuantityToOrder(std::string_view mcl_dir, const Variant& quantity) {
  TracedAndTrapped({kClassName, "Let QuantityToOrder"}, [&] {
    const Ref<ICatProviderCol>& providers = ThreadModel().global_providers;
    const Variant key(mcl_dir);
    if (!providers->Exists(key)) return;
    const Ref<ICatProvider> provider = providers->Item(key);
    if (!prices_->Exists(key)) {
      // No price is made for a zero quantity.
      if (NumberIn(quantity) == 0) return;
      std::string new_key;
      prices_->Add(provider->MCLdir(), provider->Location(), provider->SellerID(), "0", "0", "0",
                   new_key);
    }
    PriceAt(mcl_dir)->SetQuantityToOrder(quantity);
  });
}

Variant ICatItem::QuantityOnTicket() const {
  return TracedAndTrapped({kClassName, "Get QuantityOnTicket"},
                          [&] { return Variant(NumberIn(PriceAt(kInvoice)->QuantityToOrder())); });
}

void ICatItem::SetQuantityOnTicket(const Variant& quantity) {
  TracedAndTrapped({kClassName, "Let QuantityOnTicket"},
                   [&] { PriceAt(kInvoice)->SetQuantityToOrder(quantity); });
}

Ref<ICatItemProfile> ICatItem::GetItemProfile() const {
  return TracedAndTrapped({kClassName, "GetItemProfile"}, [&] {
    const auto profile = MakeRef<ICatItemProfile>();
    profile->SetItemType(item_type_);
    profile->SetDescription(description_);
    profile->SetGroupNumber(group_number_);
    profile->SetPartTypeCode(part_type_code_);
    profile->SetGenericDescription(generic_description_);
    profile->SetGenericID(generic_description_id_);
    profile->SetManufacturerName(manufacturer_name_);
    return profile;
  });
}

Variant ICatItem::JobberAmount(std::string_view key, Currency (ICatPrice::*amount)() const) const {
  const double at_key = ((*PriceAt(key)).*amount)().ToDouble();
  if (at_key != 0) return at_key;
  // The suggested retail price stands in for a missing jobber price.
  return ((*PriceAt(kMsrp)).*amount)();
}

Variant ICatItem::JobberList(std::string_view key) const {
  return TracedAndTrapped({kClassName, "JobberList"},
                          [&] { return JobberAmount(key, &ICatPrice::List); });
}

Variant ICatItem::JobberCost(std::string_view key) const {
  return TracedAndTrapped({kClassName, "JobberCost"}, [&]() -> Variant {
    if (key != kAllLocations) return JobberAmount(key, &ICatPrice::Cost);
    return SumOverSellerLocations([](const ICatPrice& price) { return price.Cost().ToDouble(); });
  });
}

Variant ICatItem::JobberCoreCost(std::string_view key) const {
  return TracedAndTrapped({kClassName, "JobberCoreCost"},
                          [&] { return JobberAmount(key, &ICatPrice::CoreCost); });
}

Variant ICatItem::JobberCoreList(std::string_view key) const {
  return TracedAndTrapped({kClassName, "JobberCoreList"},
                          [&] { return JobberAmount(key, &ICatPrice::CoreList); });
}

bool ICatItem::FlaggedToOrder(std::string_view jobber_id) const {
  return TracedAndTrapped({kClassName, "FlaggedToOrder"}, [&] {
    const std::string status = item_status_.ToText();
    if (item_type_ != qcit_Part || status.empty()) return false;
    if (kOrderWords.find("|" + UpperCase(status) + "|") == std::string_view::npos) return false;
    return jobber_id.empty() || QuantityToOrder(jobber_id).ToDouble() > 0;
  });
}

bool ICatItem::SupplierOrder(std::string_view mcl_dir, bool placed) const {
  if (item_status_.ToText().find(kOrderPlaced) != std::string::npos) return placed;
  const auto answers = [placed](const ICatPrice& price) {
    return ToOrderOf(price) > 0 && price.DeliveryMessage().empty() != placed;
  };
  if (mcl_dir != kAllLocations) return answers(*PriceAt(JobberKey(Variant(mcl_dir)).ToText()));
  for (const Ref<ICatPrice>& price : prices_->Members()) {
    if (price->LocationIsValid() && answers(*price)) return true;
  }
  return false;
}

bool ICatItem::SupplierOrderOpen(std::string_view mcl_dir) const {
  return TracedAndTrapped({kClassName, "SupplierOrderOpen"},
                          [&] { return SupplierOrder(mcl_dir, false); });
}

bool ICatItem::SupplierOrderPlaced(std::string_view mcl_dir) const {
  return TracedAndTrapped({kClassName, "SupplierOrderPlaced"},
                          [&] { return SupplierOrder(mcl_dir, true); });
}

std::string ICatItem::VendorNumber() const {
  return Concat({line_code_, item_number_});
}

std::string ICatItem::UniqueKey() const {
  return UniqueKeyOf(
      {item_type_, line_code_, item_number_, description_, labor_operation_, comment_});
}

std::string ICatItem::UniqueKeyOf(const KeyValues& values) {
  if (values.item_type != qcit_Labor) return Concat({values.line_code, values.item_number});
  return std::string(
      TrimSpaces(Concat({values.description, " ", values.labor_operation, " ", values.comment})));
}

}  // namespace lombar
