// How every function of the C interface runs its body: the thread's error
// information reset, then set from whatever the body throws, which becomes
// the function's failure code. For C functions defined beside what they
// reach (the model's).
#pragma once

#include <functional>
#include <initializer_list>

#include "lombar/lombar.h"

namespace lombar {

// E_POINTER, with its error information, when a `required` pointer is null.
lombar_hresult GuardedCall(std::initializer_list<const void*> required,
                           const std::function<lombar_hresult()>& body) noexcept;

}  // namespace lombar
