#include "frame/RegistryFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "lombar/Error.h"
#include "base/Text.h"

namespace lombar {
namespace {

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::string ValueLine(const std::string& name, const std::string& value) {
  return (name == "@" ? "@" : Quoted(name)) + "=" + Quoted(value);
}

// The value name a line sets ("@" for the default), or "" for other lines.
std::string NameOfLine(std::string_view line) {
  if (line.starts_with("@=")) return "@";
  if (!line.starts_with("\"")) return "";
  std::string name;
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) {
      name += line[++i];
    } else if (line[i] == '"') {
      return line.substr(i + 1).starts_with("=") ? name : "";
    } else {
      name += line[i];
    }
  }
  return "";
}

constexpr std::string_view kHeader = "REGEDIT4\n\n";

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\r\n") == std::string::npos;
}

}  // namespace

RegistryFile RegistryFile::Load(const std::string& file_name) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(file_name, error);
  if (status.type() == std::filesystem::file_type::not_found) return RegistryFile();
  std::ifstream in(file_name, std::ios::binary);
  if (error || !std::filesystem::is_regular_file(status) || !in) RaiseRuntime(kPathFileAccessError);
  std::ostringstream text;
  text << in.rdbuf();
  return Parse(text.str());
}

RegistryFile RegistryFile::Parse(std::string_view text) {
  RegistryFile file;
  file.preamble_.clear();
  std::size_t position = 0;
  while (position < text.size()) {
    const std::size_t end = text.find('\n', position);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    const std::string line(text.substr(position, next - position));
    const std::string_view bare =
        TrimSpaces(std::string_view(line).substr(0, line.find_last_not_of("\r\n") + 1));
    if (bare.starts_with("[") && bare.ends_with("]")) {
      file.sections_.push_back({std::string(bare.substr(1, bare.size() - 2)), {line}, ""});
    } else if (file.sections_.empty()) {
      file.preamble_ += line;
    } else if (IsBlank(line)) {
      file.sections_.back().trailer += line;
    } else {
      Section& section = file.sections_.back();
      section.lines.push_back(section.trailer + line);  // keeps blank lines inside a section
      section.trailer.clear();
    }
    position = next;
  }
  return file;
}

std::string RegistryFile::Text() const {
  std::string text = preamble_;
  for (const Section& section : sections_) {
    for (const std::string& line : section.lines)
      text += line;
    text += section.trailer;
  }
  return text;
}

void RegistryFile::Update(const std::string& file_name,
                          const std::function<void(RegistryFile&)>& change, WriteNewFile write) {
  const std::filesystem::path path(file_name);
  std::error_code error;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
  // The mutex makes this process's threads take turns. The file lock makes
  // processes do; it would serve threads too, but not where the file system
  // emulates it with per-process record locks (NFS).
  static std::mutex updating;
  const std::lock_guard in_this_process(updating);
  const ExclusiveFileLock across_processes(file_name + ".lock");
  RegistryFile registry = Load(file_name);
  const std::string before = registry.Text();
  change(registry);
  const std::string after = registry.Text();
  if (after == before) return;  // nothing to write, so nothing can fail
  if (registry.Empty()) {
    RemoveFileUnlessReadOnly(file_name);
  } else {
    ReplaceFileWhole(file_name, after, write);
  }
}

RegistryFile::Section* RegistryFile::Find(std::string_view path) {
  for (Section& section : sections_) {
    if (EqualsIgnoringCase(section.path, path)) return &section;
  }
  return nullptr;
}

// What a new section needs in front: the file header in a new file, a line
// break after a last line that lacks one. Sections need no blank line
// between them, so the text before a new section stays exactly as it was.
std::string RegistryFile::SeparatorBeforeNewSection() const {
  const std::string tail =
      sections_.empty() ? preamble_ : sections_.back().lines.back() + sections_.back().trailer;
  if (tail.empty()) return std::string(kHeader);
  return tail.ends_with("\n") ? "" : "\n";
}

bool RegistryFile::Empty() const noexcept {
  return sections_.empty() && (preamble_.empty() || preamble_ == kHeader);
}

void RegistryFile::Write(const std::vector<RegistryKey>& keys) {
  for (const RegistryKey& key : keys) {
    Section* section = Find(key.path);
    if (!section) {
      sections_.push_back({key.path, {SeparatorBeforeNewSection() + "[" + key.path + "]\n"}, "\n"});
      section = &sections_.back();
    }
    for (const auto& [name, value] : key.values) {
      const std::string line = ValueLine(name, value) + "\n";
      bool replaced = false;
      for (std::string& existing : section->lines) {
        if (!replaced && EqualsIgnoringCase(NameOfLine(existing), name)) {
          existing = line;
          replaced = true;
        }
      }
      if (!replaced) section->lines.push_back(line);
    }
  }
}

void RegistryFile::Erase(const std::vector<RegistryKey>& keys) {
  for (const RegistryKey& key : keys) {
    Section* section = Find(key.path);
    if (!section) continue;
    std::erase_if(section->lines, [&key](const std::string& line) {
      const std::string name = NameOfLine(line);
      for (const auto& value : key.values) {
        if (!name.empty() && EqualsIgnoringCase(name, value.first)) return true;
      }
      return false;
    });
    const bool holds_values = std::any_of(section->lines.begin() + 1, section->lines.end(),
                                          [](const std::string& line) { return !IsBlank(line); });
    if (!holds_values) {
      sections_.erase(sections_.begin() + (section - sections_.data()));
    }
  }
}

}  // namespace lombar
