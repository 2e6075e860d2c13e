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

// A word whose every byte is `byte`.
constexpr std::uint64_t EveryByte(char byte) noexcept {
  return ~std::uint64_t{0} / 0xFF * static_cast<unsigned char>(byte);
}

// The first byte in [from, end) that `is_sought` takes, or `end`: eight bytes
// at a time, where `marks(word)` sets the high bit of each sought byte, and
// the few bytes after the last whole word one by one. A value between tags
// is a few bytes long, so this costs less than a library search for each
// byte, with its call and set-up.
template <class Marks, class IsSought>
const char* FirstSought(const char* from, const char* end, const Marks& marks,
                        const IsSought& is_sought) noexcept {
  static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");
  using Word = std::uint64_t;
  for (; end - from >= static_cast<std::ptrdiff_t>(sizeof(Word)); from += sizeof(Word)) {
    const Word marked = marks(WordAt<Word>(from));
    if (marked != 0) return from + std::countr_zero(marked) / 8;
  }
  while (from < end && !is_sought(*from))
    ++from;
  return from;
}

// The first of the bytes `a` or `b` in [from, end), or `end`.
inline const char* FirstOfEither(const char* from, const char* end, char a, char b) noexcept {
  const std::uint64_t as = EveryByte(a);
  const std::uint64_t bs = EveryByte(b);
  return FirstSought(
      from, end, [=](std::uint64_t word) { return ZeroBytes(word ^ as) | ZeroBytes(word ^ bs); },
      [=](char c) { return c == a || c == b; });
}

}  // namespace lombar
