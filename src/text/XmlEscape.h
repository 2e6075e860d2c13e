// The five entities of XML values, written and read back.
#pragma once

#include <array>
#include <cstddef>
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

// For each byte, whether a value holding it is written other than as it is:
// it is escaped, or not ASCII and so converted.
inline constexpr std::array<bool, 256> kNotPlainBytes = [] {
  std::array<bool, 256> kinds{};
  for (int c = 0; c < 256; ++c)
    kinds[static_cast<std::size_t>(c)] = IsEscaped(static_cast<char>(c)) || c >= 0x80;
  return kinds;
}();
// Whether a value is written as it is: nothing escaped, nothing converted.
inline bool IsPlainValue(std::string_view value) noexcept {
  bool not_plain = false;
  for (const char c : value)
    not_plain |= kNotPlainBytes[static_cast<unsigned char>(c)];
  return !not_plain;
}

// & < > ' " as their entities, for element and attribute values; markup stays as it is.
std::string EscapeValue(std::string_view value);
// The five entities decoded, each once ("&amp;lt;" gives "&lt;"); markup stays as it is.
std::string UnescapeValue(std::string_view value);

}  // namespace lombar
