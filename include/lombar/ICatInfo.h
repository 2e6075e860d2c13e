// An info record: a small record of coded text (type, line, code with its
// description, free text, tag, style, key) with a mark for the default
// record of its collection. Stores and vehicle specs (ICatSpec) carry collections of them.
#pragma once

#include <string>
#include <string_view>

#include "lombar/AutomationObject.h"
#include "lombar/Variant.h"

namespace lombar {

class ICatInfo final : public AutomationClass<ICatInfo> {
 public:
  static constexpr std::string_view kClassName = "ICatInfo";
  static const ClassInfo& TypeInfo();

  // One empty Info element carrying every value except Index as an attribute.
  std::string XML() const;
  void SetXML(std::string_view xml);

  // Values are stored and returned as given.
  const std::string& TypeX() const { return fields_.type; }
  void SetTypeX(std::string_view type) { fields_.type = type; }
  const std::string& Line() const { return fields_.line; }
  void SetLine(std::string_view line) { fields_.line = line; }
  const std::string& Code() const { return fields_.code; }
  void SetCode(std::string_view code) { fields_.code = code; }
  const std::string& Desc() const { return fields_.desc; }
  void SetDesc(std::string_view desc) { fields_.desc = desc; }
  const std::string& Text() const { return fields_.text; }
  void SetText(std::string_view text) { fields_.text = text; }
  const std::string& Tag() const { return fields_.tag; }
  void SetTag(std::string_view tag) { fields_.tag = tag; }
  bool Default() const { return fields_.is_default; }
  void SetDefault(bool is_default) { fields_.is_default = is_default; }
  const std::string& Style() const { return fields_.style; }
  void SetStyle(std::string_view style) { fields_.style = style; }
  // The record's key in its collection.
  const std::string& Key() const { return fields_.key; }
  void SetKey(std::string_view key) { fields_.key = key; }

  // The position the collection gave the record when it was added; it is
  // not updated when earlier records are removed. Clients only read it.
  Long Index() const { return fields_.index; }
  void SetIndex(Long index) { fields_.index = index; }

  // Empties every text, clears Default and sets Index to 0.
  void Clear();

 private:
  struct Fields {
    std::string type;
    std::string line;
    std::string code;
    std::string desc;
    std::string text;
    std::string tag;
    bool is_default = false;
    std::string style;
    std::string key;
    Long index = 0;
  };

  Fields fields_;
};

}  // namespace lombar
