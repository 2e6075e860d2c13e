#include "lombar/ICatalog.h"

#include "base/Text.h"
#include "frame/ClassBuilder.h"
#include "frame/ErrorTrap.h"
#include "model/ModelState.h"
#include "model/support/CollectionXml.h"

namespace lombar {
namespace {

constexpr std::string_view kDocumentVersionTag = "XDocVersion";
// What an item collection's Summarize takes for "drop the items without a status".
constexpr std::string_view kDropUnmarkedItems = "mode0";

// A catalog document opens with its Catalogs element, in any letter case,
// with nothing before it; anything else is an old-style item collection.
bool IsCatalogDocument(std::string_view xml) {
  constexpr std::string_view kOpening = "<CATALOGS>";
  return EqualsIgnoringCase(xml.substr(0, kOpening.size()), kOpening);
}

bool HoldsItems(const Ref<ICatItemCol>& items) {
  return items && items->Count() > 0;
}

bool IsVirtualWarehouse(const ICatProvider& provider) {
  return provider.LocationType() == ICatalog::kVirtualWarehouse;
}

bool IsDefault(const ICatProvider& provider) {
  return provider.Default();
}

// A new collection holding a copy of `source` through its XML becomes the
// thread's `global`; an empty source leaves the one in place.
template <class Collection>
void ReplaceSnapshot(Ref<Collection>& global, const Ref<Collection>& source) {
  if (source->Count() == 0) return;
  global = MakeRef<Collection>();
  global->SetXML(source->XML());
}

}  // namespace

const ClassInfo& ICatalog::Class() const {
  return TypeInfo();
}

const ClassInfo& ICatalog::TypeInfo() {
  using C = ICatalog;
  static const ClassInfo info =
      ClassBuilder<C>(kClassName, "{8C023522-9DCC-485C-8698-69366CA5A299}",
                      "{C4D567CD-FDBC-4014-858A-71913D078934}",
                      "The catalog selection as a whole: the vehicle, providers, presets, stores and "
                      "lists, read and written as one XML document.")
          .Get("XML", PropertyId(5), &C::XML)
          .Let("XML", PropertyId(5), &C::SetXML)
          .Help("The whole catalog as one XML document; assigning a document replaces every "
                "part, and a text that does not open with <Catalogs> is taken for an old-style "
                "item document, filed as the one store of the default provider's directory.")
          .Set("Vehicle", PropertyId(4), &C::SetVehicle, {ByRef("RHS")})
          .Get("Vehicle", PropertyId(4), &C::Vehicle)
          .Help("The vehicle being worked on; setting it shares the object given, not a copy.")
          .Set("Providers", PropertyId(3), &C::SetProviders, {ByRef("RHS")})
          .Get("Providers", PropertyId(3), &C::Providers)
          .Help("The catalog providers; GlobalProviders_Create makes them the ones that key "
                "look-ups such as JOBBER consult.")
          .Set("Presets", PropertyId(2), &C::SetPresets, {ByRef("RHS")})
          .Get("Presets", PropertyId(2), &C::Presets)
          .Help("The preset look-ups; setting them shares the collection given.")
          .Set("Stores", PropertyId(1), &C::SetStores, {ByRef("RHS")})
          .Get("Stores", PropertyId(1), &C::Stores)
          .Help("The stores with the items selected in each; setting them shares the collection "
                "given.")
          .Set("Lists", PropertyId(0), &C::SetLists, {ByRef("RHS")})
          .Get("Lists", PropertyId(0), &C::Lists)
          .Help("The reference lists; setting them shares the collection given.")
          .Method("FindItemInStore", MethodId(6), &C::FindItemInStore,
                  {ByRef("xoCatItem"), "xsMCLdir"})
          .Help("The item of store xsMCLdir that matches xoCatItem: the one under its vendor "
                "number, else the first with the same group, coverage, part type and item "
                "number; Nothing when there is none, and never an error.")
          .Method("FindTypeInStore", MethodId(7), &C::FindTypeInStore,
                  {ByRef("xoCatItem"), "xsMCLdir"})
          .Help("An item of store xsMCLdir of the same kind as xoCatItem: the one under its "
                "vendor number, else the first with the same group, coverage and part type; "
                "Nothing when there is none, and never an error.")
          .Method("MatchItemStatus", MethodId(8), &C::MatchItemStatus,
                  {ByRef("xoItemPRI"), "xsMCLdir"})
          .Help("Copies the status of xoItemPRI, and its order quantity at xsMCLdir, to its match "
                "in store xsMCLdir; only when that directory's provider is a virtual warehouse "
                "(location type VWH).")
          .Method("Summarize", MethodId(9), &C::Summarize,
                  {Optional("xsMCLdir", std::string(kAllStores))})
          .Help("Drops the items with a blank status from every store (*ALL*), from the stores of "
                "the VWH providers (VWH) or from one directory, then drops from the default "
                "provider's items their prices at the locations whose stores are left empty.")
          .Method("GlobalProviders_Create", MethodId(10), &C::GlobalProviders_Create)
          .Help("Makes a copy of Providers this thread's global providers, which turn the keys "
                "JOBBER, #seller and S#seller into directories; with no providers nothing "
                "changes.")
          .Method("GlobalProviders_Destroy", MethodId(11), &C::GlobalProviders_Destroy)
          .Help("Releases this thread's global providers: JOBBER then finds no directory.")
          .Method("GlobalStores_Create", MethodId(12), &C::GlobalStores_Create)
          .Help("Keeps a copy of Stores as this thread's global stores; with no stores nothing "
                "changes.")
          .Method("GlobalStores_Destroy", MethodId(13), &C::GlobalStores_Destroy)
          .Help("Releases this thread's global stores.")
          .Build();
  return info;
}

ICatalog::ICatalog() {
  RenewChildren();
}

// In the order of the document; making the stores collection switches the
// thread's XML switches on.
void ICatalog::RenewChildren() {
  vehicle_ = MakeRef<ICatVehicle>();
  providers_ = MakeRef<ICatProviderCol>();
  presets_ = MakeRef<ICatPresetCol>();
  stores_ = MakeRef<ICatStoreCol>();
  lists_ = MakeRef<ICatListCol>();
}

std::string ICatalog::XML() const {
  return Trapped({kClassName, "Get XML"}, [&] {
    XmlWriter writer = SnippetWriter(XmlSwitches::AllOn());
    writer.Add(kElement, "", true);
    writer.Add(kDocumentVersionTag, ICatItemCol::kDocumentVersion);
    // Each child writes with its own writer and its own switches, straight
    // into the document.
    detail::ClassAccess::AppendXML(*vehicle_, writer);
    detail::ClassAccess::AppendXML(*providers_, writer);
    detail::ClassAccess::AppendXML(*presets_, writer);
    detail::ClassAccess::AppendXML(*stores_, writer);
    detail::ClassAccess::AppendXML(*lists_, writer);
    writer.EndGroup();
    return writer.TakeXML();
  });
}

namespace {

// The parts' elements, in the order of the document (VisitParts).
const std::vector<std::string_view> kPartElements = {
    ICatVehicle::kElement, ICatProviderCol::kClassName, ICatPresetCol::kClassName,
    ICatStoreCol::kClassName, ICatListCol::kClassName};

}  // namespace

template <class Visit>
void ICatalog::VisitParts(const Visit& visit) {
  visit(kPartElements[0], *vehicle_);
  visit(kPartElements[1], *providers_);
  visit(kPartElements[2], *presets_);
  visit(kPartElements[3], *stores_);
  visit(kPartElements[4], *lists_);
}

void ICatalog::SetXML(std::string_view xml) {
  Trapped({kClassName, "Let XML"}, [&] {
    RenewChildren();
    if (xml.empty()) return;
    if (!IsCatalogDocument(xml)) return ConvertOldStyleXMLItems(xml);
    if (ReadPlainly(xml)) return;
    // The first element of each name anywhere in the text: the catalog's own
    // vehicle comes before those of the presets, lists and item collections.
    // Each child reads its part through the document's index.
    XmlReader reader = ReaderOf(XmlPart(xml));
    VisitParts([&](std::string_view element, auto& part) {
      detail::ClassAccess::ReadXML(part, reader.BlockPart(element, 1));
    });
  });
}

// A document in the plain form is read in one pass: its parts as they come,
// the stores in one pass, the others by the search from the blocks it would
// find; a part it finds nowhere stays as made, as reading nothing leaves it.
bool ICatalog::ReadPlainly(std::string_view xml) {
  if (!OnePassReadingAllowed()) return false;
  if (ReadInOnePass(xml, [&](PlainXmlCursor& cursor, std::string_view root) {
        ReadPlainParts(cursor, root);
      }))
    return true;
  RenewChildren();
  return false;
}

void ICatalog::ReadPlainParts(PlainXmlCursor& cursor, std::string_view root) {
  static const PlainNames kParts(kPartElements);
  // The search looks for the first of each part anywhere in the text.
  std::uint64_t met = 0;
  const PlainXmlCursor::Scope scope(cursor, {}, &kParts, &met);
  for (std::string_view name = cursor.NextChild(); !name.empty(); name = cursor.NextChild()) {
    if (name == kDocumentVersionTag) {
      cursor.SkipLeaf(name);
      continue;
    }
    const std::size_t part = kParts.Find(name);
    if (part == PlainNames::npos || (met >> part & 1) != 0) throw PlainXmlCursor::NotPlain{};
    met |= std::uint64_t{1} << part;
    VisitParts([&](std::string_view element, auto& child) {
      if (element == name) ReadPlainPart(child, cursor, element);
    });
  }
  cursor.EndOf(root);
}

// An old-style document is a bare item collection: its items become the one
// store of the default provider's directory, among the thread's providers.
void ICatalog::ConvertOldStyleXMLItems(std::string_view xml) {
  Trapped({kClassName, "ConvertOldStyleXMLItems"}, [&] {
    if (const Ref<ICatProviderCol> global = ThreadModel().global_providers) {
      providers_->SetXML(global->XML());
    }
    const auto items = MakeRef<ICatItemCol>();
    items->SetXML(xml);
    const std::string primary_directory(providers_->GetDefaultProvider()->MCLdir());
    stores_->Add(primary_directory, items);
  });
}

// ---- the thread's snapshots ----

void ICatalog::GlobalProviders_Create() const {
  ReplaceSnapshot(ThreadModel().global_providers, providers_);
}

void ICatalog::GlobalProviders_Destroy() const {
  ThreadModel().global_providers = Nothing;
}

void ICatalog::GlobalStores_Create() const {
  ReplaceSnapshot(ThreadModel().global_stores, stores_);
}

void ICatalog::GlobalStores_Destroy() const {
  ThreadModel().global_stores = Nothing;
}

// ---- across stores ----

Ref<ICatItem> ICatalog::FindItemInStore(const Ref<ICatItem>& item, std::string_view mcl_dir) const {
  return SwallowedOr<Ref<ICatItem>>({kClassName, "FindItemInStore"}, Nothing,
                                    [&] { return MatchInStore(item, mcl_dir, true); });
}

Ref<ICatItem> ICatalog::FindTypeInStore(const Ref<ICatItem>& item, std::string_view mcl_dir) const {
  return SwallowedOr<Ref<ICatItem>>({kClassName, "FindTypeInStore"}, Nothing,
                                    [&] { return MatchInStore(item, mcl_dir, false); });
}

Ref<ICatItem> ICatalog::MatchInStore(const Ref<ICatItem>& item, std::string_view mcl_dir,
                                     bool same_item_number) const {
  if (!item || mcl_dir.empty()) return Nothing;
  const Ref<ICatStore> store = StoreUnder(mcl_dir);
  if (!store) return Nothing;
  const Ref<ICatItemCol> items = store->Items();
  // For parts and comments the vendor number is the key the items are kept under.
  Variant vendor_number(item->VendorNumber());
  if (items->Exists(vendor_number)) return items->Item(vendor_number);
  // The line code is not compared: the same part under another line code matches.
  for (const Ref<ICatItem>& candidate : items->Members()) {
    if (candidate->GroupNumber() == item->GroupNumber() &&
        candidate->MFRcoverageNumber() == item->MFRcoverageNumber() &&
        candidate->PartTypeCode() == item->PartTypeCode() &&
        (!same_item_number || candidate->ItemNumber() == item->ItemNumber())) {
      return candidate;
    }
  }
  return Nothing;
}

// The store under the (translated) directory key; Nothing when none is.
Ref<ICatStore> ICatalog::StoreUnder(std::string_view mcl_dir) const {
  const Variant key(mcl_dir);
  return stores_->Exists(key) ? stores_->Item(key) : Nothing;
}

// Whether a provider is kept under the (translated) directory key and is `wanted`.
bool ICatalog::IsProviderWhere(std::string_view mcl_dir,
                               bool (*wanted)(const ICatProvider&)) const {
  const Variant key(mcl_dir);
  return providers_->Exists(key) && wanted(*providers_->Item(key));
}

void ICatalog::MatchItemStatus(const Ref<ICatItem>& primary_item, std::string_view mcl_dir) const {
  Trapped({kClassName, "MatchItemStatus"}, [&] {
    if (!primary_item || !IsProviderWhere(mcl_dir, IsVirtualWarehouse)) return;
    const Ref<ICatItem> match = FindItemInStore(primary_item, mcl_dir);
    if (!match) return;
    match->SetItemStatus(primary_item->ItemStatus());
    const Variant location(mcl_dir);
    const Ref<ICatPriceCol> match_prices = match->PriceCol();
    const Ref<ICatPriceCol> primary_prices = primary_item->PriceCol();
    if (match_prices->Exists(location) && primary_prices->Exists(location)) {
      match_prices->Item(location)->SetQuantityToOrder(
          primary_prices->Item(location)->QuantityToOrder());
    }
  });
}

// The statements are numbered, so a failure reports where it happened.
void ICatalog::Summarize(std::string_view mcl_dir) {
  Trapped({kClassName, "Summarize"}, [&](Long& line) {
    line = 10;
    if (!stores_) return;
    if (!SummarizeStores(mcl_dir, line)) return;
    DropPricesOfEmptyStores(line);
  });
}

// Summarises the stores `mcl_dir` asks for; false when the price clean-up
// is to be skipped.
bool ICatalog::SummarizeStores(std::string_view mcl_dir, Long& line) {
  if (mcl_dir == kAllStores) {
    line = 20;
    for (const Ref<ICatStore>& store : stores_->Members())
      store->Items()->Summarize(kDropUnmarkedItems);
    // Nothing is left selected anywhere once the primary store is empty.
    line = 21;
    const Ref<ICatProvider> primary = providers_ ? providers_->GetDefaultProvider() : Nothing;
    const Ref<ICatStore> primary_store = primary ? StoreUnder(primary->MCLdir()) : Nothing;
    if (primary_store && primary_store->Items()->Count() <= 0) {
      line = 22;
      for (const Ref<ICatStore>& store : stores_->Members())
        store->Items()->Clear(false);
    }
    return true;
  }
  if (mcl_dir == kVirtualWarehouse) {
    line = 30;
    if (!providers_) return false;
    line = 31;
    for (const Ref<ICatStore>& store : stores_->Members()) {
      if (IsProviderWhere(store->MCLdir(), IsVirtualWarehouse)) {
        store->Items()->Summarize(kDropUnmarkedItems);
      }
    }
    return true;
  }
  line = 40;
  const Ref<ICatStore> store = StoreUnder(mcl_dir);
  if (!store) return false;
  line = 41;
  store->Items()->Summarize(kDropUnmarkedItems);
  return true;
}

// The primary items stop offering prices at the locations whose stores hold
// nothing, the default provider's own store aside.
void ICatalog::DropPricesOfEmptyStores(Long& line) {
  line = 50;
  const std::string primary_directory(providers_->GetDefaultProvider()->MCLdir());
  line = 51;
  const Ref<ICatStore> primary_store = StoreUnder(primary_directory);
  if (!primary_store) return;
  const Ref<ICatItemCol> primary_items = primary_store->Items();
  if (!HoldsItems(primary_items)) return;
  for (const Ref<ICatStore>& store : stores_->Members()) {
    line = 52;
    if (HoldsItems(store->Items())) continue;
    if (IsProviderWhere(store->MCLdir(), IsDefault)) continue;
    line = 53;
    const Variant location(store->MCLdir());
    for (const Ref<ICatItem>& item : primary_items->Members()) {
      const Ref<ICatPriceCol> prices = item->PriceCol();
      if (prices->Exists(location)) prices->Remove(location);
    }
  }
}

}  // namespace lombar
