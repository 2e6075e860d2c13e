#include "lombar/ICatListCol.h"

#include "frame/ClassBuilder.h"
#include "model/support/CollectionSurface.h"
#include "model/support/PropertyParams.h"
#include "model/support/ReferenceCollectionMembers.h"
#include "model/support/SharedHelp.h"

namespace lombar {
namespace {

const PropertyParams<ICatList>& AddParams() {
  static const PropertyParams<ICatList> params({ByRef("Heading"), ByRef("ID")});
  return params;
}

}  // namespace

const ClassInfo& ICatListCol::Class() const {
  return TypeInfo();
}

const ClassInfo& ICatListCol::TypeInfo() {
  using enum SharedMember;
  static const ClassInfo info =
      ClassBuilder<ICatListCol>(kClassName, "{CE8617B9-F7F2-4B8F-BD33-944AC68888EA}",
                                "{4A6858C7-E7DC-4805-8550-2C4EA81F14E0}",
                                "The catalog's reference lists, with the vehicle they belong to.")
          .SharedHelp(kReferenceCollectionHelp)
          .SharedHelp(kCollectionHelp)
          .With(CollectionMembers<ICatListCol>({{kXml, PropertyId(2)}}))
          .Help(
              "The lists and the vehicle as one XML text, empty when there are no lists; "
              "assigning a text empties the collection, gives it a new vehicle and adds each "
              "list under I# and its ID when that is above 0, duplicates left out.")
          .Set("Vehicle", PropertyId(1), &ICatListCol::SetVehicle, {ByRef("RHS")})
          .Get("Vehicle", PropertyId(1), &ICatListCol::Vehicle)
          .Method(
              "AddObject", MethodId(3),
              Overload<Ref<ICatList>(const Ref<ICatList>&, std::string&)>(&ICatListCol::AddObject),
              {ByRef("xoObj"), ByRef(Optional("sKey", ""))})
          .Help(
              "Adds the list itself under sKey, else under I# and its ID when that is above 0 "
              "(sKey then receives it), and returns it; Nothing adds nothing, and a key already "
              "held leaves the list out without an error.")
          .Method("Add", MethodId(4),
                  Overload<Ref<ICatList>(std::string_view, Long, std::string&)>(&ICatListCol::Add),
                  AddParams().Specs({ByRef(Optional("sKey", ""))}))
          .Help("Adds and returns a new list of this Heading and ID, keyed as by AddObject.")
          .With(CollectionMembers<ICatListCol>({{kItem, kDispIdValue}, {kExists, MethodId(5)},
                                                {kCount, PropertyId(0)}, {kRemove, MethodId(6)},
                                                {kNewEnum, kDispIdNewEnum}}))
          .Build();
  return info;
}

Ref<ICatList> ICatListCol::AddObject(const Ref<ICatList>& list, std::string& key) {
  // The derived key reaches the caller even when the list is then dropped as a duplicate.
  if (key.empty() && list && list->ID() > 0) key = "I#" + std::to_string(list->ID());
  return Collection::AddObject(list, key);
}

Ref<ICatList> ICatListCol::Add(std::string_view heading, Long id, std::string& key) {
  return Trapped({kClassName, "Add"}, [&] {
    return AddObject(AddParams().NewRecord(heading, id), key);
  });
}

void ICatListCol::AddLoaded(const Ref<ICatList>& list) {
  std::string derived_key;
  AddObject(list, derived_key);
}

template class ReferenceCollection<ICatListCol, ICatList>;

}  // namespace lombar
