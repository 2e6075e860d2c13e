// What both fuzz targets share: the broken promise that ends a run, and the
// bound on the members an input's collection counts may make.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string_view>

namespace lombar::fuzz {

// A promise the library or the tool broke on an input; what() tells which,
// with the expected and the actual text.
class BrokenPromise : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

[[noreturn]] void Broken(std::string_view promise, std::string_view expected,
                         std::string_view actual);

// The most members the counts of one input may claim together. A collection
// makes as many members as its Count claims, whatever the text holds, and
// writes them all: thousands cost seconds under the sanitizers and show
// nothing that a few hundred do not.
inline constexpr std::size_t kMostClaimedMembers = 300;

// Whether the <Count> elements of the text claim more members than that
// together. Each is read as the library reads a count, by its leading number
// (blanks, a sign, digits, a fraction): a count of none, a negative one and
// one past 32,767 (refused at once as an overflow) make nothing.
bool ClaimsTooManyMembers(std::string_view text);

}  // namespace lombar::fuzz
