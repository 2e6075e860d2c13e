// An info record: a small record of coded text (type, line, code with its
// description, free text, tag, style, key) with a mark for the default
// record of its collection. Stores and vehicle specs (ICatSpec) carry
// collections of them. Its XML is one empty Info element carrying every
// value except Index as an attribute.
#pragma once

#include <string>
#include <string_view>

#include "lombar/StoredText.h"
#include "lombar/Variant.h"
#include "lombar/internal/Record.h"

namespace lombar {

class ICatInfo final : public Record {
 public:
  static constexpr std::string_view kClassName = "ICatInfo";

  ICatInfo();

  // Values are stored and returned as given.
  std::string_view TypeX() const { return type_; }
  void SetTypeX(std::string_view type) { type_ = type; }
  std::string_view Line() const { return line_; }
  void SetLine(std::string_view line) { line_ = line; }
  std::string_view Code() const { return code_; }
  void SetCode(std::string_view code) { code_ = code; }
  std::string_view Desc() const { return desc_; }
  void SetDesc(std::string_view desc) { desc_ = desc; }
  std::string_view Text() const { return text_; }
  void SetText(std::string_view text) { text_ = text; }
  std::string_view Tag() const { return tag_; }
  void SetTag(std::string_view tag) { tag_ = tag; }
  bool Default() const { return default_; }
  void SetDefault(bool is_default) { default_ = is_default; }
  std::string_view Style() const { return style_; }
  void SetStyle(std::string_view style) { style_ = style; }
  // The record's key in its collection.
  std::string_view Key() const { return key_; }
  void SetKey(std::string_view key) { key_ = key; }

  // The position the collection gave the record when it was added; it is
  // not updated when earlier records are removed. Clients only read it.
  Long Index() const { return index_; }
  void SetIndex(Long index) { index_ = index; }

  // Empties every text, clears Default and sets Index to 0.
  void Clear();

 private:
  friend class detail::ClassAccess;
  // The property table: its surface, XML form and Clear rule.
  static const RecordShape& Table();
  const RecordShape& Shape() const override { return Table(); }

  StoredText type_;
  StoredText line_;
  StoredText code_;
  StoredText desc_;
  StoredText text_;
  StoredText tag_;
  bool default_ = false;
  StoredText style_;
  StoredText key_;
  Long index_ = 0;
};

}  // namespace lombar
