// An item profile: what kind of catalog item something is rather than one
// item (its type, description, group number, part type code, generic
// description and id, manufacturer). Item collections hand out profiles of
// their items, gathered in an ICatItemProfileCol, and two profiles can be
// asked whether they describe the same manufacturer's line or the same kind
// of item.
#pragma once

#include <string>
#include <string_view>

#include "lombar/StoredText.h"
#include "lombar/Variant.h"
#include "lombar/internal/Record.h"

namespace lombar {

class ICatItemProfile final : public Record {
 public:
  static constexpr std::string_view kClassName = "ICatItemProfile";
  // The root element of a profile's XML.
  static constexpr std::string_view kElement = "ItemProfile";

  // A new profile is a part (ItemType 0) with every text empty.
  ICatItemProfile() {}

  // Values are stored and returned as given.
  // The item type: part 0, labor 1, comment 2 (other values are kept as they are).
  Long ItemType() const { return item_type_; }
  void SetItemType(Long item_type) { item_type_ = item_type; }
  std::string_view Description() const { return description_; }
  void SetDescription(std::string_view description) { description_ = description; }
  // The catalog group number, compared as exact text.
  std::string_view GroupNumber() const { return group_number_; }
  void SetGroupNumber(std::string_view group_number) { group_number_ = group_number; }
  std::string_view PartTypeCode() const { return part_type_code_; }
  void SetPartTypeCode(std::string_view part_type_code) { part_type_code_ = part_type_code; }
  std::string_view GenericDescription() const { return generic_description_; }
  void SetGenericDescription(std::string_view description) { generic_description_ = description; }
  // Numeric text; only ids above 0 make two profiles alike by LikeType.
  std::string_view GenericID() const { return generic_id_; }
  void SetGenericID(std::string_view generic_id) { generic_id_ = generic_id; }
  std::string_view ManufacturerName() const { return manufacturer_name_; }
  void SetManufacturerName(std::string_view name) { manufacturer_name_ = name; }
  // Free caller data.
  std::string_view Tag() const { return tag_; }
  void SetTag(std::string_view tag) { tag_ = tag; }
  // The profile's key in its collection (numeric keys are held there as "K#" and the key).
  std::string_view Key() const { return key_; }
  void SetKey(std::string_view key) { key_ = key; }

  // The same manufacturer's line: `other` is a profile with the same
  // GroupNumber (exactly) and the same ManufacturerName (in upper case).
  bool LikeManufacturer(const Ref<ICatItemProfile>& other) const;
  // The same kind of item: the same Description in upper case, whatever
  // the types; otherwise, between profiles of one ItemType, the same
  // GroupNumber and PartTypeCode, or the same GenericID when `other`'s
  // reads as a number above 0.
  bool LikeType(const Ref<ICatItemProfile>& other) const;

  // Empties the eight texts; ItemType keeps its value.
  void Clear();

 private:
  friend class detail::ClassAccess;
  // The property table: its surface, XML form and Clear rule.
  static const RecordShape& Table();
  const RecordShape& Shape() const override { return Table(); }

  Long item_type_ = 0;
  StoredText description_;
  StoredText group_number_;
  StoredText part_type_code_;
  StoredText generic_description_;
  StoredText generic_id_;
  StoredText manufacturer_name_;
  StoredText tag_;
  StoredText key_;
};

}  // namespace lombar
