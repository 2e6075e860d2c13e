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

const RecordTable<ICatItemProfile>& ICatItemProfile::Table() {
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
          .Method("LikeType", MethodId(11), &P::LikeType, {ByRef("xoObj")})
          .Property("ItemType", PropertyId(8), &P::item_type_, Leaf("ItemType"))
          .GetFirst()
          .Kept()
          .Property("Description", PropertyId(7), &P::description_, Leaf("Description"))
          .GetFirst()
          .Property("GroupNumber", PropertyId(6), &P::group_number_, Leaf("GroupNumber"))
          .GetFirst()
          .Property("PartTypeCode", PropertyId(5), &P::part_type_code_, Leaf("PartTypeCode"))
          .GetFirst()
          .Property("GenericDescription", PropertyId(4), &P::generic_description_,
                    Leaf("GenericDescription"))
          .GetFirst()
          .Property("GenericID", PropertyId(3), &P::generic_id_, Leaf("GenericID"))
          .GetFirst()
          .Property("ManufacturerName", PropertyId(2), &P::manufacturer_name_, Leaf("Manufacturer"))
          .GetFirst()
          .Property("Tag", PropertyId(1), &P::tag_, Leaf("Tag"))
          .GetFirst()
          .Property("Key", PropertyId(0), &P::key_, Leaf("Key"))
          .GetFirst()
          .Method("Clear", MethodId(12), &P::Clear)
          .Build();
  return table;
}

template class Record<ICatItemProfile>;

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
