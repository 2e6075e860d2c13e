// The XML of the preset and list collections (lombar/internal/ReferenceCollection.h):
// always written compressed, with the collection's vehicle after the members.
// Each class's source instantiates these for itself.
#pragma once

#include <utility>

#include "frame/ErrorTrap.h"
#include "lombar/internal/ReferenceCollection.h"
#include "model/support/ClassAccess.h"
#include "model/support/CollectionXml.h"

namespace lombar {

template <class Derived, class Member>
std::string ReferenceCollection<Derived, Member>::XML() const {
  return XmlOf(*this);
}

template <class Derived, class Member>
void ReferenceCollection<Derived, Member>::SetXML(std::string_view xml) {
  ReadXML(XmlPart(xml));
}

// Writes the group holding Count, the members and the vehicle at the end of
// `writer`'s text, trapped as the collection's XML get.
template <class Derived, class Member>
void ReferenceCollection<Derived, Member>::AppendXML(XmlWriter& writer) const {
  Trapped({Derived::kClassName, "Get XML"}, [&] {
    WriteMembersXml<Member>(writer, this->Backing(),
                            {.group = Derived::kClassName,
                             .switches = XmlSwitches::AllOn(),
                             .after_members = [&](XmlWriter& into) {
                               detail::ClassAccess::AppendXML(*vehicle_, into);
                             }});
  });
}

// Drops the members and the vehicle, then hands every member read to the
// class's AddLoaded and reads the vehicle.
template <class Derived, class Member>
void ReferenceCollection<Derived, Member>::ReadXML(XmlPart xml) {
  Trapped({Derived::kClassName, "Let XML"}, [&] {
    this->ReleaseMembers(false);
    vehicle_ = MakeRef<ICatVehicle>();
    if (xml.Text().empty()) return;
    // One reader finds the members and then the vehicle, and hands each its part.
    XmlReader reader = ReaderOf(std::move(xml));
    LoadMembers<Member>(reader, Member::kClassName, [&](const Ref<Member>& member) {
      static_cast<Derived&>(*this).AddLoaded(member);
    });
    detail::ClassAccess::ReadXML(*vehicle_, reader.BlockPart(ICatVehicle::kElement, 1));
  });
}

}  // namespace lombar
