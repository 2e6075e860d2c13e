// The out-of-line members of ReferenceCollection, instantiated by the preset
// and list collections for themselves.
#pragma once

#include "frame/ErrorTrap.h"
#include "lombar/internal/ReferenceCollection.h"
#include "model/support/CollectionMembers.h"
#include "model/support/CollectionXml.h"
#include "text/clsXML.h"

namespace lombar {

template <class Derived, class Member>
std::string ReferenceCollection<Derived, Member>::XML() const {
  return XmlOf(*this);
}

template <class Derived, class Member>
void ReferenceCollection<Derived, Member>::AppendXML(clsXML& writer) const {
  Trapped({Derived::kClassName, "Get XML"}, [&] {
    WriteMembersXml<Member>(
        writer, this->Backing(),
        {.group = Derived::kClassName,
         .switches = XmlSwitches::AllOn(),
         .after_members = [&](clsXML& into) { vehicle_->AppendXML(into); }});
  });
}

template <class Derived, class Member>
void ReferenceCollection<Derived, Member>::SetXML(std::string_view xml) {
  Trapped({Derived::kClassName, "Let XML"}, [&] {
    this->ReleaseMembers(false);
    vehicle_ = MakeRef<ICatVehicle>();
    // Opened first, the vehicle's reader lends its index to the members' reader.
    clsXML reader;
    reader.ReadInPlace(xml);
    LoadMembers<Member>(xml, Member::kClassName, [&](const Ref<Member>& member) {
      static_cast<Derived&>(*this).AddLoaded(member);
    });
    if (xml.empty()) return;
    vehicle_->SetXML(reader.BlockView(ICatVehicle::kElement, 1));
  });
}

}  // namespace lombar
