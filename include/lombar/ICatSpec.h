// One vehicle spec: a type (VEH for facts about the vehicle itself, GRP for
// facts of one catalog group), a group number and the info records that
// hold the facts. Its XML is the group Spec holding Type, Group and the
// Information collection.
#pragma once

#include <string>
#include <string_view>

#include "lombar/ICatInfoCol.h"
#include "lombar/StoredText.h"
#include "lombar/Variant.h"
#include "lombar/internal/Record.h"

namespace lombar {

class ICatSpecCol;

class ICatSpec final : public Record {
 public:
  static constexpr std::string_view kClassName = "ICatSpec";
  static constexpr std::string_view kElement = "Spec";

  ICatSpec() : information_(MakeRef<ICatInfoCol>()) {}

  // Any text is accepted; VEH and GRP by convention.
  std::string_view TypeX() const { return type_; }
  void SetTypeX(std::string_view type) { type_ = type; }
  // 0 for VEH; the catalog group number for GRP. Read from XML by the
  // locale's conversion: a Group that is missing or not a number fails with error 13.
  Long Group() const { return group_; }
  void SetGroup(Long group) { group_ = group; }

  // TypeX followed by Group in at least five digits: VEH00000, GRP00042, GRP-00042.
  std::string Key() const;

  // The position the collection gave this vehicle spec when it was added; later
  // removals do not update it. Only ICatSpecCol sets it.
  Long Index() const { return index_; }

  // Set shares the caller's collection.
  Ref<ICatInfoCol> Information() const { return information_; }
  void SetInformation(const Ref<ICatInfoCol>& information) { information_ = information; }

  // Empties TypeX, sets Group to 0 and empties Information; Index stays.
  void Clear() { ClearFields(); }

 private:
  friend class detail::ClassAccess;
  // The property table: its surface, XML form and Clear rule.
  static const RecordShape& Table();
  const RecordShape& Shape() const override { return Table(); }

  friend class ICatSpecCol;
  void SetIndex(Long index) { index_ = index; }

  StoredText type_;
  Long group_ = 0;
  Long index_ = 0;
  Ref<ICatInfoCol> information_;
};

}  // namespace lombar
