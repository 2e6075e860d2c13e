// A sorting aid: text keys, each carrying a caller's number, read back in key order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lombar {

// Keys compare as binary text: byte by byte, unsigned, so UTF-8 keys order by
// code point, upper case before lower case and a prefix before its extensions.
// Equal keys are allowed and keep their insertion order.
//
// Entries live in a balanced multimap rather than in hand-made nodes, so no
// node class exists: already sorted input, the common case for callers that
// sort nearly ordered collections, then costs neither quadratic time nor a
// recursion as deep as the number of entries.
class Tree {
 public:
  void Insert(std::string_view key, std::int32_t value);

  // The values in key order at indices 1 to Size(); index 0 and the tail up
  // to the upper bound hold 0. The upper bound is the smallest multiple of 10
  // (at least 10) that holds every value, so callers indexing up to that bound
  // see the layout they expect. Empty when the tree is empty. Descending order
  // is exactly the ascending one reversed, so equal keys come newest first.
  std::vector<std::int32_t> Enumerate(bool descending) const;

  void DeleteAll() { entries_.clear(); }
  std::size_t Size() const { return entries_.size(); }

 private:
  std::multimap<std::string, std::int32_t, std::less<>> entries_;
};

}  // namespace lombar
