// Reading a few bytes of a text as one machine word, for the short-text
// tests that compare, classify or search bytes a word at a time instead of
// a loop or a call.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace lombar {

// The sizeof(Word) bytes at `at`, whatever their alignment.
template <class Word>
Word WordAt(const char* at) noexcept {
  Word word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

// The high bit of each zero byte of `word`, exactly (no borrow runs between bytes).
template <class Word>
constexpr Word ZeroBytes(Word word) noexcept {
  constexpr Word kLows = ~Word{0} / 0xFF * 0x7F;
  return ~(((word & kLows) + kLows) | word | kLows);
}

// The first of the bytes `a` or `b` in [from, end), or `end`: eight bytes
// at a time, where a byte equal to either leaves a mark. A value between
// tags is a few bytes long, so this costs less than a library search for
// each byte, with its call and set-up.
inline const char* FirstOfEither(const char* from, const char* end, char a, char b) noexcept {
  static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");
  using Word = std::uint64_t;
  constexpr Word kOnes = ~Word{0} / 0xFF;
  const Word as = kOnes * static_cast<unsigned char>(a);
  const Word bs = kOnes * static_cast<unsigned char>(b);
  for (; end - from >= static_cast<std::ptrdiff_t>(sizeof(Word)); from += sizeof(Word)) {
    const Word word = WordAt<Word>(from);
    const Word marks = ZeroBytes(word ^ as) | ZeroBytes(word ^ bs);
    if (marks != 0) return from + std::countr_zero(marks) / 8;
  }
  while (from < end && *from != a && *from != b)
    ++from;
  return from;
}

}  // namespace lombar
