#include "frame/windows/VtableThunks.h"

// Each thunk stores the four argument registers in the caller's home area, so
// that with the stack arguments after them every argument sits in one array,
// and jumps with its slot to the shared tail. The tail keeps the three
// floating-point registers that may carry arguments, and calls
// lombar_vtable_call(slot, arguments, floats) with the stack aligned and
// home space of its own. Thunks are 32 bytes apart.
asm(R"(
    .text
    .p2align 5
    .globl lombar_vtable_thunks
lombar_vtable_thunks:
    .set slot, 0
    .rept 256
    movq %rcx, 8(%rsp)
    movq %rdx, 16(%rsp)
    movq %r8, 24(%rsp)
    movq %r9, 32(%rsp)
    movl $slot, %eax
    jmp lombar_vtable_tail
    .p2align 5
    .set slot, slot + 1
    .endr
lombar_vtable_tail:
    subq $72, %rsp
    movsd %xmm1, 32(%rsp)
    movsd %xmm2, 40(%rsp)
    movsd %xmm3, 48(%rsp)
    movl %eax, %ecx
    leaq 80(%rsp), %rdx
    leaq 32(%rsp), %r8
    call lombar_vtable_call
    addq $72, %rsp
    ret
)");

extern "C" const char lombar_vtable_thunks[];

namespace lombar {

const void* VtableThunk(std::size_t slot) noexcept {
  constexpr std::size_t kThunkSize = 32;
  return lombar_vtable_thunks + slot * kThunkSize;
}

}  // namespace lombar
