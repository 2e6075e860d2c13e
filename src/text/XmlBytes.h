// The tags and attribute names the XML writer and reader look for, written
// out in the code page of the text they search, and the end of a start tag.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "base/CodePage.h"
#include "base/Text.h"
#include "base/Utf8.h"

namespace lombar {

// `prefix` + name + `suffix` in a buffer kept between calls, so building the
// forms of each search allocates nothing once the buffer has grown: sized
// once, then the three copied in.
inline const std::string& Form(std::string& buffer, std::string_view prefix,
                               std::string_view name, std::string_view suffix) {
  buffer.resize(prefix.size() + name.size() + suffix.size());
  char* out = std::copy(prefix.begin(), prefix.end(), buffer.data());
  out = std::copy(name.begin(), name.end(), out);
  std::copy(suffix.begin(), suffix.end(), out);
  return buffer;
}

// prefix + name + suffix in the code page, in `buffer`: the name is copied
// as it is when it is ASCII, the same bytes in both.
inline const std::string& InCodePage(std::string& buffer, std::string_view prefix,
                                     std::string_view name, std::string_view suffix) {
  if (IsAscii(name)) return Form(buffer, prefix, name, suffix);
  return Form(buffer, prefix, CodePageFromUtf8(name), suffix);
}

// The end of the start tag that begins at `element`: its "/>", or else its
// ">"; npos when there is neither.
inline std::size_t StartTagEnd(std::string_view text, std::size_t element) noexcept {
  const std::size_t self_closing = FindBytes(text, "/>", element);
  return self_closing != std::string_view::npos ? self_closing : FindBytes(text, ">", element);
}

}  // namespace lombar
