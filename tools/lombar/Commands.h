// The subcommands of the lombar tool, over the library's C++ API.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "SampleCatalog.h"

namespace lombar::tool {

// A failure the tool reports on one line: what it concerns (a file, an
// option), the library's error number (0 when the library raised none) and
// the description.
struct Failure {
  std::string subject;
  std::int32_t number = 0;
  std::string description;
};

// Where a command reads its document: a file, "-" for standard input, or
// nothing given (standard input when something is piped in, else the
// built-in sample catalog).
struct Source {
  std::string path;
  bool given = false;
};

struct SortModes {
  std::string aftermarket = "0", non_catalog = "0";  // a number or a name
};

enum class ReportFormat { kText, kJson };

int Show(const Source& source, ReportFormat format);
int Sort(const Source& source, const SortModes& modes, const std::string& output);
int Summarize(const Source& source, const std::string& store, const std::string& output);
int Convert(const Source& source, const std::string& providers, const std::string& output);
int Check(const Source& source);
int Pretty(const Source& source, const std::string& output);
int Sample(const SampleOptions& options, const std::string& output);

// "lombar <library version> (type library <name> <major>.<minor>)".
std::string VersionText();

}  // namespace lombar::tool
