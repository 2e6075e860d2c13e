// A preset catalog lookup: a category (major heading), a group (minor
// heading) and a description (item level) that a catalog interface can use
// to pre-load parts or labor. Its XML is the group ICatPreset holding the
// three texts.
#pragma once

#include <string>
#include <string_view>

#include "lombar/StoredText.h"
#include "lombar/internal/Record.h"

namespace lombar {

class ICatPreset final : public Record {
 public:
  static constexpr std::string_view kClassName = "ICatPreset";

  ICatPreset() {}

  // Values are stored and returned as given.
  std::string_view Category() const { return category_; }
  void SetCategory(std::string_view category) { category_ = category; }
  std::string_view Group() const { return group_; }
  void SetGroup(std::string_view group) { group_ = group; }
  std::string_view Description() const { return description_; }
  void SetDescription(std::string_view description) { description_ = description; }

  void Clear() { ClearFields(); }

 private:
  friend class detail::ClassAccess;
  // The property table: its surface, XML form and Clear rule.
  static const RecordShape& Table();
  const RecordShape& Shape() const override { return Table(); }

  StoredText category_;
  StoredText group_;
  StoredText description_;
};

}  // namespace lombar
