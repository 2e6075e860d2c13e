#include "lombar/ICatItemProfile.h"

#include "base/Text.h"
#include "frame/NumberParse.h"
#include "model/support/RecordTable.h"

namespace lombar {
namespace {

bool SameInUpperCase(std::string_view a, std::string_view b) {
  return UpperCase(a) == UpperCase(b);
}

}  // namespace

const RecordShape& ICatItemProfile::Table() {
  using P = ICatItemProfile;
  // Every get comes before its let. ItemType is read as the leading number
  // of its element, so a missing element loads as 0.
  static const auto table =
      RecordTable<P>(kClassName, "{2DE1F203-1F3D-43BD-9100-8609A35B86CB}",
                     "{E9493919-EA07-4F4C-A6E7-379B069932B7}",
                     "What a kind of item is, without prices: its type, description, group, part type, "
                     "generic name and manufacturer.")
          .Xml(PropertyId(9), {.group = kElement})
          .Method("LikeManufacturer", MethodId(10), &P::LikeManufacturer, {ByRef("xoObj")})
          .Help("Whether xoObj has the same GroupNumber, exactly, and the same ManufacturerName "
                "in any letter case; False for Nothing.")
          .Method("LikeType", MethodId(11), &P::LikeType, {ByRef("xoObj")})
          .Help("Whether xoObj is the same kind of item: the same Description in any letter "
                "case, or the same ItemType with the same GroupNumber and PartTypeCode, or with "
                "the same GenericID above 0; False for Nothing.")
          .Property("ItemType", PropertyId(8), &P::item_type_, Leaf("ItemType"))
          .GetFirst()
          .Kept()
          .Help("Part, labor or comment (qorCatalogItemType); Clear keeps it.")
          .Property("Description", PropertyId(7), &P::description_, Leaf("Description"))
          .GetFirst()
          .Help("The description of this kind of item.")
          .Property("GroupNumber", PropertyId(6), &P::group_number_, Leaf("GroupNumber"))
          .GetFirst()
          .Help("The catalog group number, compared as exact text.")
          .Property("PartTypeCode", PropertyId(5), &P::part_type_code_, Leaf("PartTypeCode"))
          .GetFirst()
          .Help("The catalog's part type code.")
          .Property("GenericDescription", PropertyId(4), &P::generic_description_,
                    Leaf("GenericDescription"))
          .GetFirst()
          .Help("The generic description.")
          .Property("GenericID", PropertyId(3), &P::generic_id_, Leaf("GenericID"))
          .GetFirst()
          .Help("The identifier of the generic description; LikeType counts it only when it "
                "reads as a number above 0.")
          .Property("ManufacturerName", PropertyId(2), &P::manufacturer_name_, Leaf("Manufacturer"))
          .GetFirst()
          .Help("The manufacturer's name; in the XML Manufacturer.")
          .Property("Tag", PropertyId(1), &P::tag_, Leaf("Tag"))
          .GetFirst()
          .Help("Free data of the caller.")
          .Property("Key", PropertyId(0), &P::key_, Leaf("Key"))
          .GetFirst()
          .Help("The profile's key in its collection, where a numeric Key such as 123 is held "
                "under K#123 until SortBy re-keys the profiles by Key as it is.")
          .Method("Clear", MethodId(12), &P::Clear)
          .Help("Empties the texts; ItemType keeps its value.")
          .Build();
  return table;
}

bool ICatItemProfile::LikeManufacturer(const Ref<ICatItemProfile>& other) const {
  return Trapped({kClassName, "LikeManufacturer"}, [&] {
    return other && group_number_ == other->group_number_ &&
           SameInUpperCase(manufacturer_name_, other->manufacturer_name_);
  });
}

bool ICatItemProfile::LikeType(const Ref<ICatItemProfile>& other) const {
  return Trapped({kClassName, "LikeType"}, [&] {
    if (!other) return false;
    if (SameInUpperCase(description_, other->description_)) return true;
    if (item_type_ != other->item_type_) return false;
    if (group_number_ == other->group_number_ && part_type_code_ == other->part_type_code_) {
      return true;
    }
    // The id is read as the reader reads numbers: a text that is no number counts as 0.
    return LeadingNumber(other->generic_id_) > 0 && generic_id_ == other->generic_id_;
  });
}

void ICatItemProfile::Clear() {
  ClearFields();
}

}  // namespace lombar
