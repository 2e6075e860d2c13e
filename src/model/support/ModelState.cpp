#include "model/support/ModelState.h"

#include "frame/ModuleState.h"
#include "lombar/ICatProviderCol.h"
#include "lombar/ICatStoreCol.h"

namespace lombar {

// The global collections may trace and log while they are destroyed at
// thread exit, so the frame's state must outlive this one: touching it
// first makes it constructed earlier and destroyed later.
ModelState::ModelState() {
  ThreadState();
}

// Released here, while the switches they set on their way out still exist:
// a store collection switches compression on when it is destroyed.
ModelState::~ModelState() {
  global_stores = Nothing;
  global_providers = Nothing;
}

ModelState& ThreadModel() noexcept {
  thread_local ModelState state;
  return state;
}

}  // namespace lombar
