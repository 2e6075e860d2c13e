// Helpers shared by the test suites.
#pragma once

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "lombar/Error.h"

namespace lombar::testing {

// The library error `action` raises; none when it raises none.
template <class Action>
std::optional<Error> RaisedBy(Action&& action) {
  try {
    action();
  } catch (const Error& error) {
    return error;
  }
  return std::nullopt;
}

// The number and description of the error `action` raises; {0, "no error"}
// when it raises none.
template <class Action>
std::pair<std::int32_t, std::string> ErrorOf(Action&& action) {
  const std::optional<Error> error = RaisedBy(std::forward<Action>(action));
  if (!error) return {0, "no error"};
  return {error->Number(), error->Description()};
}

// `text` with the first `from` in it made `to`.
inline std::string Changed(std::string text, std::string_view from, std::string_view to) {
  return text.replace(text.find(from), from.size(), to);
}

// What `check` raises on each of `texts` it fails, after the text: none
// when it passes them all.
template <class Check>
std::vector<std::string> FailuresOf(const std::vector<std::string>& texts, Check&& check) {
  std::vector<std::string> failures;
  for (const std::string& text : texts) {
    try {
      check(text);
    } catch (const std::exception& failure) {
      failures.push_back(text + ": " + failure.what());
    }
  }
  return failures;
}

// Runs `action` on a new thread, which starts with fresh module state. An
// exception that escapes it is thrown again here, so it fails the calling
// test instead of ending the program.
template <class Action>
void InFreshThread(Action&& action) {
  std::exception_ptr escaped;
  std::thread thread([&] {
    try {
      action();
    } catch (...) {
      escaped = std::current_exception();
    }
  });
  thread.join();
  if (escaped) std::rethrow_exception(escaped);
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A field of a case file as the text it stands for: \t, \n, \r and \xHH
// give those bytes, a backslash before any other character gives that one.
inline std::string Unescaped(std::string_view field) {
  std::string text;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\' || i + 1 == field.size()) {
      text += field[i];
      continue;
    }
    switch (const char code = field[++i]) {
      case 't': text += '\t'; break;
      case 'n': text += '\n'; break;
      case 'r': text += '\r'; break;
      case 'x': {
        const std::string hex(field.substr(i + 1, 2));
        if (hex.size() != 2 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
          throw std::runtime_error("\\x needs two hex digits: " + std::string(field));
        text += static_cast<char>(std::stoi(hex, nullptr, 16));
        i += 2;
        break;
      }
      default: text += code;
    }
  }
  return text;
}

// One line of a case file: its fields, and where it stands ("text/Names.cases:7")
// for the message of a case that fails.
struct CaseLine {
  std::string where;
  std::vector<std::string> fields;
  const std::string& operator[](std::size_t i) const { return fields[i]; }
};

// The cases of a file beside the tests (`name` is relative to the tests'
// folder): one a line, `count` fields separated by tabs; blank lines and
// lines starting with '#' are notes. A missing file or a line of another
// count fails the test, so a table never passes by being empty.
inline std::vector<CaseLine> ReadCases(const std::string& name, std::size_t count) {
  const std::string path = std::string(LOMBAR_TEST_DATA_DIR) + "/" + name;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + ": cannot be read");
  std::vector<CaseLine> cases;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.ends_with('\r')) line.pop_back();  // a checkout with CR LF line ends
    if (line.empty() || line[0] == '#') continue;
    CaseLine read{name + ":" + std::to_string(number), {}};
    for (std::size_t start = 0, tab = 0; tab != std::string::npos; start = tab + 1) {
      tab = line.find('\t', start);
      read.fields.push_back(Unescaped(std::string_view(line).substr(start, tab - start)));
    }
    if (read.fields.size() != count)
      throw std::runtime_error(read.where + ": " + std::to_string(read.fields.size()) +
                               " fields, not " + std::to_string(count));
    cases.push_back(std::move(read));
  }
  if (cases.empty()) throw std::runtime_error(name + ": no cases");
  return cases;
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

  // The messages of the error log, each without its time stamp and user name
  // ("ICatInfo | Get XML, Error # 13 at line: 0][Type mismatch").
  std::vector<std::string> ErrorLines() const { return AfterPrefix(ErrorLog(), kErrorPrefix); }
  // The operations of the trace log, each without its time stamp ("ICatInfo | Clear").
  std::vector<std::string> TraceLines() const { return AfterPrefix(TraceLog(), kTracePrefix); }

 private:
  // "YYYYMMDD|hh:mm:ss " and, in the error log, the user name fitted to twelve and a blank.
  static constexpr std::size_t kTracePrefix = 18;
  static constexpr std::size_t kErrorPrefix = kTracePrefix + 13;

  // The lines of a log, each without its CR LF and its first `prefix`
  // characters; none when the file is missing.
  static std::vector<std::string> AfterPrefix(const std::filesystem::path& log,
                                              std::size_t prefix) {
    const std::string text = ReadFile(log);
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2)
      lines.push_back(text.substr(start, end - start).erase(0, prefix));
    return lines;
  }

  std::filesystem::path path_;
};

}  // namespace lombar::testing

namespace lombar {
// The suites call these unqualified.
using testing::Changed;
using testing::ErrorOf;
using testing::FailuresOf;
using testing::InFreshThread;
using testing::LogFolderScope;
using testing::RaisedBy;
using testing::ReadCases;
using testing::ReadFile;
}  // namespace lombar
