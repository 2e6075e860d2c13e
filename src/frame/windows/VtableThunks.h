// The functions of a dual interface's own table, past IDispatch's seven: one
// entry point per slot, each handing its caller's arguments to
// lombar_vtable_call, which calls the member of that slot through the
// dispatcher. x86-64 Windows calling convention only.
#pragma once

#include <cstddef>
#include <cstdint>

#include <windows.h>

namespace lombar {

inline constexpr std::size_t kVtableThunks = 256;
// The entry point of member slot `slot` (below kVtableThunks).
const void* VtableThunk(std::size_t slot) noexcept;

}  // namespace lombar

// Called by every thunk with its slot, the caller's arguments as they were
// passed (args[0] the interface pointer, then one 8-byte value per argument;
// floating-point arguments in the first four places come in `xmm`, whose
// element i holds place i + 1), and returns the call's result.
extern "C" HRESULT lombar_vtable_call(unsigned slot, std::uint64_t* args, const double* xmm);
