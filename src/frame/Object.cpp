#include "lombar/Object.h"

#include <atomic>
#include <cstdint>

#include "frame/Apartment.h"
#include "frame/DiagnosticLog.h"
#include "lombar/Error.h"

namespace lombar {
namespace {

// The live count, kept in shards by apartment, each on a cache line of its
// own: threads making and releasing objects at once would otherwise all
// write one shared line, passing it between their cores for every object.
// An object is counted and uncounted in its own apartment's shard, on
// whatever thread it ends.
struct alignas(64) LiveShard {
  std::atomic<long> count{0};
};
constexpr std::uint32_t kLiveShards = 16;
LiveShard live_objects[kLiveShards];

std::atomic<long>& LiveCountOf(std::uint32_t apartment) noexcept {
  return live_objects[apartment % kLiveShards].count;
}

// The apartment of an object being made; the thread's first object sets up
// its log. Records are made by the thousand: the thread's state is looked up
// once for both.
std::uint32_t ApartmentOfNewObject() noexcept {
  ThreadApartment& state = this_thread_apartment;
  if (state.number != 0 && state.log_set_up) return state.number;
  const std::uint32_t apartment = ThisApartment();
  FileLogSetupOnFirstUse();
  state.log_set_up = true;
  return apartment;
}

}  // namespace

// The apartment's number fills what would otherwise be padding after the count.
static_assert(sizeof(Object) <= 2 * sizeof(void*));

Object::Object() noexcept : apartment_(ApartmentOfNewObject()) {
  LiveCountOf(apartment_).fetch_add(1, std::memory_order_relaxed);
}
Object::~Object() {
  LiveCountOf(apartment_).fetch_sub(1, std::memory_order_relaxed);
}

long Object::LiveObjects() noexcept {
  long live = 0;
  for (const LiveShard& shard : live_objects)
    live += shard.count.load(std::memory_order_relaxed);
  return live;
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
