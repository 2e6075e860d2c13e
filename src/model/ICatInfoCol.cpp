#include "lombar/ICatInfoCol.h"

#include "frame/ClassBuilder.h"
#include "frame/ErrorTrap.h"
#include "model/support/CollectionMembers.h"
#include "model/support/CollectionSurface.h"
#include "model/support/CollectionXml.h"
#include "model/support/PropertyParams.h"
#include "model/support/SharedHelp.h"

namespace lombar {
namespace {

const PropertyParams<ICatInfo>& AddParams() {
  static const PropertyParams<ICatInfo> params({"xsType", "xsLine", "xsCode", "xsDesc", "xsText",
                                                "xsTag", "xbDefault", "xsStyle",
                                                ByRef(Optional("xsKey", ""))});
  return params;
}

constexpr std::string_view kMemberElement = "Info";

}  // namespace

const ClassInfo& ICatInfoCol::Class() const {
  return TypeInfo();
}

const ClassInfo& ICatInfoCol::TypeInfo() {
  using enum SharedMember;
  static const ClassInfo info =
      ClassBuilder<ICatInfoCol>(kClassName, "{1B90CD73-6703-4ABA-BB5D-1E5DD7E93EB3}",
                                "{CC15D290-95B1-4FCB-AEDF-76FDACF8F81F}",
                                "Info records such as store rules or addresses; one of them may be the default.")
          .SharedHelp(kCollectionHelp)
          .With(CollectionMembers<ICatInfoCol>({{kXml, PropertyId(3)}}))
          .Get("DefaultCode", PropertyId(2), &ICatInfoCol::DefaultCode)
          .Help("The first record whose Default is True; Nothing when none is.")
          .Method("Add", MethodId(4), &ICatInfoCol::Add, AddParams().Specs())
          .Help("Adds and returns a new record from the arguments, xsKey being its Key and, when "
                "not empty, its key in the collection; a key already held leaves the record out "
                "without an error.")
          .Method(
              "AddObject", MethodId(5),
              Overload<Ref<ICatInfo>(const Ref<ICatInfo>&, std::string&)>(&ICatInfoCol::AddObject),
              {ByRef("xoCatInfo"), ByRef(Optional("sKey", ""))})
          .Help("Adds the record itself under sKey, or under its Key when sKey is empty (sKey "
                "then receives it), sets its Index to the new Count and returns it; Nothing adds "
                "nothing, and a key already held leaves the record out without an error.")
          // Item is an ordinary property here, not the default member.
          .With(CollectionMembers<ICatInfoCol>({{kItem, PropertyId(1)}, {kExists, MethodId(6)},
                                                {kCount, PropertyId(0)}, {kRemove, MethodId(7)},
                                                {kNewEnum, kDispIdNewEnum},
                                                {kClear, MethodId(10)}}))
          .Build();
  return info;
}

std::string ICatInfoCol::XML() const {
  return XmlOf(*this);
}

void ICatInfoCol::AppendXML(XmlWriter& writer) const {
  Trapped({kClassName, "Get XML"}, [&] {
    WriteMembersXml<ICatInfo>(writer, Backing(),
                              {.group = kClassName, .switches = XmlSwitches::OfThread()});
  });
}

void ICatInfoCol::SetXML(std::string_view xml) {
  ReadXML(XmlPart(xml));
}

void ICatInfoCol::ReadXML(XmlPart xml) {
  Trapped({kClassName, "Let XML"}, [&] {
    Clear(false);
    LoadMembers<ICatInfo>(std::move(xml), kMemberElement, [&](const Ref<ICatInfo>& record) {
      std::string under_its_key;
      AddObject(record, under_its_key);
    });
  });
}

Ref<ICatInfo> ICatInfoCol::DefaultCode() const {
  return Trapped({kClassName, "DefaultCode"}, [&] {
    return FirstMemberWhere([](const ICatInfo& record) { return record.Default(); });
  });
}

Ref<ICatInfo> ICatInfoCol::Add(std::string_view type, std::string_view line, std::string_view code,
                               std::string_view desc, std::string_view text, std::string_view tag,
                               bool is_default, std::string_view style, std::string_view key) {
  return Trapped({kClassName, "Add"}, [&] {
    std::string under_its_key;
    return AddObject(
        AddParams().NewRecord(type, line, code, desc, text, tag, is_default, style, key),
        under_its_key);
  });
}

Ref<ICatInfo> ICatInfoCol::AddObject(const Ref<ICatInfo>& record, std::string& key) {
  return Trapped({kClassName, "AddObject"}, [&]() -> Ref<ICatInfo> {
    if (!record) return Nothing;
    if (key.empty()) key = record->Key();
    Append(record, key);
    // After a dropped duplicate this is the last member's position.
    record->SetIndex(Count());
    return record;
  });
}

}  // namespace lombar
