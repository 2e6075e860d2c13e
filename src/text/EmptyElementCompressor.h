// Removes elements that have neither content nor attributes ("<b></b>"),
// including groups that become empty when their children go.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lombar {

class EmptyElementCompressor {
 public:
  // The text trimmed of spaces, with every empty element cut out and the
  // pieces around each cut trimmed of spaces and joined.
  static std::string Compress(std::string_view text);

 private:
  explicit EmptyElementCompressor(std::string_view text) : rest_(text) {}
  std::string Run();

  std::size_t Find(std::string_view needle, std::size_t from);
  bool MaterializeMore();
  bool TagsMatch(std::size_t open, std::size_t gap, std::size_t close) const;
  std::size_t Cut(std::size_t first, std::size_t last);

  // The text as it stands is scanned_ followed by rest_: a cut only ever
  // touches the end of scanned_, so cuts cost no more than the element cut.
  std::string scanned_;
  std::string_view rest_;
};

}  // namespace lombar
