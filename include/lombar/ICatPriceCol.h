// The prices of one catalog item, one per source, kept under the source's
// directory key (MCLdir), else under "S#" and its seller ID, else without a
// key. Look-ups by key go through JobberKey, so an item usually asks for its
// price under JOBBER, the directory of the thread's default provider; JOBBER
// itself is never a key. Prices that name only their seller or location take
// their directory from the thread's global provider collection when added.
#pragma once

#include <string>
#include <string_view>

#include "lombar/ICatPrice.h"
#include "lombar/internal/LocationCollection.h"

namespace lombar {

class PlainXmlCursor;
class XmlPart;
class XmlWriter;

class ICatPriceCol final : public LocationCollection<ICatPriceCol, ICatPrice> {
 public:
  static constexpr std::string_view kClassName = "ICatPriceCol";
  static constexpr std::string_view kElement = "Prices";
  const ClassInfo& Class() const override;

  ICatPriceCol();
  ~ICatPriceCol() override;

  // The group Prices holding Count and the prices' Price elements, with the
  // thread's XML switches; the empty text for no prices. An empty price adds
  // nothing to Collection but still counts.
  std::string XML() const;
  // Empties the collection, then adds a price for each Price element through
  // AddObject with an empty key: empty prices and duplicates are dropped and
  // missing directories filled in. A failure midway leaves the prices added so far.
  void SetXML(std::string_view xml);

  // A new price with these values (cost and list read as the locale writes
  // numbers, error 13 for any other text, the empty one too), kept under
  // `key`, or when that is empty under the derived key, which `key` then
  // receives. Error 17 for the key JOBBER. Neither the empty-price rule nor
  // the global providers apply.
  Ref<ICatPrice> Add(std::string_view mcl_dir, std::string_view location,
                     std::string_view seller_id, std::string_view available, std::string_view cost,
                     std::string_view list, std::string& key);
  // Keeps the price itself; Nothing for Nothing and for an empty price. A
  // price without a directory takes, from the global provider collection,
  // the directory, location and seller of the provider its seller or location
  // names, or else its location as directory; that directory then replaces
  // `key`. An empty `key` becomes the derived key. `key` receives the key used.
  // Error 17 for the key JOBBER.
  Ref<ICatPrice> AddObject(const Ref<ICatPrice>& price, std::string& key);
  // The same two for C++ hosts, returning the price and the key it was given.
  Added<ICatPrice> AddObject(const Ref<ICatPrice>& price, std::string_view key = {}) {
    return KeepingKey(key, [&](std::string& kept) { return AddObject(price, kept); });
  }
  Added<ICatPrice> Add(std::string_view mcl_dir, std::string_view location,
                       std::string_view seller_id, std::string_view available,
                       std::string_view cost, std::string_view list, std::string_view key = {}) {
    return KeepingKey(key, [&](std::string& kept) {
      return Add(mcl_dir, location, seller_id, available, cost, list, kept);
    });
  }

  // Never raises: for an unknown key or position, a new price outside the
  // collection whose Location and MCLdir are the text of the translated key.
  Ref<ICatPrice> Item(const Variant& index) const;

  void Clear(bool destroy);

 private:
  friend class detail::ClassAccess;
  // Plumbing for the library's own sources: the class's description, and
  // its XML written straight into a parent's text or read from its part of
  // the parent's document.
  static const ClassInfo& TypeInfo();
  void AppendXML(XmlWriter& writer) const;
  void ReadXML(XmlPart xml);
  void ReadPlainXml(PlainXmlCursor& cursor);
  // Prices read in one pass wait packed (see waiting_prices_) until one is
  // reached: read and written so by the collection, or by an item kept
  // packed itself.
  static void PackPlainXml(PlainXmlCursor& cursor, std::string& packed);
  static void WritePackedXml(XmlWriter& writer, std::string_view packed);
  void TakePackedMembers(std::string_view packed);
  void MakeWaitingMembers() override;
  void DropWaitingMembers() noexcept override;

  // The prices read from a document in one pass that nobody has reached
  // yet, in one block: their count, then each as the price's table packs it.
  // Most documents are only read and written again, and a price so kept
  // takes a few dozen bytes instead of an object's hundred and more.
  StoredText waiting_prices_;
};

}  // namespace lombar
