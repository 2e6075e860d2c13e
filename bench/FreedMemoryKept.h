// Memory freed by one run stays with the process for the next. Where the
// first touch of a fresh page is dear (on some virtual machines it costs
// more than the work timed), a run would otherwise be timed partly on page
// faults, and unevenly: the allocator hands large blocks back to the system
// or keeps them depending on what was freed before, so that a size past the
// allocator's thresholds seems to grow faster than it does.
#pragma once

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace lombar::bench {

[[maybe_unused]] inline const bool kFreedMemoryKept = [] {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, -1);
#endif
  return true;
}();

}  // namespace lombar::bench
