// libFuzzer's entry points, built once for each target with the function
// that runs its inputs (LOMBAR_FUZZ_INPUT: RunXmlFuzzInput of XmlFuzz.h,
// RunToolFuzzInput of ToolFuzz.h): a broken promise ends the run through
// abort(), so libFuzzer keeps the input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "FuzzSupport.h"

namespace lombar::fuzz {
void LOMBAR_FUZZ_INPUT(std::string_view input);
}

// Cheaper bookkeeping for the many small strings each input allocates: new
// blocks are not filled, freed ones wait in a smaller quarantine, and
// allocation stacks are short (a report still shows the faulting access in full).
extern "C" const char* __asan_default_options() {
  return "max_malloc_fill_size=0:quarantine_size_mb=16:malloc_context_size=5";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Every error the library raises appends a line to its error log; under
  // a folder that cannot exist the line is dropped at once and nothing grows.
  setenv("LOMBAR_LOG_DIR", "/dev/null", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    lombar::fuzz::LOMBAR_FUZZ_INPUT(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const lombar::fuzz::BrokenPromise& broken) {
    std::fprintf(stderr, "\n%s\n", broken.what());
    std::abort();
  }
  return 0;
}
