// The five entities of XML values, written and read back.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lombar {

// Whether a value is markup, "<...>": it is written and read as it is.
inline bool IsMarkup(std::string_view value) noexcept {
  return !value.empty() && value.front() == '<' && value.back() == '>';
}

// Whether writing `c` in a value takes an entity.
constexpr bool IsEscaped(char c) noexcept {
  return c == '&' || c == '<' || c == '>' || c == '\'' || c == '"';
}

// What a byte is to a value written: escaped, not ASCII (so converted), "="
// (which an attribute's search looks for). One look-up a byte, as every
// value written passes through here.
enum ValueByte : std::uint8_t { kEscapedByte = 1, kNonAsciiByte = 2, kEqualsByte = 4 };
inline constexpr std::array<std::uint8_t, 256> kValueBytes = [] {
  std::array<std::uint8_t, 256> kinds{};
  for (int c = 0; c < 256; ++c) {
    kinds[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(
        (IsEscaped(static_cast<char>(c)) ? kEscapedByte : 0) | (c >= 0x80 ? kNonAsciiByte : 0) |
        (c == '=' ? kEqualsByte : 0));
  }
  return kinds;
}();
// The kinds of byte a value holds, together.
inline std::uint8_t ValueBytes(std::string_view value) noexcept {
  std::uint8_t kinds = 0;
  for (const char c : value)
    kinds |= kValueBytes[static_cast<unsigned char>(c)];
  return kinds;
}
// Whether a value is written as it is: nothing escaped, nothing converted.
inline bool IsPlainValue(std::string_view value) noexcept {
  return (ValueBytes(value) & (kEscapedByte | kNonAsciiByte)) == 0;
}

// & < > ' " as their entities, for element and attribute values; markup stays as it is.
std::string EscapeValue(std::string_view value);
// The five entities decoded, each once ("&amp;lt;" gives "&lt;"); markup stays as it is.
std::string UnescapeValue(std::string_view value);

}  // namespace lombar
