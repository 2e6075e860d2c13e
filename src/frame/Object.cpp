#include "lombar/Object.h"

#include <atomic>

#include "frame/Apartment.h"
#include "frame/DiagnosticLog.h"
#include "lombar/Error.h"

namespace lombar {
namespace {
std::atomic<long> live_objects{0};
}

// The apartment's number fills what would otherwise be padding after the count.
static_assert(sizeof(Object) <= 2 * sizeof(void*));

Object::Object() noexcept : apartment_(ThisApartment()) {
  FileLogSetupOnFirstUse();
  live_objects.fetch_add(1, std::memory_order_relaxed);
}
Object::~Object() {
  live_objects.fetch_sub(1, std::memory_order_relaxed);
}

long Object::LiveObjects() noexcept {
  return live_objects.load(std::memory_order_relaxed);
}

bool Object::OnOwnThread() const noexcept {
  return apartment_ == ThisApartment();
}

void RaiseObjectNotSet() {
  RaiseRuntime(kObjectNotSet);
}

void RaiseWrongThread() {
  throw WrongThreadError();
}

}  // namespace lombar
