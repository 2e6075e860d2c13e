#include "text/XmlEscape.h"

#include "base/Text.h"

namespace lombar {

std::string EscapeValue(std::string_view value) {
  if (IsMarkup(value)) return std::string(value);
  std::string escaped;
  escaped.reserve(value.size());
  for (const char c : value) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '\'':
        escaped += "&apos;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string UnescapeValue(std::string_view value) {
  if (IsMarkup(value) || value.find('&') == std::string_view::npos) return std::string(value);
  // Decoded one entity at a time, "&amp;" last, so "&amp;lt;" stays "&lt;".
  std::string text = ReplaceAll(value, "&lt;", "<");
  text = ReplaceAll(text, "&gt;", ">");
  text = ReplaceAll(text, "&apos;", "'");
  text = ReplaceAll(text, "&quot;", "\"");
  return ReplaceAll(text, "&amp;", "&");
}

}  // namespace lombar
