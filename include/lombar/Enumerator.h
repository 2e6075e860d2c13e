// An enumerator over a collection's members (the enumerator interface that
// a collection's NewEnum hands out).
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "lombar/Object.h"
#include "lombar/Variant.h"

namespace lombar {

class Enumerator final : public Object {
 public:
  // Walks the members as they were when it was made.
  explicit Enumerator(std::vector<Variant> items) : items_(std::move(items)) {}

  // Up to `count` further members; fewer (possibly none) at the end.
  std::vector<Variant> Next(std::size_t count);
  // Skips `count` members; false when fewer were left.
  bool Skip(std::size_t count);
  void Reset() noexcept { position_ = 0; }
  Ref<Enumerator> Clone() const;

  bool Supports(const Guid& interface_id) const override;

 private:
  std::vector<Variant> items_;
  std::size_t position_ = 0;
};

}  // namespace lombar
