// The object model's own module-level variables, one copy per thread like
// the frame's: the XML switches most classes pass to their writers, and the
// shared provider and store collections made by the catalog root.
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

  // Passed to the XML writers of most classes as Compress and ZeroSuppress.
  bool compress = false;
  bool zero_suppress = false;
  // Consulted by the location keys, the price collection and the item.
  Ref<ICatProviderCol> global_providers;
  // A snapshot of a catalog's stores; held for the host, read by nothing.
  Ref<ICatStoreCol> global_stores;
};

// This thread's model state.
ModelState& ThreadModel() noexcept;

}  // namespace lombar
