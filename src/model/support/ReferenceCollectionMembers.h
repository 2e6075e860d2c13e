// The XML of the preset and list collections (lombar/internal/ReferenceCollection.h):
// always written compressed, with the collection's vehicle after the members.
#pragma once

#include <string_view>

#include "frame/ErrorTrap.h"
#include "lombar/internal/ReferenceCollection.h"
#include "model/support/ClassAccess.h"
#include "model/support/CollectionXml.h"
#include "text/clsXML.h"

namespace lombar {

// Writes the group holding Count, the members and the vehicle at the end of
// `writer`'s text, trapped as the collection's XML get.
template <class Derived, class Member>
void WriteReferenceCollection(clsXML& writer, const Derived& collection,
                              const KeyedCollection& members) {
  Trapped({Derived::kClassName, "Get XML"}, [&] {
    WriteMembersXml<Member>(writer, members,
                            {.group = Derived::kClassName,
                             .switches = XmlSwitches::AllOn(),
                             .after_members = [&](clsXML& into) {
                               detail::ClassAccess::AppendXML(*collection.Vehicle(), into);
                             }});
  });
}

// The collection's XML let: `renew` drops the members and the vehicle, then
// every member read is handed to `add_loaded` and the vehicle read.
template <class Derived, class Member, class Renew, class AddLoaded>
void ReadReferenceCollection(std::string_view xml, Derived& collection, Renew&& renew,
                             AddLoaded&& add_loaded) {
  Trapped({Derived::kClassName, "Let XML"}, [&] {
    renew();
    // Opened first, the vehicle's reader lends its index to the members' reader.
    clsXML reader;
    reader.ReadInPlace(xml);
    LoadMembers<Member>(xml, Member::kClassName, add_loaded);
    if (xml.empty()) return;
    collection.Vehicle()->SetXML(reader.BlockView(ICatVehicle::kElement, 1));
  });
}

}  // namespace lombar
