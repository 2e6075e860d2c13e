// What the preset and list collections share beyond Collection: a vehicle of
// their own, and an XML that is always written compressed and carries that
// vehicle after the members.
//
// The derived class adds each member loaded from XML under its own key rule
// with `void AddLoaded(const Ref<Member>&)`.
#pragma once

#include <string>
#include <string_view>

#include "lombar/ICatVehicle.h"
#include "lombar/internal/Collection.h"

namespace lombar {

class XmlPart;
class XmlWriter;

template <class Derived, class Member>
class ReferenceCollection : public Collection<Derived, Member> {
 public:
  // The group holding Count, the members and the vehicle; the empty text
  // when there are no members, whatever the vehicle holds.
  std::string XML() const;
  // The same XML, written at the end of `writer`'s text (the library's own
  // writers nest objects this way, each writing straight into the document).
  void AppendXML(XmlWriter& writer) const;
  // Drops the members and the vehicle for new empty ones, then loads the
  // members (a key already present drops its member silently) and the
  // vehicle. A failure midway leaves the members added before it.
  void SetXML(std::string_view xml);
  // The same for a part of a document the library reads, handed over with
  // the document's index by the reader of the element around it.
  void ReadXML(XmlPart xml);

  // Set shares the caller's vehicle; members are not given it.
  Ref<ICatVehicle> Vehicle() const { return vehicle_; }
  void SetVehicle(const Ref<ICatVehicle>& vehicle) { vehicle_ = vehicle; }

 protected:
  ReferenceCollection() : vehicle_(MakeRef<ICatVehicle>()) {}

 private:
  Ref<ICatVehicle> vehicle_;
};

}  // namespace lombar
