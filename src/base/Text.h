// Pure text helpers shared by every layer: letter-case comparison and
// upper-casing, trimming, replacing, removing characters, fixed widths and
// attribute quoting. Texts are UTF-8; widths count characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <initializer_list>
#include <string_view>

#include "base/Words.h"

namespace lombar {

// The text cut to its first `width` characters, or padded to `width`
// characters with copies of `pad` (one character) on the right, or on the
// left when `pad_left`.
std::string FitToWidth(std::string_view text, std::size_t width, std::string_view pad,
                       bool pad_left = false);

// Removes `chars` from `text`: with `whole`, every occurrence of the whole
// text, including occurrences that a removal creates; otherwise every
// occurrence of each of its characters. Case-sensitive.
std::string Eliminate(std::string_view text, std::string_view chars, bool whole);

// Quotes an attribute value: between double quotes, or apostrophes when it
// holds double quotes; a value already quoted at both ends stays as it is;
// one holding both kinds loses them and is put between double quotes.
std::string QuotedValue(std::string_view value);

// The text without leading and trailing spaces (other blanks stay). Inline
// for the common text that has none, which every value read is trimmed of.
std::string_view TrimOuterSpaces(std::string_view text) noexcept;
inline std::string_view TrimSpaces(std::string_view text) noexcept {
  if (text.empty() || (text.front() != ' ' && text.back() != ' ')) return text;
  return TrimOuterSpaces(text);
}

// The first `needle` in `text` at or after `from`; npos when there is none
// (an empty needle is found at `from`). glibc's memmem skips ahead by the
// needle as a whole, where string_view::find stops at every first byte of
// the needle to compare: searches of tags in documents spent most of their
// time there.
inline std::size_t FindBytes(std::string_view text, std::string_view needle,
                             std::size_t from) noexcept {
  if (from > text.size()) return std::string_view::npos;
  if (needle.empty()) return from;
#if defined(__GLIBC__)
  const void* found = memmem(text.data() + from, text.size() - from, needle.data(), needle.size());
  return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data())
               : std::string_view::npos;
#else
  return text.find(needle, from);
#endif
}

// Whether the `n` bytes at `a` and at `b` are the same. Up to sixteen bytes
// (most names of tags) they are compared by two overlapping loads of a fixed
// size, without the call and the length dispatch of memcmp.
inline bool SameBytes(const char* a, const char* b, std::size_t n) noexcept {
  using Eight = std::uint64_t;
  using Four = std::uint32_t;
  if (n > 16) return std::memcmp(a, b, n) == 0;
  if (n >= 8) {
    return WordAt<Eight>(a) == WordAt<Eight>(b) &&
           WordAt<Eight>(a + n - 8) == WordAt<Eight>(b + n - 8);
  }
  if (n >= 4) {
    return WordAt<Four>(a) == WordAt<Four>(b) && WordAt<Four>(a + n - 4) == WordAt<Four>(b + n - 4);
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

// Equal when compared without regard to the letter case of A-Z.
bool EqualsIgnoringCase(std::string_view a, std::string_view b) noexcept;

// The letters of Windows-1252 beyond ASCII are two bytes in UTF-8: Latin-1's
// À-Þ and à-þ (but for × and ÷), and Š Œ Ž Ÿ with their small letters. The
// two bytes at `letter` become the capital (`upper`) or the small letter of
// such a letter; other characters stay.
void SetLetterCase(char* letter, bool upper) noexcept;
// Whether `byte` may lead such a letter (C3 or C5; C1 and C7 pass too): one
// test, as every byte of every key is folded.
constexpr bool MayLeadLetter(unsigned char byte) noexcept {
  return (byte & 0xF9) == 0xC1;
}

// Whether `byte` is an ASCII letter of the case whose "a" is `first` ('a' or
// 'A'): the other case differs from it in bit 0x20 alone.
constexpr bool IsAsciiLetterOfCase(unsigned char byte, unsigned char first) noexcept {
  return static_cast<unsigned>(byte - first) < 26u;
}
// SetTextCase from the first byte beyond ASCII on.
void SetTextCaseBeyondAscii(std::string_view text, char* out, bool upper) noexcept;
// The text in upper (or lower) case as Windows-1252 has it, written to the
// text.size() bytes at `out`, which may be the text itself: a-z (A-Z), and
// the letters above. Characters beyond the code page stay. Inline, as every
// key of a collection is folded by it.
inline void SetTextCase(std::string_view text, char* out, bool upper) noexcept {
  const unsigned char first = upper ? 'a' : 'A';
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x80) return SetTextCaseBeyondAscii(text.substr(i), out + i, upper);
    out[i] = static_cast<char>(IsAsciiLetterOfCase(byte, first) ? byte ^ 0x20 : byte);
  }
}
// The text in upper case, as SetTextCase makes it.
std::string UpperCase(std::string_view text);

// The pieces one after another, in one allocation.
std::string Concat(std::initializer_list<std::string_view> pieces);

// Every occurrence of `from` replaced by `to`, left to right.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

}  // namespace lombar
