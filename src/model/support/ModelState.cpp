#include "model/support/ModelState.h"

#include "frame/Apartment.h"
#include "frame/ModuleState.h"
#include "lombar/ICatProviderCol.h"
#include "lombar/ICatStoreCol.h"

namespace lombar {

// The global collections may trace and log while they are destroyed at
// thread exit, so the frame's state and the thread's apartment must outlive
// this one: touching them first makes them constructed earlier and
// destroyed later.
ModelState::ModelState() {
  ThreadState();
  ThisApartment();
}

// Released here, while the switches they set on their way out still exist:
// a store collection switches compression on when it is destroyed. The
// releases other threads handed to this one are done here too, for the same
// reason; after them the apartment ends.
ModelState::~ModelState() {
  global_stores = Nothing;
  global_providers = Nothing;
  EndApartment();
}

ModelState& ThreadModel() noexcept {
  thread_local ModelState state;
  return state;
}

}  // namespace lombar
