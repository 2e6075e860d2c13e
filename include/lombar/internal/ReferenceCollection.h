// What the preset and list collections share beyond Collection: a vehicle of
// their own, which their XML, always written compressed, carries after the
// members. Each class says how a member read from XML is keyed (AddLoaded).
#pragma once

#include <string>
#include <string_view>

#include "lombar/ICatVehicle.h"
#include "lombar/internal/Collection.h"

namespace lombar {

class XmlPart;
class XmlWriter;
namespace detail {
class ClassAccess;
}

template <class Derived, class Member>
class ReferenceCollection : public Collection<Derived, Member> {
 public:
  // The group holding Count, the members and the vehicle; the empty text
  // when there are no members, whatever the vehicle holds.
  std::string XML() const;
  // Drops the members and the vehicle for new empty ones, then loads the
  // members (a key already present drops its member silently) and the
  // vehicle. A failure midway leaves the members added before it.
  void SetXML(std::string_view xml);

  // Set shares the caller's vehicle; members are not given it.
  Ref<ICatVehicle> Vehicle() const { return vehicle_; }
  void SetVehicle(const Ref<ICatVehicle>& vehicle) { vehicle_ = vehicle; }

 protected:
  ReferenceCollection() : vehicle_(MakeRef<ICatVehicle>()) {}

 private:
  friend class detail::ClassAccess;
  // Plumbing for the library's own sources: the XML written straight into a
  // parent's text or read from its part of the parent's document.
  void AppendXML(XmlWriter& writer) const;
  void ReadXML(XmlPart xml);

  Ref<ICatVehicle> vehicle_;
};

}  // namespace lombar
