// Conversions between the UTF-8 texts of the C++ interface and the library's
// single-byte code page (Latin-1), and character counting on UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace lombar {

// Each character becomes one byte; one that Latin-1 cannot hold, or a byte
// that is no valid UTF-8, becomes "?".
std::string Latin1FromUtf8(std::string_view utf8);
std::string Utf8FromLatin1(std::string_view latin1);
// True when every byte is ASCII: the text is then the same in both encodings.
// Up to sixteen bytes (names, most values) the text is tested here, by two
// overlapping words of a fixed size, without a call.
bool LongTextIsAscii(std::string_view text) noexcept;
inline bool IsAscii(std::string_view text) noexcept {
  const std::size_t n = text.size();
  const auto high_bits = [&](std::size_t at, auto word) {
    std::memcpy(&word, text.data() + at, sizeof word);
    return word & static_cast<decltype(word)>(0x8080808080808080U);
  };
  if (n > 16) return LongTextIsAscii(text);
  if (n >= 8) return (high_bits(0, std::uint64_t{}) | high_bits(n - 8, std::uint64_t{})) == 0;
  if (n >= 4) return (high_bits(0, std::uint32_t{}) | high_bits(n - 4, std::uint32_t{})) == 0;
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Number of characters (code points) in a UTF-8 text; a stray byte counts as one.
std::size_t CharCount(std::string_view utf8) noexcept;
// The first `count` characters of a UTF-8 text (all of it when shorter).
std::string_view FirstChars(std::string_view utf8, std::size_t count) noexcept;
// The byte length of the character starting at `utf8[0]` (1 for a stray byte).
std::size_t CharWidth(std::string_view utf8) noexcept;

}  // namespace lombar
