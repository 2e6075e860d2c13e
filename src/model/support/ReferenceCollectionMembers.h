// The XML of the preset and list collections (lombar/internal/ReferenceCollection.h):
// always written compressed, with the collection's vehicle after the members.
#pragma once

#include <utility>

#include "frame/ErrorTrap.h"
#include "lombar/internal/ReferenceCollection.h"
#include "model/support/ClassAccess.h"
#include "model/support/CollectionXml.h"

namespace lombar {

// Writes the group holding Count, the members and the vehicle at the end of
// `writer`'s text, trapped as the collection's XML get.
template <class Derived, class Member>
void WriteReferenceCollection(XmlWriter& writer, const Derived& collection,
                              const KeyedCollection& members) {
  Trapped({Derived::kClassName, "Get XML"}, [&] {
    WriteMembersXml<Member>(writer, members,
                            {.group = Derived::kClassName,
                             .switches = XmlSwitches::AllOn(),
                             .after_members = [&](XmlWriter& into) {
                               detail::ClassAccess::AppendXML(*collection.Vehicle(), into);
                             }});
  });
}

// The collection's XML let: `renew` drops the members and the vehicle, then
// every member read is handed to `add_loaded` and the vehicle read.
template <class Derived, class Member, class Renew, class AddLoaded>
void ReadReferenceCollection(XmlPart xml, Derived& collection, Renew&& renew,
                             AddLoaded&& add_loaded) {
  Trapped({Derived::kClassName, "Let XML"}, [&] {
    renew();
    if (xml.Text().empty()) return;
    // One reader finds the members and then the vehicle, and hands each its part.
    XmlReader reader = ReaderOf(std::move(xml));
    LoadMembers<Member>(reader, Member::kClassName, add_loaded);
    detail::ClassAccess::ReadXML(*collection.Vehicle(), reader.BlockPart(ICatVehicle::kElement, 1));
  });
}

}  // namespace lombar
