// Every class's XML form: records from their tables; collections all write
// the common form (group, Count, Collection of members) around the values
// their writers add before the count or after the members.
#include "lombar/XmlShape.h"

#include <algorithm>

#include "lombar/ICatalog.h"
#include "lombar/ICatInfo.h"
#include "lombar/ICatInfoCol.h"
#include "lombar/ICatItem.h"
#include "lombar/ICatItemCol.h"
#include "lombar/ICatItemProfile.h"
#include "lombar/ICatItemProfileCol.h"
#include "lombar/ICatList.h"
#include "lombar/ICatListCol.h"
#include "lombar/ICatPreset.h"
#include "lombar/ICatPresetCol.h"
#include "lombar/ICatPrice.h"
#include "lombar/ICatPriceCol.h"
#include "lombar/ICatProvider.h"
#include "lombar/ICatProviderCol.h"
#include "lombar/ICatSpec.h"
#include "lombar/ICatSpecCol.h"
#include "lombar/ICatStore.h"
#include "lombar/ICatStoreCol.h"
#include "lombar/ICatVehicle.h"
#include "model/support/RecordTable.h"

namespace lombar {
namespace {

using Form = XmlValueShape::Form;

constexpr XmlValueShape kDocumentVersion{Form::kLeaf, {}, "XDocVersion", XmlValueKind::kText, {}};

template <class T>
constexpr XmlValueShape ChildOf(std::string_view root) {
  return {Form::kChild, root, {}, XmlValueKind::kObject, T::kClassName};
}
template <class T>
constexpr XmlValueShape ChildOf() {
  return ChildOf<T>(T::kClassName);
}
const XmlValueShape kVehicle = ChildOf<ICatVehicle>(ICatVehicle::kElement);

// A record's root: its group, or the element its first attribute writes.
template <class T>
XmlClassShape ShapeOfRecord() {
  const auto& table = detail::ClassAccess::Table<T>();
  XmlClassShape shape{T::kClassName, table.Group(), table.Shape(), {}, {}};
  if (shape.element.empty()) {
    const auto first = std::find_if(shape.values.begin(), shape.values.end(), [](const XmlValueShape& value) {
      return value.form == Form::kElementAttribute;
    });
    if (first != shape.values.end()) shape.element = first->element;
  }
  return shape;
}

template <class C, class Member>
XmlClassShape CollectionShape(std::string_view element, std::vector<XmlValueShape> before = {},
                              std::vector<XmlValueShape> after = {}) {
  return {C::kClassName, element, std::move(before), Member::kClassName, std::move(after)};
}

std::vector<XmlClassShape> MakeShapes() {
  return {
      {ICatalog::kClassName, ICatalog::kElement,
       {kDocumentVersion, kVehicle, ChildOf<ICatProviderCol>(), ChildOf<ICatPresetCol>(),
        ChildOf<ICatStoreCol>(), ChildOf<ICatListCol>()},
       {},
       {}},
      ShapeOfRecord<ICatVehicle>(),
      CollectionShape<ICatSpecCol, ICatSpec>(ICatSpecCol::kClassName),
      ShapeOfRecord<ICatSpec>(),
      CollectionShape<ICatInfoCol, ICatInfo>(ICatInfoCol::kClassName),
      ShapeOfRecord<ICatInfo>(),
      CollectionShape<ICatProviderCol, ICatProvider>(ICatProviderCol::kClassName),
      ShapeOfRecord<ICatProvider>(),
      CollectionShape<ICatPresetCol, ICatPreset>(ICatPresetCol::kClassName, {}, {kVehicle}),
      ShapeOfRecord<ICatPreset>(),
      CollectionShape<ICatStoreCol, ICatStore>(ICatStoreCol::kClassName),
      ShapeOfRecord<ICatStore>(),
      CollectionShape<ICatItemCol, ICatItem>(ICatItemCol::kElement, {kDocumentVersion}, {kVehicle}),
      ShapeOfRecord<ICatItem>(),
      CollectionShape<ICatPriceCol, ICatPrice>(ICatPriceCol::kElement),
      ShapeOfRecord<ICatPrice>(),
      CollectionShape<ICatListCol, ICatList>(ICatListCol::kClassName, {}, {kVehicle}),
      ShapeOfRecord<ICatList>(),
      CollectionShape<ICatItemProfileCol, ICatItemProfile>(ICatItemProfileCol::kClassName),
      ShapeOfRecord<ICatItemProfile>(),
  };
}

}  // namespace

std::span<const XmlClassShape> XmlShapes() {
  static const std::vector<XmlClassShape> shapes = MakeShapes();
  return shapes;
}

const XmlClassShape* XmlShapeOf(std::string_view class_name) {
  const auto shapes = XmlShapes();
  const auto found = std::find_if(shapes.begin(), shapes.end(),
                                  [&](const XmlClassShape& shape) { return shape.class_name == class_name; });
  return found == shapes.end() ? nullptr : &*found;
}

}  // namespace lombar
