// The layers of the sources point only down (base, frame, text, model
// support, model), in what they include and call, and the public
// headers stand on their own. The text layer stands on base alone: it knows
// nothing of the automation frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
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
// The public headers of the classes belong to the model: what the classes
// share knows none of them; so does the base of the location collections,
// which translates keys through the model's global providers. The other
// bases and the text collection are the support layer's; the other public
// headers are the frame's.
Layer LayerOfInclude(const std::string& include) {
  if (include.starts_with("lombar/ICat") || include == "lombar/internal/LocationCollection.h") {
    return kModel;
  }
  if (include.starts_with("lombar/internal/") || include == "lombar/TextCollection.h") {
    return kModelSupport;
  }
  if (include.starts_with("lombar/")) return kFrame;
  return LayerOfSource(include);
}

// Whether a source of layer `own` may include from layer `reached`: its own
// or one below, and for the text layer only base.
bool MayInclude(Layer own, Layer reached) {
  if (own == kText) return reached == kBase || reached == kText;
  return reached <= own;
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
      EXPECT_TRUE(MayInclude(own, reached))
          << relative << " includes \"" << include.name << "\" from a layer above or beside";
    }
  }
  EXPECT_GT(checked, 100u);  // the scan did find the sources
}

// The external symbols the library's object files define or use, by file,
// as `nm` lists them (mangled); empty when `nm` cannot be run.
std::map<std::string, std::set<std::string>> SymbolsOf(const std::vector<std::string>& objects,
                                                       bool defined) {
  std::string command = defined ? "nm -A -g --defined-only" : "nm -A -u";
  for (const std::string& object : objects) command += " '" + object + "'";
  std::map<std::string, std::set<std::string>> symbols;
  const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return symbols;
  // "file:[address] type name", one symbol a line.
  char line[4096];
  while (std::fgets(line, sizeof line, pipe.get())) {
    const std::string text(line);
    const std::size_t colon = text.find(':');
    const std::size_t last_space = text.find_last_of(' ');
    if (colon == std::string::npos || last_space == std::string::npos) continue;
    std::string name = text.substr(last_space + 1);
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back()))) name.pop_back();
    symbols[text.substr(0, colon)].insert(name);
  }
  return symbols;
}

// The object files of the library, each with its source's layer.
std::map<std::string, Layer> LibraryObjects() {
  std::map<std::string, Layer> objects;
  std::istringstream lines(testing::ReadFile(LOMBAR_OBJECT_LIST));
  for (std::string object; std::getline(lines, object);) {
    const std::size_t src = object.rfind("/src/");
    if (src != std::string::npos) objects[object] = LayerOfSource(object.substr(src + 5));
  }
  return objects;
}

// What the include graph cannot show: a header of a lower layer declaring a
// function that only a layer above defines. Every symbol an object file uses
// is defined by a layer it may include, or outside the library; an inline
// function many layers define counts as each one's.
TEST(LayerTest, ObjectFilesUseOnlyWhatTheirOwnLayerAndTheOnesBelowDefine) {
  const std::map<std::string, Layer> objects = LibraryObjects();
  ASSERT_GT(objects.size(), 50u) << LOMBAR_OBJECT_LIST;
  std::vector<std::string> paths;
  for (const auto& [path, layer] : objects) paths.push_back(path);
  const auto defined = SymbolsOf(paths, true);
  if (defined.empty()) GTEST_SKIP() << "nm cannot be run here";
  std::map<std::string, std::set<Layer>> definers;
  for (const auto& [path, symbols] : defined) {
    for (const std::string& symbol : symbols) definers[symbol].insert(objects.at(path));
  }
  std::size_t checked = 0;
  for (const auto& [path, symbols] : SymbolsOf(paths, false)) {
    for (const std::string& symbol : symbols) {
      const auto found = definers.find(symbol);
      if (found == definers.end()) continue;  // the C++ runtime, the system
      ++checked;
      const Layer own = objects.at(path);
      EXPECT_TRUE(std::any_of(found->second.begin(), found->second.end(),
                              [&](Layer definer) { return MayInclude(own, definer); }))
          << fs::path(path).filename() << " uses " << symbol << " from a layer above or beside";
    }
  }
  EXPECT_GT(checked, 1000u);  // the scan did find the library's own calls
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
