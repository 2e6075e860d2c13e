#include "frame/ModuleState.h"

#include "base/CodePage.h"
#include "frame/DiagnosticLog.h"
#include "frame/ErrorTrap.h"
#include "frame/Platform.h"

namespace lombar {

ModuleState& ThreadState() noexcept {
  thread_local ModuleState state;
  return state;
}

void ChooseProcessCodePage() noexcept {
  try {
    const PlatformCodePage chosen = ChosenCodePage();
    UseProcessCodePage(*chosen.page);
    if (chosen.refusal.empty()) return;
    const Error refused = Error::Runtime(kInvalidProcedureCall);
    FileLogError(ComposeErrorMessage({"basLIBstd", "CodePage"}, refused.Number(), 0,
                                     refused.Description() + ": " + chosen.refusal));
  } catch (...) {
    // Windows-1252 stays; a line that cannot be written is lost.
  }
}

namespace {

// Chosen before any host can call: every conversion then reads the page
// through one pointer.
[[maybe_unused]] const bool code_page_chosen = (ChooseProcessCodePage(), true);

}  // namespace

}  // namespace lombar
