// The error log and the trace log kept beside the library file, and the
// trace flag file that switches tracing on. Neither writer ever fails towards
// its caller: a line that cannot be written is lost and nothing else changes.
#pragma once

#include <string>
#include <string_view>

namespace lombar {

// The base name of the library's file and of its diagnostic files.
inline constexpr std::string_view kModuleName = "qorLOMBARv3.00";

// Sets up this thread's log state (runs lazily, on a writer's first call):
// the folder, the trace switch from the flag file, and a restart of a trace
// log that dates from an earlier day or has grown past 1 MiB.
void FileLogInit() noexcept;
// Runs setup the first time the library is used in a thread (an object of
// it is made), so that with the flag file present tracing starts at once.
void FileLogSetupOnFirstUse() noexcept;
// Appends a trace line when the trace flag file existed at setup.
void FileLogTrace(std::string_view text) noexcept;
// Appends an error line; each CR LF of the text becomes "][".
void FileLogError(std::string_view text) noexcept;

// While one lives, this thread's error lines are not written but noted: a
// reading that is only tried, and done again another way should it fail,
// leaves no line of its own. Holds nest; Held() says whether a line came
// since the outermost was made.
class ErrorLogHold {
 public:
  ErrorLogHold() noexcept;
  ~ErrorLogHold();
  ErrorLogHold(const ErrorLogHold&) = delete;
  ErrorLogHold& operator=(const ErrorLogHold&) = delete;
  bool Held() const noexcept;
  // Whether one lives in this thread.
  static bool Active() noexcept;
};

// The file this thread's error lines go to, set up if need be.
std::string ErrorLogFile();

// True when this thread's tracing is on (tested before any setup).
bool TraceSwitch() noexcept;

// True when the file can be opened for reading; for a name with "*" or "?",
// when the pattern matches some entry.
bool FileExists(const std::string& name) noexcept;
// Deletes the file, or every file matching a wildcard name, when FileExists
// says it exists. A failure raises its error number with the composed
// message of "basLIBstd | FileDelete" followed by " on file name: " and the name.
void FileDelete(const std::string& name);

// The folder of the diagnostic files, ending in a separator: LOMBAR_LOG_DIR
// when set, else the folder of the library's file, else (when that cannot
// be written) "lombar" in the user's state folder.
std::string LogFolder();
// "yyyymmdd|hh:mm:ss" in local time.
std::string DateTimeStamp();
// The name of the process's user; "" when it cannot be found.
std::string UserName_Get();

// The two line formats, without their CR LF.
std::string TraceLine(std::string_view stamp, std::string_view text);
std::string ErrorLine(std::string_view stamp, std::string_view user, std::string_view text);

}  // namespace lombar
