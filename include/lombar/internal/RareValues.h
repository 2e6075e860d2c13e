// The values of a record that most records leave as they start (a price's
// packing units and warranty code, say), kept in a block of their own that
// is made when the first of them is set: a record that never sets one is
// smaller by all of them.
#pragma once

#include <memory>

namespace lombar {

template <class Values>
class RareValues {
 public:
  // The block's values, or the values every record starts with when it has none.
  const Values& Get() const noexcept { return block_ ? *block_ : kInitial; }
  // The block, made with the initial values if there is none yet.
  Values& Set() {
    if (!block_) block_ = std::make_unique<Values>();
    return *block_;
  }
  bool Made() const noexcept { return block_ != nullptr; }

 private:
  // Made before any code runs, so that reading it needs no test of its own.
  static const Values kInitial;

  std::unique_ptr<Values> block_;
};

template <class Values>
constinit const Values RareValues<Values>::kInitial{};

}  // namespace lombar
