#include "lombar/Enumerator.h"

#include <algorithm>

namespace lombar {

std::vector<Variant> Enumerator::Next(std::size_t count) {
  const std::size_t end = position_ + std::min(count, items_.size() - position_);
  std::vector<Variant> batch(items_.begin() + static_cast<std::ptrdiff_t>(position_),
                             items_.begin() + static_cast<std::ptrdiff_t>(end));
  position_ = end;
  return batch;
}

bool Enumerator::Skip(std::size_t count) {
  const std::size_t left = items_.size() - position_;
  position_ += std::min(count, left);
  return count <= left;
}

Ref<Enumerator> Enumerator::Clone() const {
  auto copy = MakeRef<Enumerator>(items_);
  copy->position_ = position_;
  return copy;
}

bool Enumerator::Supports(const Guid& interface_id) const {
  return interface_id == iid::kIUnknown || interface_id == iid::kIEnumVARIANT;
}

}  // namespace lombar
