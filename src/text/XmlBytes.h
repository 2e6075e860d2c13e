// The tags and attribute names the XML writer and reader look for, written
// out in the code page of the text they search, and the end of a start tag.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/CodePage.h"
#include "base/Text.h"
#include "base/Utf8.h"
#include "base/Words.h"

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

// Whether "<name>" starts at `at`.
inline bool IsStartTagAt(std::string_view text, std::size_t at, std::string_view name) noexcept {
  return at < text.size() && text.size() - at >= name.size() + 2 && text[at] == '<' &&
         SameBytes(text.data() + at + 1, name.data(), name.size()) &&
         text[at + 1 + name.size()] == '>';
}

// Whether the "<" at `at` starts "</name>".
inline bool IsEndTagAt(std::string_view text, std::size_t at, std::string_view name) noexcept {
  return text.size() - at >= name.size() + 3 && text[at + 1] == '/' &&
         SameBytes(text.data() + at + 2, name.data(), name.size()) &&
         text[at + 2 + name.size()] == '>';
}

// The end of the start tag that begins at `element`: its "/>", or else its
// ">"; npos when there is neither. (The first "/>" anywhere after it counts,
// as the reader has always taken it.) Scanned for its bytes rather than
// searched for as texts: a tag ends within a few dozen bytes.
inline std::size_t StartTagEnd(std::string_view text, std::size_t element) noexcept {
  if (element >= text.size()) return std::string_view::npos;
  const char* const end = text.data() + text.size();
  for (const char* at = text.data() + element; at < end; ++at) {
    at = static_cast<const char*>(std::memchr(at, '/', static_cast<std::size_t>(end - at)));
    if (!at) break;
    if (at + 1 < end && at[1] == '>') return static_cast<std::size_t>(at - text.data());
  }
  const void* close = std::memchr(text.data() + element, '>', text.size() - element);
  return close ? static_cast<std::size_t>(static_cast<const char*>(close) - text.data())
               : std::string_view::npos;
}

// The first `needle` in `text` that starts in [from, before), or npos: the
// search of an attribute within one start tag, or of an element in one
// record, a stretch of a few hundred bytes at most, where scanning for one of
// the needle's bytes costs less than setting up a general search. The
// needle's last byte is scanned for: a name's "=" or a tag's last letter is
// rarer in XML than its "<".
inline std::size_t FindStartingBefore(std::string_view text, std::string_view needle,
                                      std::size_t from, std::size_t before) noexcept {
  if (needle.empty()) return from <= text.size() && from <= before ? from : std::string_view::npos;
  if (needle.size() > text.size()) return std::string_view::npos;
  before = std::min(before, text.size() - needle.size() + 1);
  const std::size_t last = needle.size() - 1;
  for (std::size_t at = from; at < before; ++at) {
    const void* hit = std::memchr(text.data() + at + last, needle.back(), before - at);
    if (!hit) break;
    at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) - last;
    if (SameBytes(text.data() + at, needle.data(), last)) return at;
  }
  return std::string_view::npos;
}

// The first `name` + "=" in `text` that starts in [from, before), or npos:
// an attribute's name within its start tag, found by the "=" that follows
// it, which in XML is found nowhere but after attribute names.
inline std::size_t FindAttributeName(std::string_view text, std::string_view name,
                                     std::size_t from, std::size_t before) noexcept {
  const std::size_t n = name.size();
  if (from > text.size() || n >= text.size()) return std::string_view::npos;
  // The "=" of a name starting in [from, before) lies in [from + n, limit).
  const std::size_t limit = std::min(before, text.size() - n) + n;
  for (std::size_t equals = from + n; equals < limit; ++equals) {
    const void* hit = std::memchr(text.data() + equals, '=', limit - equals);
    if (!hit) break;
    equals = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    if (SameBytes(text.data() + equals - n, name.data(), n)) return equals - n;
  }
  return std::string_view::npos;
}

// The first byte in [from, end) that is `quote` or "&" or not ASCII, or
// `end`: where an attribute's value ends, unless it is other than plain.
inline const char* PlainValueEnd(const char* from, const char* end, char quote) noexcept {
  const std::uint64_t quotes = EveryByte(quote);
  const std::uint64_t ampersands = EveryByte('&');
  return FirstSought(
      from, end,
      [=](std::uint64_t word) {
        return ZeroBytes(word ^ quotes) | ZeroBytes(word ^ ampersands) | (word & EveryByte('\x80'));
      },
      [=](char c) { return c == quote || c == '&' || static_cast<unsigned char>(c) >= 0x80; });
}

// Whether `form` is `prefix` + `name` + `suffix`, without writing that out.
inline bool IsForm(std::string_view form, std::string_view prefix, std::string_view name,
                   std::string_view suffix) noexcept {
  return form.size() == prefix.size() + name.size() + suffix.size() &&
         form.substr(0, prefix.size()) == prefix &&
         form.substr(prefix.size(), name.size()) == name &&
         form.substr(prefix.size() + name.size()) == suffix;
}

// The first `c` in [from, through] of `text`, or npos.
inline std::size_t FindByteThrough(std::string_view text, char c, std::size_t from,
                                   std::size_t through) noexcept {
  if (from >= text.size() || from > through) return std::string_view::npos;
  const std::size_t count = std::min(through, text.size() - 1) - from + 1;
  const void* hit = std::memchr(text.data() + from, c, count);
  return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data())
             : std::string_view::npos;
}

// The attributes of one element that a class writes and reads together, in
// written order: the element's name and theirs, known up front and checked
// once. The names must outlive it (a class's table holds them).
class AttributeNames {
 public:
  AttributeNames() = default;
  AttributeNames(std::string_view element, std::vector<std::string_view> names)
      : opening_("<" + std::string(element)), names_(std::move(names)) {
    plain_ = IsPlainName(element);
    for (std::size_t i = 0; i < names_.size(); ++i) {
      leads_.push_back((i == 0 ? opening_ : std::string("\"")) + " " + std::string(names_[i]) +
                       "=\"");
      plain_ = plain_ && IsPlainName(names_[i]);
      // A name that ends an earlier one is found in that one's "name=".
      for (std::size_t earlier = 0; earlier < i; ++earlier)
        plain_ = plain_ && !names_[earlier].ends_with(names_[i]);
    }
  }
  std::string_view Element() const noexcept { return std::string_view(opening_).substr(1); }
  // "<" + the element's name, as an element that has it begins.
  std::string_view Opening() const noexcept { return opening_; }
  std::string_view operator[](std::size_t i) const noexcept { return names_[i]; }
  // What a start tag holds before the i-th value, written in one piece: the
  // opening and the first name, or the previous value's closing quote and
  // the name; ' name="' each time.
  std::string_view Lead(std::size_t i) const noexcept { return leads_[i]; }
  std::size_t size() const noexcept { return names_.size(); }
  // Whether the element's and the attributes' names are letters, digits and
  // "_-.:" only, and none ends an earlier one: in a start tag of plain
  // values, each name is then found only where it is written.
  bool Plain() const noexcept { return plain_; }

 private:
  static bool IsPlainName(std::string_view name) noexcept {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
      return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
             c == '_' || c == '-' || c == '.' || c == ':';
    });
  }

  std::string opening_;
  std::vector<std::string_view> names_;
  std::vector<std::string> leads_;
  bool plain_ = false;
};

}  // namespace lombar
