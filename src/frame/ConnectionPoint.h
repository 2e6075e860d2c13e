// Connection points for an object's outgoing interface: sinks connect and
// disconnect, and the object fires events synchronously on its own thread.
#pragma once

#include <utility>
#include <vector>

#include "frame/TypeInfo.h"
#include "lombar/EventSink.h"

namespace lombar {

class ConnectionPoint {
 public:
  explicit ConnectionPoint(const EventInterface& events) : events_(&events) {}

  const EventInterface& Interface() const noexcept { return *events_; }
  // Connects a sink; the cookie (from 1) disconnects it.
  Long Advise(Ref<EventSink> sink);
  // Error 5 for a cookie that is not connected.
  void Unadvise(Long cookie);
  std::size_t Connections() const noexcept { return sinks_.size(); }
  // The connected sinks with their cookies, in the order they connected.
  const std::vector<std::pair<Long, Ref<EventSink>>>& Sinks() const noexcept { return sinks_; }

  // Calls every connected sink before returning. A sink that fails does not
  // stop the others or the firing object.
  void Fire(DispId id, const std::vector<Variant>& args = {});

 private:
  const EventInterface* events_;
  std::vector<std::pair<Long, Ref<EventSink>>> sinks_;
  Long next_cookie_ = 1;
};

}  // namespace lombar
