#include "base/Utf8.h"

#include <cstdint>
#include <cstring>

#include "base/CodePage.h"

namespace lombar {
namespace {

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Decodes one character; `width` receives its length in bytes. Returns -1 for
// an invalid sequence, whose first byte then counts as one character.
long DecodeChar(std::string_view utf8, std::size_t& width) {
  const auto lead = static_cast<unsigned char>(utf8[0]);
  width = 1;
  if (lead < 0x80) return lead;
  std::size_t length = 0;
  long code = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07;
  } else {
    return -1;
  }
  if (utf8.size() < length) return -1;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (!IsContinuation(byte)) return -1;
    code = (code << 6) | (byte & 0x3F);
  }
  static constexpr long kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return -1;
  width = length;
  return code;
}

// The length of the run of ASCII bytes at the start of `text`; such runs are
// the same in both encodings and are copied whole.
std::size_t AsciiRun(std::string_view text) noexcept {
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  std::size_t run = 0;
  // Long texts (a whole document, a collection's members) go 64 bytes at a time.
  for (std::uint64_t words[8]; run + sizeof words <= text.size(); run += sizeof words) {
    std::memcpy(words, text.data() + run, sizeof words);
    const std::uint64_t low = (words[0] | words[1]) | (words[2] | words[3]);
    const std::uint64_t high = (words[4] | words[5]) | (words[6] | words[7]);
    if ((low | high) & kHighBits) break;
  }
  for (std::uint64_t word; run + sizeof word <= text.size(); run += sizeof word) {
    std::memcpy(&word, text.data() + run, sizeof word);  // eight bytes tested at once
    if (word & kHighBits) break;
  }
  while (run < text.size() && static_cast<unsigned char>(text[run]) < 0x80)
    ++run;
  return run;
}

}  // namespace

// Each run of ASCII is copied whole; each other character becomes its byte.
std::string CodePage::FromUtf8(std::string_view utf8) const {
  std::string bytes;
  bytes.reserve(utf8.size());
  while (!utf8.empty()) {
    const std::size_t run = AsciiRun(utf8);
    bytes.append(utf8.substr(0, run));
    utf8.remove_prefix(run);
    if (utf8.empty()) break;
    std::size_t width = 1;
    const long code = DecodeChar(utf8, width);
    bytes.push_back(code < 0 ? '?' : ByteOf(static_cast<char32_t>(code)));
    utf8.remove_prefix(width);
  }
  return bytes;
}

std::string CodePage::ToUtf8(std::string_view bytes) const {
  std::string utf8;
  utf8.reserve(bytes.size() + bytes.size() / 8);
  while (!bytes.empty()) {
    const std::size_t run = AsciiRun(bytes);
    utf8.append(bytes.substr(0, run));
    bytes.remove_prefix(run);
    if (bytes.empty()) break;
    const Upper& upper = upper_[static_cast<unsigned char>(bytes.front()) - 0x80];
    utf8.push_back(upper.utf8[0]);
    utf8.push_back(upper.utf8[1]);
    if (upper.utf8_size == 3) utf8.push_back(upper.utf8[2]);
    bytes.remove_prefix(1);
  }
  return utf8;
}

std::string CodePageFromUtf8(std::string_view utf8) {
  return ProcessCodePage().FromUtf8(utf8);
}

std::string Utf8FromCodePage(std::string_view bytes) {
  return ProcessCodePage().ToUtf8(bytes);
}

bool LongTextIsAscii(std::string_view text) noexcept {
  return AsciiRun(text) == text.size();
}

std::size_t CharWidth(std::string_view utf8) noexcept {
  if (utf8.empty()) return 0;
  std::size_t width = 1;
  DecodeChar(utf8, width);
  return width;
}

std::size_t CharCount(std::string_view utf8) noexcept {
  std::size_t count = 0;
  while (!utf8.empty()) {
    utf8.remove_prefix(CharWidth(utf8));
    ++count;
  }
  return count;
}

std::string_view FirstChars(std::string_view utf8, std::size_t count) noexcept {
  std::size_t bytes = 0;
  for (; count > 0 && bytes < utf8.size(); --count)
    bytes += CharWidth(utf8.substr(bytes));
  return utf8.substr(0, bytes);
}

}  // namespace lombar
