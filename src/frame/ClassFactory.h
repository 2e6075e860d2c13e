// The class factory handed out for each creatable class, and the count of
// locks hosts hold on factories (the library stays loaded while any is held).
#pragma once

#include "frame/TypeInfo.h"

namespace lombar {

class ClassFactory final : public Object {
 public:
  explicit ClassFactory(const ClassInfo& info) : info_(info) {}

  Ref<AutomationObject> CreateInstance() const;
  // Holds or releases a lock on the library.
  static void LockServer(bool lock) noexcept;
  static long Locks() noexcept;

  // IUnknown and the class-factory interface.
  bool Supports(const Guid& interface_id) const override;

 private:
  const ClassInfo& info_;
};

// The class-factory interface identifier.
extern const Guid kIClassFactory;

}  // namespace lombar
