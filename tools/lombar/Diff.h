// What changed between two documents, by meaning: values compared as the
// library reads them, collection members matched by their keys.
#pragma once

#include <string>
#include <vector>

#include "text/XmlTree.h"

namespace lombar::tool {

struct Difference {
  std::string where;   // "store D1 item FLTPF15838 price D1"; "catalog" at the top
  std::string change;  // a value's name, or "added", "removed", "order"
  std::vector<std::string> from, to;  // the value, or the members' keys in order

  // "store D1 item FLTPF15838 price D1: QuantityToOrder 2 -> 3".
  std::string Line() const;
};

// The differences of two documents whose root elements are the same
// class's: from `before` to `after`. Error 13 for a root no class writes,
// or two roots of different classes.
std::vector<Difference> DifferencesOf(const XmlNode& before, const XmlNode& after);

// The differences as one JSON array of objects with where, change, and from
// and to (a value, or for "... order" the keys) unless a member was added or
// removed; a line at the end.
std::string DifferencesJson(const std::vector<Difference>& differences);

}  // namespace lombar::tool
