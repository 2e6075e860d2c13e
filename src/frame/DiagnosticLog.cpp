#include "frame/DiagnosticLog.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>

#include "frame/ErrorTrap.h"
#include "frame/ModuleState.h"
#include "frame/Platform.h"
#include "base/Text.h"

namespace lombar {
namespace {

constexpr long kTraceLogLimit = 0x100000;  // a trace log longer than this restarts
constexpr std::size_t kUserNameWidth = 12;  // user names are cut or padded to this

LogState& Log() noexcept {
  return ThreadState().log;
}

// Whether any thread's setup ever switched tracing on. Until one does, no
// thread traces, and the trace prologue of every operation is answered
// without reaching this thread's state.
std::atomic<bool> any_thread_traced{false};

std::string AddDirSep(std::string_view folder) {
  std::string result(folder.substr(0, folder.find_last_not_of(' ') + 1));
  if (result.empty() || result.back() != kDirSeparator) result.push_back(kDirSeparator);
  return result;
}

std::string LibraryFolder() {
  const std::string path = ModuleFilePath();
  const std::size_t separator = path.rfind(kDirSeparator);
  return separator == std::string::npos ? "." : path.substr(0, separator);
}

bool HasWildcard(std::string_view name) {
  return name.find_first_of("*?") != std::string::npos;
}

bool SameCalendarDay(std::time_t a, std::time_t b) {
  const std::tm x = LocalTime(a), y = LocalTime(b);
  return x.tm_year == y.tm_year && x.tm_yday == y.tm_yday;
}

// A trace log from an earlier day, or longer than the limit, starts afresh.
void RestartStaleTraceLog(const std::string& path) {
  const std::optional<FileDates> dates = DatesOfFile(path);
  if (!dates) return;
  if (!SameCalendarDay(dates->modified, std::time(nullptr)) || dates->length > kTraceLogLimit) {
    FileDelete(path);
  }
}

// Appends one line and CR LF; false when the file cannot be opened or written.
bool AppendLine(const std::string& path, std::string_view line) noexcept {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "ab"),
                                                       &std::fclose);
  if (!file) return false;
  const bool written = std::fwrite(line.data(), 1, line.size(), file.get()) == line.size() &&
                       std::fwrite("\r\n", 1, 2, file.get()) == 2;
  return std::fclose(file.release()) == 0 && written;
}

// Clears a re-entry guard however the writer leaves.
class GuardScope {
 public:
  explicit GuardScope(bool& guard) : guard_(guard) { guard_ = true; }
  ~GuardScope() { guard_ = false; }
  GuardScope(const GuardScope&) = delete;
  GuardScope& operator=(const GuardScope&) = delete;

 private:
  bool& guard_;
};

void RemoveFile(const std::string& path, const std::string& name) {
  if (DeleteFileClearingAttributes(path)) return;
  const Error error = Error::Runtime(errno == ENOENT ? kFileNotFound : kPathFileAccessError);
  const Operation operation{"basLIBstd", "FileDelete"};
  throw Error(error.Number(),
              ComposeErrorMessage(operation, error.Number(), 0, error.Description()) +
                  " on file name: " + name);
}

// An installed library's folder is not writable; its logs go to the user's
// state folder instead, made when missing.
std::string UserStateFolder() {
  std::string folder = UserStateHome();
  folder += kDirSeparator;
  folder += "lombar";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder;
}

}  // namespace

std::string LogFolder() {
  const char* configured = std::getenv("LOMBAR_LOG_DIR");
  if (configured && *configured) return AddDirSep(configured);
  const std::string library_folder = LibraryFolder();
  return AddDirSep(FolderIsWritable(library_folder) ? library_folder : UserStateFolder());
}

void FileLogInit() noexcept {
  LogState& log = Log();
  log.setup_ran = true;
  try {
    const std::string base = LogFolder() + std::string(kModuleName);
    log.trace_file_flag = FileExists(base + ".trace.flg");
    log.trace_switch = log.trace_file_flag;
    if (log.trace_switch) any_thread_traced.store(true, std::memory_order_relaxed);
    log.error_log_path = base + ".error.log";
    log.trace_log_path = base + ".trace.log";
    if (log.trace_file_flag) RestartStaleTraceLog(log.trace_log_path);
  } catch (...) {
    // Setup ends silently; what it set so far stays.
  }
}

void FileLogSetupOnFirstUse() noexcept {
  if (!Log().setup_ran) FileLogInit();
}

std::string ErrorLogFile() {
  FileLogSetupOnFirstUse();
  return Log().error_log_path;
}

bool TraceSwitch() noexcept {
  return any_thread_traced.load(std::memory_order_relaxed) && Log().trace_switch;
}

void FileLogTrace(std::string_view text) noexcept {
  LogState& log = Log();
  if (log.trace_writer_busy || text.empty()) return;
  try {
    if (log.trace_log_path.empty()) FileLogInit();
    const std::string line = TraceLine(DateTimeStamp(), text);
    if (!log.trace_file_flag) return;
    GuardScope guard(log.trace_writer_busy);
    AppendLine(log.trace_log_path, line);
  } catch (...) {
    // A trace line that cannot be written is lost.
  }
}

void FileLogError(std::string_view text) noexcept {
  LogState& log = Log();
  if (log.error_writer_busy || text.empty()) return;
  if (log.error_holds != 0) {
    log.error_held = true;
    return;
  }
  try {
    if (log.error_log_path.empty()) FileLogInit();
    GuardScope guard(log.error_writer_busy);
    const std::string line = ErrorLine(DateTimeStamp(), UserName_Get(), text);
    AppendLine(log.error_log_path, line);
  } catch (...) {
    // An error line that cannot be written is lost; the caller still raises its error.
  }
}

ErrorLogHold::ErrorLogHold() noexcept {
  LogState& log = Log();
  if (log.error_holds++ == 0) log.error_held = false;
}

ErrorLogHold::~ErrorLogHold() {
  --Log().error_holds;
}

bool ErrorLogHold::Held() const noexcept {
  return Log().error_held;
}

bool ErrorLogHold::Active() noexcept {
  return Log().error_holds != 0;
}

bool FileExists(const std::string& name) noexcept {
  try {
    if (HasWildcard(name)) return !FilesMatching(name).empty();
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (!file) return false;
    std::fclose(file);
    return true;
  } catch (...) {
    return false;
  }
}

void FileDelete(const std::string& name) {
  if (!FileExists(name)) return;
  if (!HasWildcard(name)) return RemoveFile(name, name);
  for (const std::string& file : FilesMatching(name)) RemoveFile(file, name);
}

std::string DateTimeStamp() {
  const std::tm now = LocalTime(std::time(nullptr));
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d|%H:%M:%S", &now);
  return stamp;
}

std::string UserName_Get() {
  return ProcessUserName().substr(0, 199);  // the name fits a 200-character buffer
}

std::string TraceLine(std::string_view stamp, std::string_view text) {
  return std::string(stamp) + " " + std::string(TrimSpaces(text));
}

std::string ErrorLine(std::string_view stamp, std::string_view user, std::string_view text) {
  const std::string one_line = ReplaceAll(text, "\r\n", "][");
  return std::string(stamp) + " " + FitToWidth(user, kUserNameWidth, " ") + " " +
         std::string(TrimSpaces(one_line));
}

}  // namespace lombar
