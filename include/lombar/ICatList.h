// A numbered list heading. Heading is the default member.
#pragma once

#include <string>
#include <string_view>

#include "lombar/AutomationObject.h"
#include "lombar/Variant.h"

namespace lombar {

class ICatList final : public AutomationClass<ICatList> {
 public:
  static constexpr std::string_view kClassName = "ICatList";
  static const ClassInfo& TypeInfo();

  // The group ICatList holding ListID and Heading, always written with empty
  // and zero leaves left out.
  std::string XML() const;
  // Clears, then reads ListID (rounded; 0 when it is no number) and Heading.
  void SetXML(std::string_view xml);

  // Values are stored and returned as given.
  Long ID() const { return id_; }
  void SetID(Long id) { id_ = id; }
  const std::string& Heading() const { return heading_; }
  void SetHeading(std::string_view heading) { heading_ = heading; }

  void Clear();

 private:
  Long id_ = 0;
  std::string heading_;
};

}  // namespace lombar
