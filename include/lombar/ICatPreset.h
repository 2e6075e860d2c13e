// A preset catalog lookup: a category (major heading), a group (minor
// heading) and a description (item level) that a catalog interface can use
// to pre-load parts or labor.
#pragma once

#include <string>
#include <string_view>

#include "lombar/AutomationObject.h"

namespace lombar {

class ICatPreset final : public AutomationClass<ICatPreset> {
 public:
  static constexpr std::string_view kClassName = "ICatPreset";
  static const ClassInfo& TypeInfo();

  // The group ICatPreset holding Category, Group and Description.
  std::string XML() const;
  // Clears, then reads each text from the first element of its name.
  void SetXML(std::string_view xml);

  // Values are stored and returned as given.
  const std::string& Category() const { return category_; }
  void SetCategory(std::string_view category) { category_ = category; }
  const std::string& Group() const { return group_; }
  void SetGroup(std::string_view group) { group_ = group; }
  const std::string& Description() const { return description_; }
  void SetDescription(std::string_view description) { description_ = description; }

  void Clear();

 private:
  std::string category_;
  std::string group_;
  std::string description_;
};

}  // namespace lombar
