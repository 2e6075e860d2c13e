#include "lombar/ICatItemCol.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <unordered_map>

#include "base/Text.h"
#include "frame/ClassBuilder.h"
#include "frame/ConnectionPoint.h"
#include "frame/DiagnosticLog.h"
#include "frame/ErrorTrap.h"
#include "frame/FixedWidthText.h"
#include "frame/NumberParse.h"
#include "model/ModelState.h"
#include "model/support/CollectionMembers.h"
#include "model/support/CollectionSurface.h"
#include "model/support/CollectionXml.h"
#include "model/support/RecordPlan.h"
#include "model/support/SharedHelp.h"

namespace lombar {
namespace {

constexpr std::string_view kMemberElement = "Item";

const RecordPlan<ICatItem>& ItemTable() {
  return static_cast<const RecordPlan<ICatItem>&>(detail::ClassAccess::Table<ICatItem>());
}

// The leaves of a packed item its key is made of (ICatItem::UniqueKeyOf).
struct KeyLeaves {
  std::size_t item_type, line_code, item_number, description, labor_operation, comment;
};
KeyLeaves KeyLeavesOf(const RecordPlan<ICatItem>& table) {
  return {table.LeafNumber("ItemType"),       table.LeafNumber("LineCode"),
          table.LeafNumber("ItemNumber"),     table.LeafNumber("Description"),
          table.LeafNumber("LaborOperation"), table.LeafNumber("Comment")};
}

// Currency sums overflow like the runtime's: error 6.
Currency Plus(Currency total, Currency term) {
  std::int64_t sum = 0;
  if (__builtin_add_overflow(total.units, term.units, &sum)) RaiseRuntime(kOverflow);
  return Currency::FromUnits(sum);
}

// ---- display-order keys ----

// Where the item came from decides which sort mode applies to it.
constexpr std::string_view kNonCatalogSources = "|STOCK|NONCATALOG|";
constexpr std::string_view kStarredNonCatalogSources = "|*STOCK|*NONCATALOG|";
constexpr Currency kNoCost = Currency::FromUnits(999999900);  // 99999.99
constexpr Long kLaborMark = 1;

// A whole number in at least `digits` digits, zero-padded, a minus sign
// before them; rounded half away from zero, as picture formats round.
std::string Padded(double value, int digits) {
  const double rounded = std::round(value);
  std::string text = std::to_string(static_cast<long long>(std::fabs(rounded)));
  if (text.size() < static_cast<std::size_t>(digits)) text.insert(0, digits - text.size(), '0');
  return rounded < 0 ? "-" + text : text;
}
// A group number or sequence text as the number it reads as; a text that is
// no number stays as it is.
std::string PaddedText(std::string_view text, int digits) {
  return IsNumericText(text) ? Padded(ParseNumber(text), digits) : std::string(text);
}
// Cut or padded to the width with spaces.
std::string Fixed(std::string_view text, Short width) {
  return FixedWidthText(Variant(text), width, " ");
}
// The amount with at least five integer digits and exactly two decimals.
std::string AmountText(Currency amount) {
  const bool negative = amount.units < 0;
  // Units are 1/10000: cents, rounded half away from zero.
  const std::int64_t magnitude = std::llabs(amount.units);
  const std::int64_t cents = (magnitude + 50) / 100;
  std::string whole = std::to_string(cents / 100);
  if (whole.size() < 5) whole.insert(0, 5 - whole.size(), '0');
  const std::int64_t fraction = cents % 100;
  return (negative && cents != 0 ? "-" : "") + whole + "." + (fraction < 10 ? "0" : "") +
         std::to_string(fraction);
}

// What a sort key is made of, in order. Texts are cut or padded to their
// width, upper-cased where it says so; numbers are zero-padded.
enum class KeyPart {
  kItemGroup,        // the item group, 4 digits
  kGroupNumber,      // the catalog group number, 4 digits
  kSequence,         // the catalog sequence, 5 digits
  kBlanks,           // 25 spaces where another mode has a text
  kHeading,          // the heading, 25 characters, upper case
  kDescription,      // the description, 25 characters, upper case
  kLineCode,         // the line code, 5 characters
  kItemNumber,       // the item number as it is
  kCostLowFirst,     // the sorting cost, 5.2 digits
  kCostHighFirst,    // 99999.99 less the sorting cost, 5.2 digits
  kSpaceZero,        // " 0" and
  kSpaceNine,        // " 9": how labor keys end in some modes (no part key
                     // has a space there, so they order nothing)
};

// The key parts of labor and of parts for each of the nine sort modes, in
// the modes' order; a mode outside them sorts by the item's kind alone.
struct ModeKeys {
  std::initializer_list<KeyPart> labor;
  std::initializer_list<KeyPart> parts;
};
using enum KeyPart;
const ModeKeys kModeKeys[] = {
    /* undefined */ {{kItemGroup, kBlanks, kDescription}, {kItemGroup, kLineCode, kItemNumber}},
    /* manufacturer */ {{kItemGroup, kBlanks, kDescription}, {kItemGroup, kLineCode, kItemNumber}},
    /* description, cost high to low */
    {{kItemGroup, kBlanks, kDescription, kSpaceZero}, {kItemGroup, kHeading, kDescription, kCostHighFirst}},
    /* description, cost low to high */
    {{kItemGroup, kBlanks, kDescription, kSpaceNine}, {kItemGroup, kHeading, kDescription, kCostLowFirst}},
    /* description, manufacturer */
    {{kItemGroup, kBlanks, kDescription}, {kItemGroup, kHeading, kDescription, kLineCode, kItemNumber}},
    /* item group, description */
    {{kBlanks, kItemGroup, kDescription, kSpaceZero}, {kItemGroup, kHeading, kDescription, kItemNumber}},
    /* item group */ {{kItemGroup}, {kItemGroup, kSequence}},
    /* catalog group, description */ {{kGroupNumber, kDescription}, {kGroupNumber, kHeading, kDescription}},
    /* catalog sequence */ {{kSequence}, {kGroupNumber, kSequence}},
};
static_assert(std::size(kModeKeys) == qCCISmclSequence + 1);

// Builds the keys of one SortCatalog: labor and parts keys by the sort
// modes, related items after the item their cross reference names. Each
// item's parts key is built once, also when related items need it.
class SortKeys {
 public:
  explicit SortKeys(const ICatItemCol& items) : items_(items) {}

  std::string Build(const ICatItem& item) {
    return TracedAndTrapped({ICatItemCol::kClassName, "SortKeyBuild"}, [&]() -> std::string {
      if (item.ItemType() == qcit_Labor) return Labor(item);
      if (item.ItemType() != qcit_Part && item.ItemType() != qcit_Comment) return {};
      const std::string_view xref = item.VendorNumberXRef();
      const char first = xref.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(xref[0])));
      if (first != 'A' && first != 'R') return Parts(item);
      // A related item follows the item its cross reference names.
      const Variant principal(xref.size() > 2 ? xref.substr(2) : std::string_view());
      const Ref<ICatItem> base = items_.Item(principal);
      return Parts(base ? *base : item) + item.VendorNumber();
    });
  }

 private:
  std::string Labor(const ICatItem& item) const {
    return TracedAndTrapped({ICatItemCol::kClassName, "SortKeyLabor"}, [&] {
      return Key(item, items_.AftermarketSortMode(), &ModeKeys::labor, Currency{}) + std::to_string(kLaborMark);
    });
  }

  const std::string& Parts(const ICatItem& item) {
    const auto [known, inserted] = parts_.try_emplace(&item);
    if (inserted) known->second = BuildParts(item);
    return known->second;
  }

  std::string BuildParts(const ICatItem& item) const {
    return TracedAndTrapped({ICatItemCol::kClassName, "SortKeyParts"}, [&] {
      const std::string source = Concat({"|", item.ItemSource(), "|"});
      const bool non_catalog = !item.ItemSource().empty() &&
                               (kNonCatalogSources.find(source) != std::string_view::npos ||
                                kStarredNonCatalogSources.find(source) != std::string_view::npos);
      const Long mode = non_catalog ? items_.NonCatalogSortMode() : items_.AftermarketSortMode();
      const std::string mark = item.ItemSource() == "MOTOR" ? "2" : "3";
      return Key(item, mode, &ModeKeys::parts, CostForSorting(item, mode)) + mark;
    });
  }

  // The key of `mode`'s parts for the item (labor's or parts', as `kind` picks).
  static std::string Key(const ICatItem& item, Long mode, std::initializer_list<KeyPart> ModeKeys::*kind, Currency cost) {
    std::string key;
    if (mode < 0 || mode >= static_cast<Long>(std::size(kModeKeys))) return key;
    for (const KeyPart part : kModeKeys[mode].*kind) key += PartText(item, part, cost);
    return key;
  }

  static std::string PartText(const ICatItem& item, KeyPart part, Currency cost) {
    switch (part) {
      case kItemGroup: return Padded(item.ItemGroup(), 4);
      case kGroupNumber: return PaddedText(item.GroupNumber(), 4);
      case kSequence: return PaddedText(item.MCLsequence(), 5);
      case kBlanks: return std::string(25, ' ');
      case kHeading: return Fixed(UpperCase(item.Heading()), 25);
      case kDescription: return Fixed(UpperCase(item.Description()), 25);
      case kLineCode: return Fixed(item.LineCode(), 5);
      case kItemNumber: return std::string(item.ItemNumber());
      case kCostLowFirst: return AmountText(cost);
      case kCostHighFirst: return AmountText(Currency::FromUnits(kNoCost.units - cost.units));
      case kSpaceZero: return " 0";
      case kSpaceNine: return " 9";
    }
    return {};
  }

  // The jobber cost, except that in both cost modes items in stock come
  // first and items not available at the jobber last.
  static Currency CostForSorting(const ICatItem& item, Long mode) {
    const Currency cost = item.JobberCost(ICatItem::kJobber).ToCurrency();
    const std::string status = item.ItemStatus().ToText();
    if (status.empty()) return cost;
    const bool low_to_high = mode == qCCISdscCostLoHi;
    if (status.find("STOCK") != std::string::npos) return low_to_high ? Currency{} : kNoCost;
    const Ref<ICatPrice> jobber = item.PriceCol()->Item(Variant(ICatItem::kJobber));
    if (jobber->Available().ToText() == "N/A") return low_to_high ? kNoCost : Currency{};
    return cost;
  }

  const ICatItemCol& items_;
  std::unordered_map<const ICatItem*, std::string> parts_;
};

// ---- profile queries ----

bool PassesTypeFilter(Long type, Long filter) {
  switch (filter) {
    case qcit_Part:
    case qcit_Labor:
    case qcit_Comment:
      return type == filter;
    case qcit_FilterPartsComments:
      return type != qcit_Labor;
    case qcit_FilterLaborComments:
      return type != qcit_Part;
    default:
      return true;
  }
}

std::string ProfileKey(const ICatItemProfile& profile, Long use_key) {
  switch (use_key) {
    case qcips_Description:
      return std::string(profile.Description());
    case qcips_GroupAndType:
      return Concat({profile.GroupNumber(), profile.PartTypeCode()});
    case qcips_GroupAndManufacturer:
      return Concat({profile.GroupNumber(), profile.ManufacturerName()});
    case qcips_GenericID:
      return std::string(profile.GenericID());
    default:
      return {};
  }
}

}  // namespace

const ClassInfo& ICatItemCol::Class() const {
  return TypeInfo();
}

const ClassInfo& ICatItemCol::TypeInfo() {
  using enum SharedMember;
  using C = ICatItemCol;
  using ItemByRef = Ref<ICatItem> (C::*)(Variant&) const;
  using ExistsByRef = bool (C::*)(Variant&) const;
  using RemoveByRef = void (C::*)(Variant&);
  static const ClassInfo info =
      ClassBuilder<C>(kClassName, "{E6F037C9-AD0A-4EFE-A55D-61E56950F60D}",
                      "{79C110B5-693D-42B7-A21E-0629CD586CF1}",
                      "The items selected in a store, with their totals, display order, summary and "
                      "profile queries; fires CountChanged.")
          .SharedHelp(kCollectionHelp)
          .With(CollectionMembers<C>({{kXml, PropertyId(5)}}))
          .Help("The items and the vehicle as one XML text, empty when there are no items; "
                "assigning a text empties the collection and adds its items under their unique "
                "keys, firing CountChanged for each.")
          .Get("ItemsTotalCount", PropertyId(4), &C::ItemsTotalCount)
          .Help("The quantities available at the real seller locations (not INVOICE, LOCAL or "
                "MSRP), summed over all items; it changes whenever an availability does.")
          .Get("ItemsTotalCost", PropertyId(3), &C::ItemsTotalCost)
          .Help("The costs at the real seller locations (not INVOICE, LOCAL or MSRP), summed "
                "over all items; no quantity multiplies them.")
          .Method("ItemsSelectedCount", MethodId(6), &C::ItemsSelectedCount)
          .Help("The quantities to order at the real seller locations, summed over the items "
                "flagged to order: the parts whose status is ORDER, URGENT or BACK ORDER.")
          .Method("ItemsSelectedCost", MethodId(7), &C::ItemsSelectedCost)
          .Help("What the items flagged to order (parts whose status is ORDER, URGENT or BACK "
                "ORDER) cost: each one's quantity to order at the real seller locations times "
                "its JOBBER cost, summed.")
          .Get("XDocVersion", PropertyId(2), &C::XDocVersion)
          .Help("The document version: v3.00 when made and whenever XML is taken while it holds "
                "items; after a text is assigned to XML, its XDocVersion (empty when it has "
                "none).")
          .Method("Exists", MethodId(8), static_cast<ExistsByRef>(&C::Exists),
                  {ByRef("vntIndexKey")})
          .Help("Whether an item is at that position or under that key, tabs in the key dropped "
                "first; never raises an error.")
          .Set("Vehicle", PropertyId(1), &C::SetVehicle, {ByRef("RHS")})
          .Get("Vehicle", PropertyId(1), &C::Vehicle)
          .Help("The vehicle the items were selected for, written inside the collection's XML; "
                "setting it shares the object given.")
          .Method("Add", MethodId(9), &C::Add, {ByRef("xoItem"), "xsKey"})
          .Help("Adds the item itself under xsKey (without a key when empty), fires CountChanged "
                "and returns it; for Nothing or a key already held it adds nothing and returns "
                "Nothing. TABs in xsKey are kept.")
          .Get("Item", kDispIdValue, static_cast<ItemByRef>(&C::Item), {ByRef("vntIndexKey")})
          .Help("The item at a position counted from 1, or under its key (tabs in the key "
                "dropped first); Nothing when there is none.")
          .With(CollectionMembers<C>({{kCount, PropertyId(0)}}))
          .Method("Remove", MethodId(10), static_cast<RemoveByRef>(&C::Remove),
                  {ByRef("vntIndexKey")})
          .Help("Removes the item at a position or under a key (tabs dropped); one that is not "
                "there is no error.")
          .With(CollectionMembers<C>({{kNewEnum, kDispIdNewEnum}, {kClear, MethodId(13)}}))
          .Help("Releases the items and the vehicle and starts again empty with a new vehicle; with "
                "xbDestroyObject True it is left without either, and Count then fails with error "
                "91.")
          .Method("Summarize", MethodId(14), &C::Summarize, {"xsOption"})
          .Help("Removes the items whose status is empty or spaces; the option SHOWXML (any "
                "letter case) instead makes this thread's XML write empty and zero elements, and "
                "HIDEXML leaves them out again.")
          .Method("SortCatalog", MethodId(15), &C::SortCatalog, {"xeSortAftMktBy", "xeSortNonCatBy"})
          .Help("Puts the items in display order, catalog items and labor by xeSortAftMktBy, "
                "STOCK and NONCATALOG items by xeSortNonCatBy, and re-keys each by its "
                "UniqueKey; two items of one UniqueKey raise error 457 and the order stays.")
          .Method("GetItemProfiles", MethodId(19), &C::GetItemProfiles,
                  {"xeUseKey", "xeFilterType", Optional("xbOnlyWhenQTYavail", false)})
          .Help("A new ICatItemProfileCol with one profile per distinct xeUseKey value, sorted "
                "by SortBy (qcips_NoKeySet: one per item, in order), of the item types "
                "xeFilterType keeps; xbOnlyWhenQTYavail True leaves out items with nothing "
                "available at a real seller location.")
          .Method("GetDescriptions", MethodId(20), &C::GetDescriptions)
          .Help("A new collection of the distinct descriptions, letter case aside, in order of "
                "first appearance and as first written.")
          .Method("GetGenericDescriptions", MethodId(21), &C::GetGenericDescriptions)
          .Help("A new collection of the distinct generic descriptions, letter case aside, in "
                "order of first appearance and as first written.")
          .Method("GetManufacturers", MethodId(22), &C::GetManufacturers)
          .Help("A new collection of the distinct manufacturer names, letter case aside, in "
                "order of first appearance and as first written.")
          .Method("GetItemGroup", MethodId(23), &C::GetItemGroup, {"xsDescription"})
          .Help("The ItemGroup of the first item whose Description equals xsDescription in any "
                "letter case; 0 when there is none.")
          .Events("__ICatItemCol", "{4D5F34A8-79C7-48CE-B742-496455987CF6}",
                  {{"CountChanged", ICatItemColEvents::kCountChanged,
                    "Fired after Add has added an item."}})
          .Build();
  return info;
}

ICatItemCol::ICatItemCol() : events_(std::make_unique<ConnectionPoint>(*TypeInfo().events)) {
  TracedAndTrapped({kClassName, "Class_Initialize"}, [&] {
    XmlSwitches::OfThread() = {true, true};
    Clear(false);
    document_version_ = kDocumentVersion;
  });
}

ICatItemCol::~ICatItemCol() = default;

ConnectionPoint* ICatItemCol::Events() noexcept {
  return events_.get();
}

// ---- members and keys ----

void ICatItemCol::StripTabs(Variant& index) {
  if (index.IsText()) index = Variant(Eliminate(index.Text(), "\t", true));
}

bool ICatItemCol::Exists(Variant& index) const {
  StripTabs(index);
  return !Released() && Count() > 0 && Collection::Exists(index);
}

bool ICatItemCol::Exists(const Variant& index) const {
  Variant stripped = index;
  return Exists(stripped);
}

Ref<ICatItem> ICatItemCol::Item(Variant& index) const {
  return Exists(index) ? Collection::Item(index) : Nothing;
}

Ref<ICatItem> ICatItemCol::Item(const Variant& index) const {
  Variant stripped = index;
  return Item(stripped);
}

void ICatItemCol::Remove(Variant& index) {
  TracedAndTrapped({kClassName, "Remove"}, [&] {
    if (Exists(index)) Collection::Remove(index);
  });
}

void ICatItemCol::Remove(const Variant& index) {
  Variant stripped = index;
  Remove(stripped);
}

Ref<ICatItem> ICatItemCol::Add(const Ref<ICatItem>& item, std::string_view key) {
  return TracedAndTrapped({kClassName, "Add"}, [&]() -> Ref<ICatItem> {
    // A key already held is no error: nothing is added and no event fires.
    if (!item || !Append(item, key)) return Nothing;
    events_->Fire(ICatItemColEvents::kCountChanged);
    return item;
  });
}

void ICatItemCol::Clear(bool destroy) {
  TracedAndTrapped({kClassName, "Clear"}, [&] {
    ReleaseMembers(destroy);
    vehicle_ = destroy ? Ref<ICatVehicle>() : MakeRef<ICatVehicle>();
  });
}

// ---- XML ----

std::string ICatItemCol::XML() const {
  return XmlOf(*this);
}

void ICatItemCol::AppendXML(XmlWriter& writer) const {
  Trapped({kClassName, "Get XML"}, [&] {
    const CollectionXmlForm form = {
        .group = kElement,
        .switches = XmlSwitches::OfThread(),
        .before_count = [](XmlWriter& into) { into.Add("XDocVersion", kDocumentVersion); },
        .after_members = [&](XmlWriter& into) { detail::ClassAccess::AppendXML(*vehicle_, into); }};
    if (HasWaitingMembers()) {
      // Each packed item is written as an item of its values would write itself.
      std::string_view packed = waiting_items_;
      const std::size_t count = TakePackedCount(packed);
      const RecordPlan<ICatItem>& table = ItemTable();
      WriteCollectionXml(writer, form, count,
                         [&](XmlWriter& into) { table.WritePacked(into, packed); });
    } else {
      if (Released() || Count() == 0) return;
      WriteMembersXml<ICatItem>(writer, Backing(), form);
    }
    // Once the items are written, the collection is of the current version.
    document_version_ = kDocumentVersion;
  });
}

void ICatItemCol::SetXML(std::string_view xml) {
  Trapped({kClassName, "Let XML"}, [&] {
    Clear(false);
    if (xml.empty()) return;
    if (!ReadPlainly(xml)) ReadItems(XmlPart(xml));
  });
}

void ICatItemCol::ReadXML(XmlPart xml) {
  Trapped({kClassName, "Let XML"}, [&] {
    Clear(false);
    if (xml.Text().empty()) return;
    ReadItems(std::move(xml));
  });
}

void ICatItemCol::ReadItems(XmlPart xml) {
  // One reader finds the items and then the vehicle, and hands each its part.
  XmlReader reader = ReaderOf(std::move(xml));
  LoadMembers<ICatItem>(
      reader, kMemberElement, [&](const Ref<ICatItem>& item) { Add(item, item->UniqueKey()); },
      [&](XmlReader& count_reader, std::size_t members) {
        document_version_ = count_reader.Value("XDocVersion");
        ExpectMembers(members);
      });
  detail::ClassAccess::ReadXML(*vehicle_, reader.BlockPart(ICatVehicle::kElement, 1));
}

namespace {

// Whether no name the plain reading of items takes as it comes could be
// found by the search somewhere else first: the names of an item's leaves,
// of a price's and of the collections' own elements are all apart.
bool ItemNamesApart() {
  static const bool apart = [] {
    std::vector<std::string_view> names = {
        "XDocVersion",          "Count", "Collection", kMemberElement, ICatVehicle::kElement,
        ICatPriceCol::kElement, "Price"};
    for (const RecordShape* shape :
         {&detail::ClassAccess::Table<ICatItem>(), &detail::ClassAccess::Table<ICatPrice>()}) {
      for (const XmlValueShape& value : shape->Shape()) {
        if (value.form == XmlValueShape::Form::kLeaf) names.push_back(value.name);
      }
    }
    std::sort(names.begin(), names.end());
    return std::adjacent_find(names.begin(), names.end()) == names.end();
  }();
  return apart;
}

}  // namespace

// The plain form is read only where nothing could tell the readings apart:
// also no sinks to hear of items added before a reading that gives up.
bool ICatItemCol::ReadPlainly(std::string_view xml) {
  if (!OnePassReadingAllowed() || events_->Connections() != 0) return false;
  if (ReadInOnePass(xml, [&](PlainXmlCursor& cursor, std::string_view root) {
        ReadPlainCollection(cursor, root);
      }))
    return true;
  Clear(false);
  return false;
}

// As a store's items, within a catalog read in one pass.
void ICatItemCol::ReadPlainXml(PlainXmlCursor& cursor) {
  Clear(false);
  ReadPlainCollection(cursor, kElement);
}

// After its members were all there, no search of the items finds anything
// in the vehicle, but the version's might.
void ICatItemCol::ReadPlainCollection(PlainXmlCursor& cursor, std::string_view element) {
  if (!ItemNamesApart()) throw PlainXmlCursor::NotPlain{};
  static const PlainNames kVersion({"XDocVersion"});
  std::uint64_t version_met = 0;
  const PlainXmlCursor::Scope scope(cursor, element, &kVersion, &version_met);
  std::string version;
  bool vehicle_met = false;
  bool members_met = false;
  bool members_missing = false;
  std::string decoded;
  // The items are packed as they come, each kept unless its key is one met
  // before, as Add keeps them.
  const RecordPlan<ICatItem>& table = ItemTable();
  static const KeyLeaves key_leaves = KeyLeavesOf(table);
  std::string packed;
  const std::size_t block = StartPackedMembers(packed);
  MetKeys keys;
  std::size_t count = 0;
  ReadPlainCollectionXml(
      cursor, element, kMemberElement, [&](std::size_t) { members_met = true; },
      [&](PlainXmlCursor* member) {
        members_missing = members_missing || member == nullptr;
        const std::size_t start = packed.size();
        std::string key;
        if (member) {
          const PackedLeaves item = table.ReadPlainPacked(*member, kMemberElement, packed);
          key = ICatItem::UniqueKeyOf({item.Number<Long>(packed, key_leaves.item_type),
                                       item.Text(packed, key_leaves.line_code),
                                       item.Text(packed, key_leaves.item_number),
                                       item.Text(packed, key_leaves.description),
                                       item.Text(packed, key_leaves.labor_operation),
                                       item.Text(packed, key_leaves.comment)});
        } else {
          AppendPackedNumber(packed, 0);  // an item of nothing
          key = ICatItem::UniqueKeyOf({});
        }
        if (!key.empty() && !keys.Add(key)) return packed.resize(start);
        ++count;
      },
      [&](std::string_view name) {
        if (name == "XDocVersion") {
          if (version_met) {
            cursor.SkipLeaf(name);
          } else {
            version = std::string(cursor.LeafValue(name, decoded));
            version_met = 1;
          }
          return true;
        }
        if (name != ICatVehicle::kElement || vehicle_met || !members_met || members_missing)
          return false;
        vehicle_met = true;
        ReadSearchedPart(*vehicle_, cursor, name);
        return true;
      });
  document_version_ = std::move(version);
  EndPackedMembers(packed, block, count);
  if (count == 0) return;
  waiting_items_ = std::move(packed);
  MembersWaiting();
}

void ICatItemCol::MakeWaitingMembers() {
  std::string_view packed = waiting_items_;
  const std::size_t count = TakePackedCount(packed);
  const RecordPlan<ICatItem>& table = ItemTable();
  ExpectMembers(count);
  for (std::size_t made = 0; made < count; ++made) {
    const auto item = MakeRef<ICatItem>();
    table.Unpack(packed, *item);
    Append(item, item->UniqueKey());
  }
  std::string().swap(waiting_items_);
}

void ICatItemCol::DropWaitingMembers() noexcept {
  std::string().swap(waiting_items_);
}

// ---- totals ----

Currency ICatItemCol::SumOfItems(std::string_view operation, bool flagged_only,
                                 Variant (*term)(const ICatItem&)) const {
  return TracedAndTrapped({kClassName, operation}, [&] {
    Currency total;
    for (const Ref<ICatItem>& item : Members()) {
      if (flagged_only && !item->FlaggedToOrder()) continue;
      total = Plus(total, term(*item).ToCurrency());
    }
    return total;
  });
}

Currency ICatItemCol::ItemsTotalCount() const {
  return SumOfItems("Get ItemsTotalCount", false, [](const ICatItem& item) {
    return item.QuantityAvailable(ICatItem::kAllLocations);
  });
}

Currency ICatItemCol::ItemsTotalCost() const {
  return SumOfItems("Get ItemsTotalCost", false,
                    [](const ICatItem& item) { return item.JobberCost(ICatItem::kAllLocations); });
}

Currency ICatItemCol::ItemsSelectedCount() const {
  return SumOfItems("ItemsSelectedCount", true, [](const ICatItem& item) {
    return item.QuantityToOrder(ICatItem::kAllLocations);
  });
}

Currency ICatItemCol::ItemsSelectedCost() const {
  return SumOfItems("ItemsSelectedCost", true, [](const ICatItem& item) {
    return Variant(item.QuantityToOrder(ICatItem::kAllLocations).ToDouble() *
                   item.JobberCost(ICatItem::kJobber).ToDouble());
  });
}

// ---- sorting and summarising ----

void ICatItemCol::SortCatalog(Long aftermarket, Long non_catalog) {
  TracedAndTrapped({kClassName, "SortCatalog"}, [&] {
    if (Released()) {
      ReleaseMembers(false);
      return;
    }
    if (Count() < 2) return;
    aftermarket_sort_ = aftermarket;
    non_catalog_sort_ = non_catalog;
    SortKeys keys(*this);
    ReplaceBacking(Reordered<ICatItem>(
        Members(), Count(), [&](const ICatItem& item) { return keys.Build(item); },
        [](const ICatItem& item) -> std::optional<std::string> { return item.UniqueKey(); }));
  });
}

void ICatItemCol::Summarize(std::string_view option) {
  TracedAndTrapped({kClassName, "Summarize"}, [&] {
    const std::string word = UpperCase(option);
    if (word == "SHOWXML" || word == "HIDEXML") {
      const bool hide = word == "HIDEXML";
      XmlSwitches::OfThread() = {hide, hide};
      return;
    }
    // One pass removes what restarting after each removal would.
    Backing().RemoveWhere([](const Variant& stored) {
      return TrimSpaces(Typed(stored)->ItemStatus().ToText()).empty();
    });
  });
}

// ---- pick lists ----

Ref<ICatItemProfileCol> ICatItemCol::GetItemProfiles(Long use_key, Long filter_type,
                                                     bool only_when_available) const {
  return TracedAndTrapped({kClassName, "GetItemProfiles"}, [&] {
    const auto profiles = MakeRef<ICatItemProfileCol>();
    if (Released() || Count() == 0) return profiles;
    for (const Ref<ICatItem>& item : Members()) {
      if (only_when_available &&
          item->QuantityAvailable(ICatItem::kAllLocations).ToDouble() == 0) {
        continue;
      }
      const Ref<ICatItemProfile> profile = item->GetItemProfile();
      if (!PassesTypeFilter(profile->ItemType(), filter_type)) continue;
      profile->SetKey(ProfileKey(*profile, use_key));
      profiles->AddObject(profile);
    }
    if (use_key != qcips_NoKeySet) profiles->SortBy(use_key);
    return profiles;
  });
}

Ref<TextCollection> ICatItemCol::DistinctTexts(std::string_view operation,
                                               std::string_view (ICatItem::*text)() const) const {
  return TracedAndTrapped({kClassName, operation}, [&] {
    const auto texts = MakeRef<TextCollection>();
    if (Count() == 0) return texts;
    for (const Ref<ICatItem>& item : Members()) {
      // A text already held (letter case aside), or one that cannot be read, is skipped.
      try {
        const std::string_view value = ((*item).*text)();
        texts->Add(Variant(value), Variant(UpperCase(value)));
      } catch (const Error&) {
      }
    }
    return texts;
  });
}

Ref<TextCollection> ICatItemCol::GetDescriptions() const {
  return DistinctTexts("GetDescriptions", &ICatItem::Description);
}

Ref<TextCollection> ICatItemCol::GetGenericDescriptions() const {
  return DistinctTexts("GetGenericDescriptions", &ICatItem::GenericDescription);
}

Ref<TextCollection> ICatItemCol::GetManufacturers() const {
  return DistinctTexts("GetManufacturers", &ICatItem::ManufacturerName);
}

Short ICatItemCol::GetItemGroup(std::string_view description) const {
  return TracedAndTrapped({kClassName, "GetItemGroup"}, [&]() -> Short {
    const std::string wanted = UpperCase(description);
    const Ref<ICatItem> item = FirstMemberWhere(
        [&](const ICatItem& candidate) { return UpperCase(candidate.Description()) == wanted; });
    return item ? item->ItemGroup() : Short{0};
  });
}

}  // namespace lombar
