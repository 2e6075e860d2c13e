// Helpers shared by the test suites.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>

#include "lombar/Error.h"

namespace lombar::testing {

// Runs `action` and returns the number and description of the error it
// raises; {0, "no error"} when it raises none.
template <class Action>
std::pair<std::int32_t, std::string> ErrorOf(Action&& action) {
  try {
    action();
  } catch (const Error& error) {
    return {error.Number(), error.Description()};
  }
  return {0, "no error"};
}

// Runs `action` on a new thread, which starts with fresh module state.
template <class Action>
void InFreshThread(Action&& action) {
  std::thread thread(std::forward<Action>(action));
  thread.join();
}

// A private folder that holds this test's diagnostic files: LOMBAR_LOG_DIR
// points at it while the object lives.
class LogFolderScope {
 public:
  LogFolderScope() {
    char pattern[] = "/tmp/lombar-test-XXXXXX";
    path_ = ::mkdtemp(pattern);
    ::setenv("LOMBAR_LOG_DIR", path_.c_str(), 1);
  }
  ~LogFolderScope() {
    ::unsetenv("LOMBAR_LOG_DIR");
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  LogFolderScope(const LogFolderScope&) = delete;
  LogFolderScope& operator=(const LogFolderScope&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path File(const std::string& suffix) const {
    return path_ / ("qorLOMBARv3.00" + suffix);
  }
  std::filesystem::path ErrorLog() const { return File(".error.log"); }
  std::filesystem::path TraceLog() const { return File(".trace.log"); }
  void SwitchTraceOn() const { std::ofstream(File(".trace.flg")) << "on"; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace lombar::testing
