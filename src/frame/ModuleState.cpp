#include "frame/ModuleState.h"

namespace lombar {

ModuleState& ThreadState() noexcept {
  thread_local ModuleState state;
  return state;
}

}  // namespace lombar
