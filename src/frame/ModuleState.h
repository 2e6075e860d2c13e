// The frame's module-level variables. The library is apartment-threaded:
// each thread has its own copy of every one of them, so nothing is locked,
// and a new thread starts with all of them empty or false.
#pragma once

#include <string>

namespace lombar {

struct LogState {
  bool setup_ran = false;        // set by the first setup of the thread
  bool trace_switch = false;     // tested by the trace prologue
  bool trace_file_flag = false;  // the flag file existed at setup
  std::string error_log_path;    // empty until setup has run
  std::string trace_log_path;
  bool error_writer_busy = false;  // re-entry guards of the two writers
  bool trace_writer_busy = false;
  int error_holds = 0;      // ErrorLogHold objects alive
  bool error_held = false;  // an error line came while one was
};

struct ModuleState {
  LogState log;
};

// This thread's module state.
ModuleState& ThreadState() noexcept;

// The one setting the threads share: the code page of the single-byte
// texts, chosen as the library is loaded, as the platform says (Platform.h).
// A page the library cannot use leaves Windows-1252 and a line in the error
// log. Choosing again (after LOMBAR_CODEPAGE changed) is for tests.
void ChooseProcessCodePage() noexcept;

}  // namespace lombar
