// A well-formed document read into a tree of elements, for what walks a
// document by its classes' XML forms (JSON, differences).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lombar {

struct XmlNode {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;  // values unescaped
  std::string text;  // the character data directly inside, unescaped
  std::vector<XmlNode> children;
  std::string_view markup;  // the element as it stands in the document

  // The first child element of that name, or null.
  const XmlNode* Child(std::string_view child_name) const;
  // The attribute's value, or null when the element has none of that name.
  const std::string* Attribute(std::string_view attribute_name) const;
};

// The root element of `text`, which must be well-formed XML: a text cut
// short, an element closed by another's end tag, or elements nested more
// than 256 levels deep throw std::invalid_argument. A reference that names no character UTF-8 can
// carry is kept as it stands, as an unknown entity is.
XmlNode ReadXmlTree(std::string_view text);

}  // namespace lombar
