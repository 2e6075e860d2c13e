// The specs of a vehicle, each kept under its Key. Unlike the other
// collections, a spec whose key is already present is refused with error 457.
#pragma once

#include <string>
#include <string_view>

#include "lombar/ICatSpec.h"
#include "lombar/internal/Collection.h"

namespace lombar {

class XmlPart;
class XmlWriter;

class ICatSpecCol final : public Collection<ICatSpecCol, ICatSpec> {
 public:
  static constexpr std::string_view kClassName = "ICatSpecCol";
  const ClassInfo& Class() const override;

  ICatSpecCol();
  ~ICatSpecCol() override;

  // The group ICatSpecCol holding Count and the specs; the empty text for no
  // specs, also after Clear(true).
  std::string XML() const;
  // Empties the collection, then adds a spec for each Spec element. A
  // failure (a duplicate key, a spec without a numeric Group) ends the load
  // and leaves the specs added before it.
  void SetXML(std::string_view xml);

  // Adds the vehicle spec itself under its Key and sets its Index to the new Count.
  // Error 457 when the key is taken (letter case aside).
  Ref<ICatSpec> AddObject(const Ref<ICatSpec>& spec);
  // A new spec with these values, sharing `information`, added as by AddObject.
  Ref<ICatSpec> Add(std::string_view type, Long group, const Ref<ICatInfoCol>& information);

  // Releases the specs; unless `destroy`, a new empty collection takes their place.
  void Clear(bool destroy);

 private:
  friend class detail::ClassAccess;
  // Plumbing for the library's own sources: the class's description, and
  // its XML written straight into a parent's text or read from its part of
  // the parent's document.
  static const ClassInfo& TypeInfo();
  void AppendXML(XmlWriter& writer) const;
  void ReadXML(XmlPart xml);
};

}  // namespace lombar
