#include "lombar/Object.h"

#include <atomic>

#include "frame/DiagnosticLog.h"
#include "lombar/Error.h"

namespace lombar {
namespace {
std::atomic<long> live_objects{0};
}

Object::Object() noexcept {
  FileLogSetupOnFirstUse();
  live_objects.fetch_add(1, std::memory_order_relaxed);
}
Object::~Object() {
  live_objects.fetch_sub(1, std::memory_order_relaxed);
}

long Object::LiveObjects() noexcept {
  return live_objects.load(std::memory_order_relaxed);
}

void RaiseObjectNotSet() {
  RaiseRuntime(kObjectNotSet);
}

}  // namespace lombar
