// Writes the XML fuzz target's seed corpus and dictionary from catalog
// documents (scripts/fuzz-seeds runs it on samples of the command-line tool):
//
//   write_seeds CORPUS_FOLDER DICTIONARY DOCUMENT...
//
// Each creatable class gets the XML of a fresh object and, from each
// document, its first element of the class's own name as the class writes it
// back, so every seed is small and holds one class's part of a catalog. The
// raw reader gets a few documents' parts with every operation. The dictionary
// holds the element and attribute names of every seed and the entities.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "XmlFuzz.h"
#include "lombar/Error.h"
#include "model/ClassTable.h"
#include "text/XmlReader.h"

namespace lombar {
namespace {

using fuzz::SetXml;
using fuzz::XmlOf;

// Seeds past this size slow every run that mutates them; such parts are left out.
constexpr std::size_t kLargestSeed = 2048;  // scripts/fuzz runs with -max_len=2048

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The name of the first element.
std::string RootName(std::string_view xml) {
  const std::vector<std::string> elements = fuzz::NamesIn(xml, 1).elements;
  return elements.empty() ? "" : elements.front();
}

class SeedWriter {
 public:
  explicit SeedWriter(std::filesystem::path folder) : folder_(std::move(folder)) {
    std::filesystem::create_directories(folder_);
  }

  void Write(std::uint8_t selector, const std::string& name, std::string_view text) {
    const std::string seed = static_cast<char>(selector) + std::string(text);
    if (text.size() > kLargestSeed || !written_.insert(seed).second) return;
    std::ofstream out(folder_ / name, std::ios::binary);
    out.write(seed.data(), static_cast<std::streamsize>(seed.size()));
    texts_.emplace_back(text);
  }

  const std::vector<std::string>& Texts() const { return texts_; }

 private:
  std::filesystem::path folder_;
  std::set<std::string> written_;
  std::vector<std::string> texts_;
};

// What the class writes back after reading `text`; empty when it raises an error.
std::string Rewritten(const ClassInfo& info, std::string_view text) {
  try {
    const auto object = info.create();
    SetXml(*object, text);
    return XmlOf(*object);
  } catch (const Error&) {
    return "";
  }
}

// Each class's own part of the documents, as the class writes it: the first
// element that the class, given it, writes back under the same name. A part
// too large to mutate quickly (a whole catalog) gives instead one seed for
// each element of the document alone inside the part's outer element.
void WriteClassSeeds(SeedWriter& seeds, const std::vector<std::string>& documents) {
  const auto& classes = CreatableClasses();
  for (std::size_t index = 0; index < classes.size(); ++index) {
    const ClassInfo& info = *classes[index];
    const std::uint8_t selector = fuzz::SelectorOf(index, false);
    seeds.Write(selector, info.name + ".fresh", XmlOf(*info.create()));
    for (std::size_t d = 0; d < documents.size(); ++d) {
      const std::string seed_name = info.name + ".doc" + std::to_string(d + 1);
      XmlReader reader;
      reader.SetXML(documents[d]);
      const std::vector<std::string> names = fuzz::NamesIn(documents[d]).elements;
      for (const std::string& name : names) {
        const std::string written = Rewritten(info, reader.Block(name, 1));
        if (RootName(written) != name) continue;
        if (written.size() <= kLargestSeed) {
          seeds.Write(selector, seed_name, written);
          break;
        }
        for (const std::string& part : names) {
          const std::string alone = "<" + name + ">" + reader.Block(part, 1) + "</" + name + ">";
          seeds.Write(selector, seed_name + "-" + part, Rewritten(info, alone));
        }
        break;
      }
    }
  }
}

// Parts of the first document for the raw reader, each with every operation once.
void WriteReaderSeeds(SeedWriter& seeds, const std::vector<std::string>& documents) {
  if (documents.empty()) return;
  const std::uint8_t selector = fuzz::SelectorOf(CreatableClasses().size(), false);
  // A count, then pairs: Value, Block, Attrib, SetXML, Value again,
  // XMLcompress, GetFieldValue; the arguments pick the first and second names
  // and the first and second occurrences.
  const std::string operations = {7, 0, 2, 1, 3, 2, 10, 3, 0, 0, 10, 4, 0, 5, 0};
  XmlReader reader;
  reader.SetXML(documents.front());
  int made = 0;
  for (const char* part : {"Vehicle", "Provider", "Price"}) {
    const std::string text = reader.Block(part, 1);
    if (text.empty()) continue;
    seeds.Write(selector, "reader.doc" + std::to_string(++made), operations + text);
  }
}

// Element names as start and end tags, attribute names with their opening
// quote, and the entities the escaping writes.
void WriteDictionary(const std::filesystem::path& path, const std::vector<std::string>& texts) {
  std::set<std::string> entries = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;",
                                   "True", "False", "<?xml version=\"1.0\"?>"};
  for (const std::string& text : texts) {
    const fuzz::XmlNames names = fuzz::NamesIn(text);
    for (const std::string& element : names.elements) {
      entries.insert("<" + element + ">");
      entries.insert("</" + element + ">");
    }
    for (const std::string& attribute : names.attributes)
      entries.insert(" " + attribute + "=\"");
  }
  std::ofstream out(path, std::ios::binary);
  out << "# Written by scripts/fuzz-seeds: the names in the XML the classes write.\n";
  for (const std::string& entry : entries) {
    out << '"';
    for (const char c : entry) {
      if (c == '"' || c == '\\') out << '\\';
      out << c;
    }
    out << "\"\n";
  }
}

}  // namespace
}  // namespace lombar

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s CORPUS_FOLDER DICTIONARY DOCUMENT...\n", argv[0]);
    return 2;
  }
  lombar::RegisterModelClasses();
  try {
    std::vector<std::string> documents;
    for (int i = 3; i < argc; ++i)
      documents.push_back(lombar::ReadWhole(argv[i]));
    lombar::SeedWriter seeds(argv[1]);
    lombar::WriteClassSeeds(seeds, documents);
    lombar::WriteReaderSeeds(seeds, documents);
    lombar::WriteDictionary(argv[2], seeds.Texts());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "write_seeds: %s\n", error.what());
    return 1;
  }
  return 0;
}
