// A code point's UTF-8 bytes, for readers that turn references and escapes
// (XML's &#...;, JSON's \u...) into text and for the code pages' tables.
#pragma once

#include <cstdint>
#include <string>

namespace lombar {

inline void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) return out.push_back(static_cast<char>(code));
  if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
  } else {
    if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    }
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  }
  out += static_cast<char>(0x80 | (code & 0x3F));
}

}  // namespace lombar
