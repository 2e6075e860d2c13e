#include "model/ModelState.h"

#include "frame/Apartment.h"
#include "frame/DiagnosticLog.h"
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

// The stores are released before the providers. The releases other threads
// handed to this one are done here too, while the model's state still
// exists; after them the apartment ends.
ModelState::~ModelState() {
  global_stores = Nothing;
  global_providers = Nothing;
  EndApartment();
}

ModelState& ThreadModel() noexcept {
  thread_local ModelState state;
  return state;
}

bool OnePassReadingAllowed() noexcept {
  return ThreadModel().one_pass_reading && !TraceSwitch();
}

}  // namespace lombar
