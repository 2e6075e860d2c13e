// What a client connects to an object's events: each event the object
// fires calls OnEvent synchronously, on the object's thread, before the
// firing call returns.
#pragma once

#include <vector>

#include "lombar/Object.h"
#include "lombar/Variant.h"

namespace lombar {

class EventSink : public Object {
 public:
  virtual void OnEvent(Long dispid, const std::vector<Variant>& args) = 0;
};

}  // namespace lombar
