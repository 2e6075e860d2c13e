// Reading a few bytes of a text as one machine word, for the short-text
// tests that compare or classify up to sixteen bytes by two overlapping
// words instead of a loop or a call.
#pragma once

#include <cstring>

namespace lombar {

// The sizeof(Word) bytes at `at`, whatever their alignment.
template <class Word>
Word WordAt(const char* at) noexcept {
  Word word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

}  // namespace lombar
