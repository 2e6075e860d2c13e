// A numbered list heading. Heading is the default member. Its XML is the
// group ICatList holding ListID and Heading, always written with empty and
// zero leaves left out.
#pragma once

#include <string>
#include <string_view>

#include "lombar/StoredText.h"
#include "lombar/Variant.h"
#include "lombar/internal/Record.h"

namespace lombar {

class ICatList final : public Record {
 public:
  static constexpr std::string_view kClassName = "ICatList";

  ICatList() {}

  // Values are stored and returned as given.
  Long ID() const { return id_; }
  void SetID(Long id) { id_ = id; }
  std::string_view Heading() const { return heading_; }
  void SetHeading(std::string_view heading) { heading_ = heading; }

  void Clear() { ClearFields(); }

 private:
  friend class detail::ClassAccess;
  // The property table: its surface, XML form and Clear rule.
  static const RecordShape& Table();
  const RecordShape& Shape() const override { return Table(); }

  Long id_ = 0;
  StoredText heading_;
};

}  // namespace lombar
