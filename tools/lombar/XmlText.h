// Looking at a document as XML text, apart from what the library makes of
// it: whether it is well-formed, and the same text indented for reading.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lombar::tool {

// Where a text stops being well-formed XML: 1-based line and column (in
// characters) and what is wrong there.
struct XmlFault {
  std::size_t line = 0;
  std::size_t column = 0;
  std::string what;
};

// "not well-formed XML at line L, column C: what".
std::string Describe(const XmlFault& fault);

// How deep elements may nest. A catalog document nests about eight levels;
// the limit keeps checking and indenting linear in the text's length.
inline constexpr std::size_t kMostNesting = 256;

// The first fault of `text` as XML 1.0 (one root element, matching tags,
// quoted and unique attributes, known entities, markup closed, only the
// characters XML allows), or none. Nesting deeper than kMostNesting is a
// fault too.
std::optional<XmlFault> FindXmlFault(std::string_view text);

// The text with one element a line, indented two spaces a level: an element
// holding only text stays on its line; tags, attributes and text are kept
// as they stand, and blank text between elements is dropped. The text must
// be well-formed.
std::string PrettyXml(std::string_view text);

// 1-based line and column (in characters) of a byte offset.
XmlFault PlaceOf(std::string_view text, std::size_t offset, std::string what);

}  // namespace lombar::tool
