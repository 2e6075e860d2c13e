// A numbered list heading. Heading is the default member. Its XML is the
// group ICatList holding ListID and Heading, always written with empty and
// zero leaves left out.
#pragma once

#include <string>
#include <string_view>

#include "lombar/Variant.h"
#include "lombar/StoredText.h"
#include "lombar/internal/Record.h"

namespace lombar {

class ICatList final : public Record<ICatList> {
 public:
  static constexpr std::string_view kClassName = "ICatList";
  static const RecordTable<ICatList>& Table();

  // Values are stored and returned as given.
  Long ID() const { return id_; }
  void SetID(Long id) { id_ = id; }
  std::string_view Heading() const { return heading_; }
  void SetHeading(std::string_view heading) { heading_ = heading; }

  void Clear() { ClearFields(); }

 private:
  Long id_ = 0;
  StoredText heading_;
};

}  // namespace lombar
