// The object model's own module-level variables, one copy per thread like
// the frame's: the shared provider and store collections made by the
// catalog root. (The XML switches are the writers' own: XmlSwitches::OfThread.)
#pragma once

#include "lombar/Object.h"

namespace lombar {

class ICatProviderCol;
class ICatStoreCol;

struct ModelState {
  ModelState();
  ~ModelState();
  ModelState(const ModelState&) = delete;
  ModelState& operator=(const ModelState&) = delete;

  // Consulted by the location keys, the price collection and the item.
  Ref<ICatProviderCol> global_providers;
  // A snapshot of a catalog's stores; held for the host, read by nothing.
  Ref<ICatStoreCol> global_stores;
  // Whether a catalog or item collection may read a text in the plain form
  // in one pass; off, every text is read by the search, as the checks that
  // compare both readings need.
  bool one_pass_reading = true;
};

// This thread's model state.
ModelState& ThreadModel() noexcept;

// Whether a text in the plain form may be tried in one pass: the thread's
// switch is on and tracing off, whose lines of the objects made would tell
// a reading that gave up.
bool OnePassReadingAllowed() noexcept;

}  // namespace lombar
