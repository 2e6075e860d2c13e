#include "FuzzSupport.h"

#include <cctype>
#include <string>

namespace lombar::fuzz {
namespace {

// The members one count makes, at most: a fraction may round up.
std::size_t MembersClaimedAt(std::string_view text, std::size_t at) {
  constexpr std::size_t kLargestCount = 32767;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
    ++at;
  const bool negative = at < text.size() && text[at] == '-';
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  std::size_t count = 0;
  for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
    count = count * 10 + static_cast<std::size_t>(text[at] - '0');
    if (count > kLargestCount + 1) return 0;  // an overflow, before any member
  }
  if (at < text.size() && text[at] == '.') ++count;
  return negative || count > kLargestCount ? 0 : count;
}

}  // namespace

void Broken(std::string_view promise, std::string_view expected, std::string_view actual) {
  throw BrokenPromise(std::string(promise) + "\n--- expected (" + std::to_string(expected.size()) +
                      " bytes)\n" + std::string(expected) + "\n--- actual (" +
                      std::to_string(actual.size()) + " bytes)\n" + std::string(actual));
}

bool ClaimsTooManyMembers(std::string_view text) {
  constexpr std::string_view kCount = "<Count>";
  std::size_t claimed = 0;
  for (std::size_t at = text.find(kCount); at != std::string_view::npos;
       at = text.find(kCount, at + 1)) {
    claimed += MembersClaimedAt(text, at + kCount.size());
    if (claimed > kMostClaimedMembers) return true;
  }
  return false;
}

}  // namespace lombar::fuzz
