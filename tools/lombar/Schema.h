// An XML Schema (XSD 1.0) of the catalog document, or of one class's XML,
// made from the library's description of every class's XML.
#pragma once

#include <string>
#include <string_view>

namespace lombar::tool {

// The schema whose root is the element of `class_name` (ICatalog: the whole
// document); a failure about --of for a class without an XML form.
std::string SchemaOf(std::string_view class_name);

}  // namespace lombar::tool
