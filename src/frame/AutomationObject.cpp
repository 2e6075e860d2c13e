#include "lombar/AutomationObject.h"

#include "frame/TypeInfo.h"

namespace lombar {

bool AutomationObject::Supports(const Guid& interface_id) const {
  const ClassInfo& info = Class();
  return interface_id == iid::kIUnknown || interface_id == iid::kIDispatch ||
         interface_id == iid::kISupportErrorInfo || info.Answers(interface_id) ||
         (info.events.has_value() && interface_id == iid::kIConnectionPointContainer);
}

}  // namespace lombar
