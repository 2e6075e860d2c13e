// The five entities of XML values, written and read back.
#pragma once

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

// & < > ' " as their entities, for element and attribute values; markup stays as it is.
std::string EscapeValue(std::string_view value);
// The five entities decoded, each once ("&amp;lt;" gives "&lt;"); markup stays as it is.
std::string UnescapeValue(std::string_view value);

}  // namespace lombar
