#include "frame/ConnectionPoint.h"

#include <algorithm>

#include "lombar/Error.h"

namespace lombar {

Long ConnectionPoint::Advise(Ref<EventSink> sink) {
  if (!sink) RaiseRuntime(kInvalidProcedureCall);
  sinks_.emplace_back(next_cookie_, std::move(sink));
  return next_cookie_++;
}

void ConnectionPoint::Unadvise(Long cookie) {
  const auto found = std::find_if(sinks_.begin(), sinks_.end(),
                                  [cookie](const auto& entry) { return entry.first == cookie; });
  if (found == sinks_.end()) RaiseRuntime(kInvalidProcedureCall);
  sinks_.erase(found);
}

void ConnectionPoint::Fire(DispId id, const std::vector<Variant>& args) {
  if (sinks_.empty()) return;
  // A sink may disconnect itself or others while it runs: fire to those
  // connected when the event began.
  const auto connected = sinks_;
  for (const auto& [cookie, sink] : connected) {
    try {
      sink->OnEvent(id, args);
    } catch (...) {
      // The firing object carries on, as with any event sink that fails.
    }
  }
}

}  // namespace lombar
