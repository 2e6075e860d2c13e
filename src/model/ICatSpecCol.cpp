#include "lombar/ICatSpecCol.h"

#include "frame/ClassBuilder.h"
#include "frame/ErrorTrap.h"
#include "model/support/CollectionMembers.h"
#include "model/support/CollectionSurface.h"
#include "model/support/CollectionXml.h"
#include "model/support/SharedHelp.h"

namespace lombar {

const ClassInfo& ICatSpecCol::Class() const {
  return TypeInfo();
}

const ClassInfo& ICatSpecCol::TypeInfo() {
  using enum SharedMember;
  static const ClassInfo info =
      ClassBuilder<ICatSpecCol>(kClassName, "{14E28EDD-C887-444B-B712-81D8D05BE99B}",
                                "{161FAFB3-566A-4F24-96F7-BDBE83C3D4D7}",
                                "The details of a vehicle, each an ICatSpec.")
          .SharedHelp(kEmptyWhenReleasedHelp)
          .SharedHelp(kCollectionHelp)
          .With(CollectionMembers<ICatSpecCol>({{kXml, PropertyId(1)}}))
          .Method("AddObject", MethodId(2), &ICatSpecCol::AddObject, {ByRef("xoSpec")})
          .Help("Adds the ICatSpec itself, not a copy, under its Key, sets its Index to its "
                "position and returns it; a Key the collection already holds is error 457.")
          .Method("Add", MethodId(3), &ICatSpecCol::Add,
                  {ByRef("xsType"), ByRef("xlGroup"), ByRef("xoInfoCol")})
          .Help("Adds and returns a new ICatSpec of type xsType and group xlGroup, sharing "
                "xoInfoCol as its Information; a Key the collection already holds is error 457.")
          .With(CollectionMembers<ICatSpecCol>({{kItem, kDispIdValue}, {kCount, PropertyId(0)},
                                                {kRemove, MethodId(4)}, {kNewEnum, kDispIdNewEnum},
                                                {kExists, MethodId(5)}, {kClear, MethodId(6)}}))
          .Build();
  return info;
}

ICatSpecCol::ICatSpecCol() {
  Clear(false);
}

ICatSpecCol::~ICatSpecCol() {
  Clear(true);
}

std::string ICatSpecCol::XML() const {
  return XmlOf(*this);
}

void ICatSpecCol::AppendXML(XmlWriter& writer) const {
  TracedAndTrapped({kClassName, "Get XML"}, [&] {
    if (Released()) return;
    WriteMembersXml<ICatSpec>(writer, Backing(),
                              {.group = kClassName, .switches = XmlSwitches::OfThread()});
  });
}

void ICatSpecCol::SetXML(std::string_view xml) {
  ReadXML(XmlPart(xml));
}

void ICatSpecCol::ReadXML(XmlPart xml) {
  TracedAndTrapped({kClassName, "Let XML"}, [&] {
    Clear(false);
    LoadMembers<ICatSpec>(std::move(xml), ICatSpec::kElement, [&](const Ref<ICatSpec>& spec) { AddObject(spec); });
  });
}

Ref<ICatSpec> ICatSpecCol::AddObject(const Ref<ICatSpec>& spec) {
  return TracedAndTrapped({kClassName, "AddObject"}, [&] {
    // Specs are not dropped silently like the members of other collections.
    AppendUnique(spec, spec->Key());
    spec->SetIndex(Count());
    return spec;
  });
}

Ref<ICatSpec> ICatSpecCol::Add(std::string_view type, Long group,
                               const Ref<ICatInfoCol>& information) {
  return TracedAndTrapped({kClassName, "Add"}, [&] {
    const auto spec = MakeRef<ICatSpec>();
    spec->SetTypeX(type);
    spec->SetGroup(group);
    spec->SetInformation(information);
    return AddObject(spec);
  });
}

void ICatSpecCol::Clear(bool destroy) {
  TracedAndTrapped({kClassName, "Clear"}, [&] { ReleaseMembers(destroy); });
}

}  // namespace lombar
