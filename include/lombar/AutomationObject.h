// The base of every public class: an object with a class description that
// the generic dispatcher, the class factory and the type information read.
#pragma once

#include "lombar/Guid.h"
#include "lombar/Object.h"
#include "lombar/Variant.h"

namespace lombar {

class ClassInfo;
class ConnectionPoint;
class EventSink;

class AutomationObject : public Object {
 public:
  // The class's automation surface: identifiers, members in slot order.
  virtual const ClassInfo& Class() const = 0;
  // The connection point of the class's outgoing interface; none for most.
  virtual ConnectionPoint* Events() noexcept { return nullptr; }
  // Answers the interface identifiers the object is reachable through:
  // IUnknown, IDispatch, rich error information, its default interface and
  // that interface's earlier identifiers, and connection points when it fires events.
  bool Supports(const Guid& interface_id) const override;

  // Connects a sink to the object's events; the cookie disconnects it.
  // Error 438 for an object that fires no events, 5 for an unknown cookie.
  // A sink connected when the object goes is released with it.
  Long Advise(const Ref<EventSink>& sink);
  void Unadvise(Long cookie);
};

namespace detail {
// The library's own way into what its classes keep private (their class
// descriptions, the XML they write into a parent's text): plumbing between
// the library's sources, defined with them, that no host calls.
class ClassAccess;
}  // namespace detail

}  // namespace lombar
