#include "text/Tree.h"

#include <algorithm>

namespace lombar {

namespace {

constexpr std::size_t kBoundStep = 10;

// The result array grows in steps of 10 from an upper bound of 10.
std::size_t UpperBoundFor(std::size_t count) {
  const std::size_t steps = std::max<std::size_t>(1, (count + kBoundStep - 1) / kBoundStep);
  return steps * kBoundStep;
}

}  // namespace

void Tree::Insert(std::string_view key, std::int32_t value) {
  // A multimap hint places the entry as close before the hint as order allows;
  // with end() that is after every equal key (insertion order kept), and
  // ascending input is appended in constant amortised time.
  entries_.emplace_hint(entries_.end(), std::string(key), value);
}

std::vector<std::int32_t> Tree::Enumerate(bool descending) const {
  if (entries_.empty()) return {};
  std::vector<std::int32_t> result(UpperBoundFor(entries_.size()) + 1, 0);
  const auto value_of = [](const auto& entry) { return entry.second; };
  if (descending) {
    std::transform(entries_.rbegin(), entries_.rend(), result.begin() + 1, value_of);
  } else {
    std::transform(entries_.begin(), entries_.end(), result.begin() + 1, value_of);
  }
  return result;
}

}  // namespace lombar
