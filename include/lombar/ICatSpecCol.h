// The specs of a vehicle, each kept under its Key. Unlike the other
// collections, a spec whose key is already present is refused with error 457.
#pragma once

#include <string>
#include <string_view>

#include "lombar/internal/Collection.h"
#include "lombar/ICatSpec.h"

namespace lombar {

class XmlPart;
class XmlWriter;

class ICatSpecCol final : public Collection<ICatSpecCol, ICatSpec> {
 public:
  static constexpr std::string_view kClassName = "ICatSpecCol";
  static const ClassInfo& TypeInfo();

  ICatSpecCol();
  ~ICatSpecCol() override;

  // The group ICatSpecCol holding Count and the specs; the empty text for no
  // specs, also after Clear(true).
  std::string XML() const;
  // The same XML, written at the end of `writer`'s text (the library's own
  // writers nest objects this way, each writing straight into the document).
  void AppendXML(XmlWriter& writer) const;
  // Empties the collection, then adds a spec for each Spec element. A
  // failure (a duplicate key, a spec without a numeric Group) ends the load
  // and leaves the specs added before it.
  void SetXML(std::string_view xml);
  // The same for a part of a document the library reads, handed over with
  // the document's index by the reader of the element around it.
  void ReadXML(XmlPart xml);

  // Adds the vehicle spec itself under its Key and sets its Index to the new Count.
  // Error 457 when the key is taken (letter case aside).
  Ref<ICatSpec> AddObject(const Ref<ICatSpec>& spec);
  // A new spec with these values, sharing `information`, added as by AddObject.
  Ref<ICatSpec> Add(std::string_view type, Long group, const Ref<ICatInfoCol>& information);

  // Releases the specs; unless `destroy`, a new empty collection takes their place.
  void Clear(bool destroy);
};

}  // namespace lombar
