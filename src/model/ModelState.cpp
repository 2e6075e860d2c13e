#include "model/ModelState.h"

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

// The stores are released before the providers, in the reverse order of
// their declaration.
ModelState::~ModelState() = default;

ModelState& ThreadModel() noexcept {
  thread_local ModelState state;
  return state;
}

}  // namespace lombar
