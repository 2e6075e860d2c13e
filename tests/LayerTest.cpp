// The layers of the sources point only down (base, frame, text, model
// support, model), and the public headers stand on their own. The text
// layer stands on base alone: it knows nothing of the automation frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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

// The free functions a file declares (`bodies` false) or defines (true) at
// namespace level, by name. Namespaces are not indented, so such a function
// starts at the line's start; a member defined out of its class is qualified
// ("Writer::Add") and is not counted.
std::set<std::string> FreeFunctions(const fs::path& file, bool bodies) {
  static const std::regex call(R"((::)?\b([A-Za-z_]\w*)\s*\()");
  static const std::set<std::string> not_names = {"decltype", "alignas", "noexcept", "sizeof",
                                                  "operator"};
  static const std::regex not_a_function(
      R"(^(#|//|\}|namespace|class|struct|enum|using|static_assert|template|extern|typedef))");
  std::set<std::string> names;
  const std::string text = testing::ReadFile(file);
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t line_end = std::min(text.find('\n', at), text.size());
    const bool starts_statement = line_end > at && !std::isspace(static_cast<unsigned char>(text[at]));
    const std::string line = text.substr(at, line_end - at);
    if (!starts_statement || std::regex_search(line, not_a_function)) {
      at = line_end + 1;
      continue;
    }
    // The statement runs to its first ";" or "{" outside parentheses.
    std::size_t end = at;
    for (int depth = 0; end < text.size(); ++end) {
      const char c = text[end];
      depth += c == '(' ? 1 : c == ')' ? -1 : 0;
      if (depth == 0 && (c == ';' || c == '{')) break;
    }
    const std::string statement = text.substr(at, end - at);
    const bool has_body = end < text.size() && text[end] == '{';
    const std::size_t assignment = statement.find('=');
    for (std::sregex_iterator it(statement.begin(), statement.end(), call), done; it != done; ++it) {
      const std::smatch& found = *it;
      if (not_names.contains(found[2].str())) continue;
      if (static_cast<std::size_t>(found.position(0)) < assignment && !found[1].matched &&
          has_body == bodies)
        names.insert(found[2].str());
      break;
    }
    at = line_end + 1;
  }
  return names;
}

// A header declares only what its own layer or one below defines: a
// function a layer above defines would be a call upward that the includes
// do not show. Checked for the layers below the frame's users; the frame
// joins once the model's classes are registered with it explicitly.
TEST(LayerTest, HeadersDeclareNoFunctionALayerAboveDefines) {
  const fs::path src = LOMBAR_SOURCE_DIR;
  struct Source {
    Layer layer;
    std::string name;
    std::set<std::string> defines;
  };
  std::vector<Source> sources;
  for (const fs::path& file : FilesUnder(src)) {
    const std::string relative = fs::relative(file, src).generic_string();
    if (file.extension() == ".cpp")
      sources.push_back({LayerOfSource(relative), relative, FreeFunctions(file, true)});
  }
  std::size_t checked = 0;
  for (const fs::path& header : FilesUnder(src)) {
    const std::string relative = fs::relative(header, src).generic_string();
    const Layer own = LayerOfSource(relative);
    if (header.extension() != ".h" || (own != kBase && own != kText)) continue;
    for (const std::string& name : FreeFunctions(header, false)) {
      ++checked;
      for (const Source& source : sources) {
        if (!MayInclude(own, source.layer) && source.defines.contains(name))
          ADD_FAILURE() << relative << " declares " << name << ", which " << source.name
                        << " defines";
      }
    }
  }
  EXPECT_GT(checked, 20u);  // the scan did find the declarations
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
