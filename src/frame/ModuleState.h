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
};

struct ModuleState {
  LogState log;
};

// This thread's module state.
ModuleState& ThreadState() noexcept;

}  // namespace lombar
