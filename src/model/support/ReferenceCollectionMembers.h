// The out-of-line members of ReferenceCollection, instantiated by the preset
// and list collections for themselves.
#pragma once

#include "frame/ErrorTrap.h"
#include "lombar/internal/ReferenceCollection.h"
#include "model/support/CollectionMembers.h"
#include "model/support/CollectionXml.h"

namespace lombar {

template <class Derived, class Member>
std::string ReferenceCollection<Derived, Member>::XML() const {
  return XmlOf(*this);
}

template <class Derived, class Member>
void ReferenceCollection<Derived, Member>::AppendXML(XmlWriter& writer) const {
  Trapped({Derived::kClassName, "Get XML"}, [&] {
    WriteMembersXml<Member>(
        writer, this->Backing(),
        {.group = Derived::kClassName,
         .switches = XmlSwitches::AllOn(),
         .after_members = [&](XmlWriter& into) { vehicle_->AppendXML(into); }});
  });
}

template <class Derived, class Member>
void ReferenceCollection<Derived, Member>::SetXML(std::string_view xml) {
  ReadXML(XmlPart(xml));
}

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
    vehicle_->ReadXML(reader.BlockPart(ICatVehicle::kElement, 1));
  });
}

}  // namespace lombar
