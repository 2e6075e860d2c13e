#include "lombar/ICatPresetCol.h"

#include "base/Text.h"
#include "frame/ClassBuilder.h"
#include "model/support/CollectionSurface.h"
#include "model/support/PropertyParams.h"
#include "model/support/ReferenceCollectionMembers.h"
#include "model/support/SharedHelp.h"

namespace lombar {
namespace {

const PropertyParams<ICatPreset>& AddParams() {
  static const PropertyParams<ICatPreset> params(
      {ByRef("Category"), ByRef("Group"), ByRef("Description")});
  return params;
}

}  // namespace

const ClassInfo& ICatPresetCol::Class() const {
  return TypeInfo();
}

const ClassInfo& ICatPresetCol::TypeInfo() {
  using enum SharedMember;
  static const ClassInfo info =
      ClassBuilder<ICatPresetCol>(kClassName, "{B1641D8E-A4B7-4FE7-B77E-C7BB2825D96B}",
                                  "{1437EDC0-B204-4A11-8909-515B12BC4401}",
                                  "The catalog's preset look-ups, with the vehicle they belong to.")
          .SharedHelp(kReferenceCollectionHelp)
          .SharedHelp(kCollectionHelp)
          .With(CollectionMembers<ICatPresetCol>({{kXml, PropertyId(2)}}))
          .Help("The presets and the vehicle as one XML text, empty when there are no presets; "
                "assigning a text empties the collection, gives it a new vehicle and adds each "
                "preset under its Category, Group and Description joined, duplicates left out.")
          .Set("Vehicle", PropertyId(1), &ICatPresetCol::SetVehicle, {ByRef("RHS")})
          .Get("Vehicle", PropertyId(1), &ICatPresetCol::Vehicle)
          .Method("AddObject", MethodId(3), &ICatPresetCol::AddObject,
                  {ByRef("xoObj"), ByRef(Optional("sKey", ""))})
          .Method("Add", MethodId(4), &ICatPresetCol::Add,
                  AddParams().Specs({ByRef(Optional("sKey", ""))}))
          .Help("Adds and returns a new preset of this Category, Group and Description under sKey "
                "as given, none when it is empty; a key already held leaves the preset out "
                "without an error.")
          .With(CollectionMembers<ICatPresetCol>({{kItem, kDispIdValue}, {kExists, MethodId(5)},
                                                  {kCount, PropertyId(0)}, {kRemove, MethodId(6)},
                                                  {kNewEnum, kDispIdNewEnum}}))
          .Build();
  return info;
}

Ref<ICatPreset> ICatPresetCol::Add(std::string_view category, std::string_view group,
                                   std::string_view description, std::string_view key) {
  return Trapped({kClassName, "Add"}, [&] {
    std::string given_key(key);
    return AddObject(AddParams().NewRecord(category, group, description), given_key);
  });
}

void ICatPresetCol::AddLoaded(const Ref<ICatPreset>& preset) {
  std::string joined = Concat({preset->Category(), preset->Group(), preset->Description()});
  AddObject(preset, joined);
}

template class ReferenceCollection<ICatPresetCol, ICatPreset>;

}  // namespace lombar
