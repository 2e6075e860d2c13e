#include "lombar/AutomationObject.h"

#include "frame/ConnectionPoint.h"
#include "frame/TypeInfo.h"
#include "lombar/Error.h"

namespace lombar {

bool AutomationObject::Supports(const Guid& interface_id) const {
  const ClassInfo& info = Class();
  return interface_id == iid::kIUnknown || interface_id == iid::kIDispatch ||
         interface_id == iid::kISupportErrorInfo || info.Answers(interface_id) ||
         (info.events.has_value() && interface_id == iid::kIConnectionPointContainer);
}

namespace {

ConnectionPoint& EventsOf(AutomationObject& object) {
  ConnectionPoint* events = object.Events();
  if (!events) throw Error(kMemberNotSupported, "Object fires no events");
  return *events;
}

}  // namespace

Long AutomationObject::Advise(const Ref<EventSink>& sink) {
  return EventsOf(*this).Advise(sink);
}

void AutomationObject::Unadvise(Long cookie) {
  EventsOf(*this).Unadvise(cookie);
}

}  // namespace lombar
