// The stores of a catalog, each kept under its directory key (MCLdir).
// Look-ups by key go through JobberKey, so JOBBER and the seller aliases "#"
// and "S#" reach the store of the directory they stand for in the thread's
// global provider collection; JOBBER itself is never a key.
//
// The collection also owns the thread's compress and zero-suppress switches
// that most classes hand their XML writers: creating, destroying or
// clearing a store collection switches both on, and XMLcompress and
// XMLzeroSuppress set them.
#pragma once

#include <string>
#include <string_view>

#include "lombar/ICatItemCol.h"
#include "lombar/ICatStore.h"
#include "lombar/internal/LocationCollection.h"

namespace lombar {

class PlainXmlCursor;
class XmlPart;
class XmlWriter;

class ICatStoreCol final : public LocationCollection<ICatStoreCol, ICatStore> {
 public:
  static constexpr std::string_view kClassName = "ICatStoreCol";
  const ClassInfo& Class() const override;

  ICatStoreCol();
  ~ICatStoreCol() override;

  // The group ICatStoreCol holding Count and the stores' Store elements,
  // with the thread's XML switches; the empty text for no stores.
  std::string XML() const;
  // Empties the collection (switching both switches on), then adds a store
  // for each Store element with AddObject under its MCLdir. A store whose
  // MCLdir is JOBBER ends the load with error 17, the stores before it kept.
  void SetXML(std::string_view xml);

  // A new store for `mcl_dir` holding the caller's item collection itself
  // (Nothing too), kept under `mcl_dir`; a directory already held drops the
  // store silently, and it is still returned. Error 17 for JOBBER.
  Ref<ICatStore> Add(std::string_view mcl_dir, const Ref<ICatItemCol>& items);
  // Keeps the store itself under its MCLdir, never under a different `key`;
  // a store without a MCLdir first takes `key` as its MCLdir. Duplicates are
  // dropped silently. Error 17 for the MCLdir JOBBER, 91 for Nothing.
  Ref<ICatStore> AddObject(const Ref<ICatStore>& store, std::string_view key);

  // Releases the stores (not clearing them) and switches both switches on;
  // unless `destroy`, a new empty collection takes their place.
  void Clear(bool destroy = false);

  // Set this thread's switches; there is nothing to read back.
  void SetXMLcompress(bool compress);
  void SetXMLzeroSuppress(bool zero_suppress);

 private:
  friend class detail::ClassAccess;
  // Plumbing for the library's own sources: the class's description, and
  // its XML written straight into a parent's text or read from its part of
  // the parent's document.
  static const ClassInfo& TypeInfo();
  void AppendXML(XmlWriter& writer) const;
  void ReadXML(XmlPart xml);
  void ReadPlainXml(PlainXmlCursor& cursor);
};

}  // namespace lombar
