// Character counting on the UTF-8 texts of the C++ interface, and the test
// for ASCII that lets a text pass the code page unconverted (the conversions
// themselves are in CodePage.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Words.h"

namespace lombar {

// True when every byte is ASCII: the text is then the same in UTF-8 and in
// every code page.
// Up to sixteen bytes (names, most values) the text is tested here, by two
// overlapping words of a fixed size, without a call.
bool LongTextIsAscii(std::string_view text) noexcept;
inline bool IsAscii(std::string_view text) noexcept {
  const std::size_t n = text.size();
  const char* const at = text.data();
  if (n > 16) return LongTextIsAscii(text);
  if (n >= 8) {
    return ((WordAt<std::uint64_t>(at) | WordAt<std::uint64_t>(at + n - 8)) &
            0x8080808080808080U) == 0;
  }
  if (n >= 4) {
    return ((WordAt<std::uint32_t>(at) | WordAt<std::uint32_t>(at + n - 4)) & 0x80808080U) == 0;
  }
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
