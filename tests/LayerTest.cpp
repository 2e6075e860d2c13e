// The layers of the sources point only down (base, frame, text, model
// support, model), and the public headers stand on their own.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace lombar {
namespace {

namespace fs = std::filesystem;

enum Layer { kBase, kFrame, kText, kModelSupport, kModel, kUnknown };

// A source file's own layer, from its folder under src/.
Layer LayerOfSource(const std::string& relative) {
  if (relative.starts_with("base/")) return kBase;
  if (relative.starts_with("frame/")) return kFrame;
  if (relative.starts_with("text/")) return kText;
  if (relative.starts_with("model/support/")) return kModelSupport;
  if (relative.starts_with("model/")) return kModel;
  return kUnknown;
}

// The layer a quoted include reaches: a source folder, or a public header.
// The public headers of the classes and their bases declare what the model
// offers: the support layer (location keys, the thread's global collections,
// the class table) works with the classes through them, while the classes'
// own sources stay above it. The other public headers are the frame's.
Layer LayerOfInclude(const std::string& include) {
  if (include.starts_with("lombar/internal/") || include.starts_with("lombar/ICat")) {
    return kModelSupport;
  }
  if (include.starts_with("lombar/")) return kFrame;
  return LayerOfSource(include);
}

struct Include {
  std::string name;
  bool quoted;
};

std::vector<Include> IncludesOf(const fs::path& file) {
  static const std::regex directive(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  std::vector<Include> includes;
  std::istringstream lines(testing::ReadFile(file));
  std::smatch match;
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_search(line, match, directive))
      includes.push_back({match[2].str(), match[1].str() == "\""});
  }
  return includes;
}

std::vector<fs::path> FilesUnder(const fs::path& root) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  return files;
}

TEST(LayerTest, SourcesIncludeOnlyTheirOwnLayerAndTheOnesBelow) {
  const fs::path src = LOMBAR_SOURCE_DIR;
  std::size_t checked = 0;
  for (const fs::path& file : FilesUnder(src)) {
    const std::string relative = fs::relative(file, src).generic_string();
    const Layer own = LayerOfSource(relative);
    EXPECT_NE(own, kUnknown) << relative << " lies outside every layer";
    for (const Include& include : IncludesOf(file)) {
      if (!include.quoted) continue;
      ++checked;
      const Layer reached = LayerOfInclude(include.name);
      EXPECT_NE(reached, kUnknown) << relative << " includes \"" << include.name << "\"";
      EXPECT_LE(reached, own) << relative << " includes \"" << include.name
                              << "\" from a layer above";
    }
  }
  EXPECT_GT(checked, 100u);  // the scan did find the sources
}

// A C++ standard header has no extension; the C headers a C host needs are named.
bool IsStandardHeader(const std::string& name) {
  static const std::set<std::string> c_headers = {"stddef.h", "stdint.h", "stdbool.h"};
  return name.find_first_of("./") == std::string::npos || c_headers.contains(name);
}

TEST(LayerTest, PublicHeadersIncludeOnlyPublicAndStandardHeaders) {
  std::size_t checked = 0;
  for (const fs::path& file : FilesUnder(LOMBAR_INCLUDE_DIR)) {
    for (const Include& include : IncludesOf(file)) {
      ++checked;
      const bool allowed =
          include.quoted ? include.name.starts_with("lombar/") : IsStandardHeader(include.name);
      EXPECT_TRUE(allowed) << file.filename() << " includes " << include.name;
    }
  }
  EXPECT_GT(checked, 20u);
}

}  // namespace
}  // namespace lombar
