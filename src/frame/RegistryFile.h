// A registry kept in a text file of the REGEDIT4 format: "[HKEY_...\Key]"
// sections holding "@=" and "\"Name\"=" value lines. Sections the library
// does not touch are written back exactly as they were read.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "frame/FileReplace.h"

namespace lombar {

struct RegistryKey {
  std::string path;
  // Value name ("@" for the default value) and text.
  std::vector<std::pair<std::string, std::string>> values;
};

class RegistryFile {
 public:
  // A missing file reads as an empty registry; error 75 for one that is
  // there but cannot be read, so that its entries are never lost.
  static RegistryFile Load(const std::string& file_name);
  static RegistryFile Parse(std::string_view text);
  // Reads the file, lets `change` change the registry and replaces the file
  // whole with the result, creating its folder; a registry left with nothing
  // but its header removes the file, and one left as it was is not written. Threads and processes updating the same
  // file take turns, under a lock on the file "<file_name>.lock" beside it.
  // Error 75 when the file cannot be read or written; it is then as it was.
  // Tests pass a `write` that fails.
  static void Update(const std::string& file_name, const std::function<void(RegistryFile&)>& change,
                     WriteNewFile write = WriteNewFileWhole);
  std::string Text() const;
  // Nothing but the file header is left.
  bool Empty() const noexcept;

  // Sets the keys' values, adding keys and values that are missing.
  void Write(const std::vector<RegistryKey>& keys);
  // Removes the keys' values by name, and each key left with no value.
  void Erase(const std::vector<RegistryKey>& keys);

 private:
  struct Section {
    std::string path;
    std::vector<std::string> lines;  // value lines and anything else, as read
    std::string trailer;             // the blank lines that followed
  };
  Section* Find(std::string_view path);
  std::string SeparatorBeforeNewSection() const;

  std::string preamble_;
  std::vector<Section> sections_;
};

}  // namespace lombar
