// The items selected for one store, kept under the key their adder gives
// (XML let and sorting key them by UniqueKey; keys ignore letter case),
// with the vehicle they were selected for. The collection tells its hosts
// through the CountChanged event each time an item is added, and computes
// totals, display orders, summaries and pick lists over its items.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lombar/Enumerations.h"
#include "lombar/EventSink.h"
#include "lombar/ICatItem.h"
#include "lombar/ICatItemProfileCol.h"
#include "lombar/ICatVehicle.h"
#include "lombar/TextCollection.h"
#include "lombar/internal/Collection.h"

namespace lombar {

class PlainXmlCursor;
class XmlPart;
class XmlWriter;

class ConnectionPoint;

// A C++ host's subscriber to the collection's events: derive, implement
// OnCountChanged and pass it to Advise.
class ICatItemColEvents : public EventSink {
 public:
  static constexpr Long kCountChanged = 1;
  virtual void OnCountChanged() = 0;
  void OnEvent(Long dispid, const std::vector<Variant>&) final {
    if (dispid == kCountChanged) OnCountChanged();
  }
};

class ICatItemCol final : public Collection<ICatItemCol, ICatItem> {
 public:
  static constexpr std::string_view kClassName = "ICatItemCol";
  static constexpr std::string_view kElement = "Items";
  // The document version every written collection carries.
  static constexpr std::string_view kDocumentVersion = "v3.00";
  const ClassInfo& Class() const override;

  // Switches the thread's compress and zero-suppress switches on.
  ICatItemCol();
  ~ICatItemCol() override;
  ConnectionPoint* Events() noexcept override;

  // The group Items holding XDocVersion, Count, the items and the vehicle;
  // the empty text for no items (the vehicle is then not written either).
  std::string XML() const;
  // Empties the collection for a new vehicle, then adds an item for each of
  // the Count Item elements under its UniqueKey (an item whose key is taken
  // is dropped) and reads the vehicle.
  void SetXML(std::string_view xml);
  // "v3.00" after creation and every XML get of items; else what the last
  // XML let read.
  const std::string& XDocVersion() const { return document_version_; }

  // Appends the item itself, under `key` unless that is empty, and fires
  // CountChanged. A key already held (letter case aside) adds nothing and
  // returns Nothing; so does Nothing.
  Ref<ICatItem> Add(const Ref<ICatItem>& item, std::string_view key);
  // These never raise: an unknown key or a position out of range is simply
  // not there. A text key is looked up without its TAB characters, and the
  // by-reference forms write the stripped key back into the caller's value.
  bool Exists(Variant& index) const;
  Ref<ICatItem> Item(Variant& index) const;
  void Remove(Variant& index);
  bool Exists(const Variant& index) const;
  Ref<ICatItem> Item(const Variant& index) const;
  void Remove(const Variant& index);
  // Releases the items and the vehicle; unless `destroy`, new empty ones
  // take their places. The document version and sort modes stay.
  void Clear(bool destroy = false);

  // Set shares the caller's vehicle.
  Ref<ICatVehicle> Vehicle() const { return vehicle_; }
  void SetVehicle(const Ref<ICatVehicle>& vehicle) { vehicle_ = vehicle; }

  // ---- totals (each term rounded to currency before it is added) ----
  // What all real seller locations have available, over every item.
  Currency ItemsTotalCount() const;
  // The costs at all real seller locations, over every item.
  Currency ItemsTotalCost() const;
  // The quantities to order, over the parts flagged to be ordered.
  Currency ItemsSelectedCount() const;
  // Their quantities to order times their jobber cost.
  Currency ItemsSelectedCost() const;

  // Re-stores every item under its UniqueKey in display order: aftermarket
  // items and labor by `aftermarket`, non-catalog (stock) items by
  // `non_catalog`. A UniqueKey held twice fails with error 457 and leaves
  // the collection as it was.
  void SortCatalog(Long aftermarket, Long non_catalog);
  // "SHOWXML" and "HIDEXML" (any letter case) switch the thread's XML
  // switches off and on; any other option removes the items whose status
  // is blank.
  void Summarize(std::string_view option);

  // ---- pick lists ----
  Ref<ICatItemProfileCol> GetItemProfiles(Long use_key, Long filter_type,
                                          bool only_when_available = false) const;
  // The distinct texts (letter case aside), in order of first appearance.
  Ref<TextCollection> GetDescriptions() const;
  Ref<TextCollection> GetGenericDescriptions() const;
  Ref<TextCollection> GetManufacturers() const;
  // The item group of the first item with that description (letter case
  // aside); 0 when there is none.
  Short GetItemGroup(std::string_view description) const;

  // The modes of the last SortCatalog, read by the sort keys.
  Long AftermarketSortMode() const { return aftermarket_sort_; }
  Long NonCatalogSortMode() const { return non_catalog_sort_; }

 private:
  friend class detail::ClassAccess;
  // Plumbing for the library's own sources: the class's description, and
  // its XML written straight into a parent's text or read from its part of
  // the parent's document.
  static const ClassInfo& TypeInfo();
  void AppendXML(XmlWriter& writer) const;
  void ReadXML(XmlPart xml);
  // After Clear: the items and vehicle of `xml` by the searching reader, or
  // of a text in the plain form in one pass (false when it is not in that
  // form, the collection then cleared again).
  void ReadItems(XmlPart xml);
  bool ReadPlainly(std::string_view xml);
  // In the plain form, from the cursor after the start tag `element`
  // through its end tag, within a reading that holds back the error log.
  // NotPlain, or an error, where the search might read otherwise.
  void ReadPlainCollection(PlainXmlCursor& cursor, std::string_view element);
  void ReadPlainXml(PlainXmlCursor& cursor);
  // Items read in one pass wait packed (see waiting_items_) until one is reached.
  void MakeWaitingMembers() override;
  void DropWaitingMembers() noexcept override;

  // The text key without TABs, written back; other values unchanged.
  static void StripTabs(Variant& index);
  Ref<TextCollection> DistinctTexts(std::string_view operation,
                                    std::string_view (ICatItem::*text)() const) const;
  // The sum of `term` over the items (only those flagged to order), each
  // term rounded to currency first.
  Currency SumOfItems(std::string_view operation, bool flagged_only,
                      Variant (*term)(const ICatItem&)) const;

  Ref<ICatVehicle> vehicle_;
  mutable std::string document_version_;  // every XML get of items sets it
  Long aftermarket_sort_ = qCCISundefined;
  Long non_catalog_sort_ = qCCISundefined;
  std::unique_ptr<ConnectionPoint> events_;
  // The items read from a document in one pass that nobody has reached yet:
  // their count, then each as the item's table packs it, its prices packed
  // within. Most documents are only read and written again, and an item so
  // kept takes about the bytes of its values instead of objects' hundreds.
  std::string waiting_items_;
};

}  // namespace lombar
