// The root of the object model: the vehicle being worked on, the catalog
// providers, the preset lookups, the stores with their selected items and
// the reference lists. Its XML is the whole catalog document hosts pass to
// one another. It publishes per-thread snapshots of its providers (consulted
// wherever JOBBER or a seller alias must become a directory) and of its
// stores, and it carries the operations that span several stores.
#pragma once

#include <string>
#include <string_view>

#include "lombar/AutomationObject.h"
#include "lombar/ICatItem.h"
#include "lombar/ICatListCol.h"
#include "lombar/ICatPresetCol.h"
#include "lombar/ICatProviderCol.h"
#include "lombar/ICatStoreCol.h"
#include "lombar/ICatVehicle.h"

namespace lombar {

class ICatalog final : public AutomationObject {
 public:
  static constexpr std::string_view kClassName = "ICatalog";
  static constexpr std::string_view kElement = "Catalogs";
  // Summarize's default: every store.
  static constexpr std::string_view kAllStores = "*ALL*";
  // Summarize's word for the stores of the providers whose LocationType is
  // VWH; MatchItemStatus only reaches stores of such providers.
  static constexpr std::string_view kVirtualWarehouse = "VWH";
  const ClassInfo& Class() const override;

  // Five new empty children.
  ICatalog();

  // The group Catalogs holding XDocVersion "v3.00" and the XML of the
  // vehicle, providers, presets, stores and lists as they write it, always
  // compressed and zero-suppressed: a child that writes nothing leaves no trace.
  std::string XML() const;
  // Replaces the five children by new empty ones, then, unless the text is
  // empty, loads each from the first element of its root name. A text that
  // does not open with <Catalogs> (any letter case, nothing before it) is an
  // old-style item collection: with the thread's global providers copied in,
  // its items become the store of the default provider's directory (error
  // 91 when no provider is the default one).
  void SetXML(std::string_view xml);

  // Sets share the caller's object itself (Nothing too); gets return it.
  Ref<ICatVehicle> Vehicle() const { return vehicle_; }
  void SetVehicle(const Ref<ICatVehicle>& vehicle) { vehicle_ = vehicle; }
  Ref<ICatProviderCol> Providers() const { return providers_; }
  void SetProviders(const Ref<ICatProviderCol>& providers) { providers_ = providers; }
  Ref<ICatPresetCol> Presets() const { return presets_; }
  void SetPresets(const Ref<ICatPresetCol>& presets) { presets_ = presets; }
  Ref<ICatStoreCol> Stores() const { return stores_; }
  void SetStores(const Ref<ICatStoreCol>& stores) { stores_ = stores; }
  Ref<ICatListCol> Lists() const { return lists_; }
  void SetLists(const Ref<ICatListCol>& lists) { lists_ = lists; }

  // ---- across stores (the directory goes through JobberKey) ----
  // The item of the store `mcl_dir` held under the item's vendor number, or
  // else the first with the same group number, coverage number, part type
  // code and item number (the line code may differ). Nothing when there is
  // none; errors are logged, never raised.
  Ref<ICatItem> FindItemInStore(const Ref<ICatItem>& item, std::string_view mcl_dir) const;
  // As FindItemInStore, the item number aside: the first item of the same type.
  Ref<ICatItem> FindTypeInStore(const Ref<ICatItem>& item, std::string_view mcl_dir) const;
  // Copies the primary item's status to its match in the store of a VWH
  // provider, and its quantity to order there when both hold a price there.
  void MatchItemStatus(const Ref<ICatItem>& primary_item, std::string_view mcl_dir) const;
  // Drops the items without a status from every store ("*ALL*"; all stores
  // are emptied when that empties the primary store), from the stores of
  // VWH providers ("VWH") or from the one store `mcl_dir`; then takes off
  // the primary items the prices at locations whose stores are empty (not
  // the default provider's). Error 91 when no provider is the default one.
  void Summarize(std::string_view mcl_dir = kAllStores);

  // ---- the thread's snapshots, which outlive the catalog ----
  // Replace the global collection by a copy through XML; a catalog without
  // providers (stores) leaves the one in place.
  void GlobalProviders_Create() const;
  void GlobalProviders_Destroy() const;
  void GlobalStores_Create() const;
  void GlobalStores_Destroy() const;

 private:
  friend class detail::ClassAccess;
  // Plumbing for the library's own sources: the class's description.
  static const ClassInfo& TypeInfo();

  void RenewChildren();
  template <class Visit>
  void VisitParts(const Visit& visit);
  // The document in the plain form in one pass; false, the children
  // renewed, when it is not in that form.
  bool ReadPlainly(std::string_view xml);
  // Its parts, from the cursor after the start tag `root` through its end tag.
  void ReadPlainParts(PlainXmlCursor& cursor, std::string_view root);
  void ConvertOldStyleXMLItems(std::string_view xml);
  // Steps of the operations across stores.
  Ref<ICatItem> MatchInStore(const Ref<ICatItem>& item, std::string_view mcl_dir,
                             bool same_item_number) const;
  Ref<ICatStore> StoreUnder(std::string_view mcl_dir) const;
  bool IsProviderWhere(std::string_view mcl_dir, bool (*wanted)(const ICatProvider&)) const;
  bool SummarizeStores(std::string_view mcl_dir, Long& line);
  void DropPricesOfEmptyStores(Long& line);

  Ref<ICatVehicle> vehicle_;
  Ref<ICatProviderCol> providers_;
  Ref<ICatPresetCol> presets_;
  Ref<ICatStoreCol> stores_;
  Ref<ICatListCol> lists_;
};

}  // namespace lombar
