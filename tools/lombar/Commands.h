// The subcommands of the lombar tool, over the library's C++ API.
#pragma once

#include <string>

#include "Catalogs.h"
#include "SampleCatalog.h"

namespace lombar::tool {

// Where a command reads its document: a file, "-" for standard input, or
// nothing given (standard input when it is not a terminal, else the
// built-in sample catalog); and whether a text that is not well-formed XML
// is read anyway, as the library reads it.
struct Source {
  std::string path;
  bool given = false;
  bool lenient = false;
};

struct SortModes {
  std::string aftermarket = "0", non_catalog = "0";  // a number or a name
};

enum class ReportFormat { kText, kJson };

int Show(const Source& source, ReportFormat format);
int Sort(const Source& source, const SortModes& modes, const std::string& output);
int Summarize(const Source& source, const std::string& store, const std::string& output);
int Convert(const Source& source, const std::string& providers, const std::string& output);
// The catalog document as JSON (`to_json`), or from its JSON.
int ConvertJson(const Source& source, bool to_json, const std::string& output);
int Check(const Source& source);
int Pretty(const Source& source, const std::string& output);
int Sample(const SampleOptions& options, const std::string& output);
int Schema(const std::string& class_name, const std::string& output);
// 0 when the documents mean the same, 1 when they differ.
int Diff(const std::string& before, const std::string& after, ReportFormat format);

// The most items a store of a sample can hold: a collection's count is
// 16-bit, and one of 32,767 members does not read back.
inline constexpr int kMostItemsPerStore = 32766;

// "lombar <library version> (type library <name> <major>.<minor>)".
std::string VersionText();

}  // namespace lombar::tool
