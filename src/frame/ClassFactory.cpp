#include "frame/ClassFactory.h"

#include <atomic>

#include "frame/TypeLibrary.h"
#include "lombar/Error.h"
#include "lombar/Library.h"

namespace lombar {
namespace {
std::atomic<long> factory_locks{0};
}

const Guid kIClassFactory = Guid::Of("{00000001-0000-0000-C000-000000000046}");

Ref<AutomationObject> ClassFactory::CreateInstance() const {
  return info_.create();
}

void ClassFactory::LockServer(bool lock) noexcept {
  factory_locks += lock ? 1 : -1;
}

long ClassFactory::Locks() noexcept {
  return factory_locks.load();
}

bool ClassFactory::Supports(const Guid& interface_id) const {
  return interface_id == iid::kIUnknown || interface_id == kIClassFactory;
}

Ref<AutomationObject> CreateObject(std::string_view name) {
  const ClassInfo* info = FindClass(name);
  if (!info || !info->create) RaiseRuntime(kCannotCreateObject);
  return info->create();
}

}  // namespace lombar
