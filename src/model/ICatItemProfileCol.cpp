#include "lombar/ICatItemProfileCol.h"

#include <cstddef>
#include <string>
#include <optional>

#include "base/Text.h"
#include "frame/ClassBuilder.h"
#include "frame/ErrorTrap.h"
#include "frame/NumberParse.h"
#include "model/support/CollectionMembers.h"
#include "model/support/CollectionSurface.h"
#include "model/support/CollectionXml.h"
#include "model/support/PropertyParams.h"
#include "model/support/SharedHelp.h"

namespace lombar {
namespace {

const PropertyParams<ICatItemProfile>& AddParams() {
  static const PropertyParams<ICatItemProfile> params(
      {"xsDescription", "xsGroupNumber", "xsPartTypeCode", "xsGenericDescription", "xsGenericID",
       "xsManufacturerName", "xsTag", Optional("xsKey", "")});
  return params;
}

constexpr std::string_view kNumericKeyPrefix = "K#";

// The collection key of a profile's Key: none for the empty Key, and "K#"
// before numeric text, which the collection would otherwise take for a position.
std::string CollectionKey(std::string_view key) {
  std::string collection_key;
  if (IsNumericText(key)) collection_key = kNumericKeyPrefix;
  collection_key += key;
  return collection_key;
}

// The item type leads, so parts come before labor and comments whatever the
// rest; nothing separates the parts of the key.
std::string SortKey(const ICatItemProfile& profile, Long sort_by) {
  std::string key = std::to_string(profile.ItemType());
  switch (sort_by) {
    case qcips_GroupAndType:
      return Concat({key, profile.GroupNumber(), profile.PartTypeCode()});
    case qcips_GroupAndManufacturer:
      return Concat({key, profile.GroupNumber(), profile.ManufacturerName()});
    case qcips_GenericID:
      return Concat({key, profile.GenericID()});
    default:
      return Concat({key, profile.Description()});
  }
}

}  // namespace

const ClassInfo& ICatItemProfileCol::Class() const {
  return TypeInfo();
}

const ClassInfo& ICatItemProfileCol::TypeInfo() {
  using enum SharedMember;
  using C = ICatItemProfileCol;
  static const ClassInfo info =
      ClassBuilder<C>(kClassName, "{F607E774-C78D-487A-AC57-402344AD16EA}",
                      "{9FBB2373-D4D1-4BC6-AF3F-8A0AAB93ADF5}",
                      "Item profiles, one per key, as ICatItemCol.GetItemProfiles gathers them.")
          .SharedHelp(kCollectionHelp)
          .With(CollectionMembers<C>({{kXml, PropertyId(1)}}))
          .Method("SortBy", MethodId(2), &C::SortBy, {"xeSortBy"})
          .Help("Orders the profiles by ItemType, then by the fields xeSortBy names (other "
                "values: Description) as case-sensitive text, and re-keys each by its Key without "
                "K#; two of one Key raise error 457, changing nothing.")
          .Method("AddObject", MethodId(3), &C::AddObject, {ByRef("xoObj")})
          .Help("Adds the profile itself under its Key (K# before a numeric Key, no key for an "
                "empty one) and returns it; Nothing adds nothing, and a key already held leaves "
                "it out without an error.")
          .Method("Add", MethodId(4), &C::Add, AddParams().Specs())
          .Help("Adds and returns a new profile of these values (ItemType qcit_Part) under xsKey "
                "as AddObject keys it; a key already held leaves it out without an error.")
          .With(CollectionMembers<C>({{kExists, MethodId(5)}, {kItem, kDispIdValue},
                                      {kCount, PropertyId(0)}, {kRemove, MethodId(6)},
                                      {kNewEnum, kDispIdNewEnum}, {kClear, MethodId(9)}}))
          .Build();
  return info;
}

ICatItemProfileCol::ICatItemProfileCol() {
  Trapped({kClassName, "Class_Initialize"}, [&] { Clear(false); });
}

std::string ICatItemProfileCol::XML() const {
  return XmlOf(*this);
}

void ICatItemProfileCol::AppendXML(XmlWriter& writer) const {
  Trapped({kClassName, "Get XML"}, [&] {
    WriteMembersXml<ICatItemProfile>(writer, Backing(),
                                     {.group = kClassName, .switches = XmlSwitches::OfThread()});
  });
}

void ICatItemProfileCol::SetXML(std::string_view xml) {
  ReadXML(XmlPart(xml));
}

void ICatItemProfileCol::ReadXML(XmlPart xml) {
  Trapped({kClassName, "Let XML"}, [&] {
    Clear(false);
    LoadMembers<ICatItemProfile>(std::move(xml), ICatItemProfile::kElement,
                                 [&](const Ref<ICatItemProfile>& profile) { AddObject(profile); });
  });
}

void ICatItemProfileCol::SortBy(Long sort_by) {
  Trapped({kClassName, "SortBy"}, [&] {
    if (Count() == 0) return;
    // Re-stored under the Key as it stands, without the K# prefix.
    ReplaceBacking(Reordered<ICatItemProfile>(
        Members(), Count(),
        [&](const ICatItemProfile& profile) { return SortKey(profile, sort_by); },
        [](const ICatItemProfile& profile) -> std::optional<std::string> {
          if (profile.Key().empty()) return std::nullopt;
          return std::string(profile.Key());
        }));
  });
}

Ref<ICatItemProfile> ICatItemProfileCol::AddObject(const Ref<ICatItemProfile>& profile) {
  return Trapped({kClassName, "AddObject"}, [&]() -> Ref<ICatItemProfile> {
    if (!profile) return Nothing;
    AppendByKeyRule(profile);
    return profile;
  });
}

Ref<ICatItemProfile> ICatItemProfileCol::Add(
    std::string_view description, std::string_view group_number, std::string_view part_type_code,
    std::string_view generic_description, std::string_view generic_id,
    std::string_view manufacturer_name, std::string_view tag, std::string_view key) {
  return Trapped({kClassName, "Add"}, [&] {
    const auto profile = AddParams().NewRecord(description, group_number, part_type_code,
                                               generic_description, generic_id,
                                               manufacturer_name, tag, key);
    AppendByKeyRule(profile);
    return profile;
  });
}

void ICatItemProfileCol::AppendByKeyRule(const Ref<ICatItemProfile>& profile) {
  Append(profile, CollectionKey(profile->Key()));
}

}  // namespace lombar
