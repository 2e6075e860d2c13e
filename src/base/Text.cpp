#include "base/Text.h"

#include <algorithm>

#include "base/Utf8.h"

namespace lombar {
namespace {

// Removes every occurrence of `pattern`, rescanning across each cut: a stack
// of kept bytes whose tail is checked after each byte finds the same leftmost
// occurrences as restarting the search from the beginning, in one pass.
std::string EliminateWhole(std::string_view text, std::string_view pattern) {
  std::string kept;
  kept.reserve(text.size());
  for (const char c : text) {
    kept.push_back(c);
    if (kept.size() >= pattern.size() &&
        std::string_view(kept).substr(kept.size() - pattern.size()) == pattern) {
      kept.resize(kept.size() - pattern.size());
    }
  }
  return kept;
}

}  // namespace

std::string FitToWidth(std::string_view text, std::size_t width, std::string_view pad,
                       bool pad_left) {
  const std::size_t length = CharCount(text);
  if (length >= width) return std::string(FirstChars(text, width));
  const std::string_view pad_char = FirstChars(pad, 1);
  std::string padding;
  for (std::size_t i = length; i < width; ++i)
    padding.append(pad_char);
  return pad_left ? padding + std::string(text) : std::string(text) + padding;
}

std::string Eliminate(std::string_view text, std::string_view chars, bool whole) {
  if (text.empty() || chars.empty()) return std::string(text);
  if (whole) return EliminateWhole(text, chars);
  std::string result(text);
  while (!chars.empty()) {
    const std::size_t width = CharWidth(chars);
    result = ReplaceAll(result, chars.substr(0, width), "");
    chars.remove_prefix(width);
  }
  return result;
}

std::string QuotedValue(std::string_view value) {
  const auto enclosed_by = [value](char quote) {
    return !value.empty() && value.front() == quote && value.back() == quote;
  };
  if (value.find('"') == std::string_view::npos) return '"' + std::string(value) + '"';
  if (enclosed_by('"')) return std::string(value);
  if (value.find('\'') == std::string_view::npos) return '\'' + std::string(value) + '\'';
  if (enclosed_by('\'')) return std::string(value);
  const std::string bare = Eliminate(Eliminate(value, "\"", true), "'", true);
  return '"' + bare + '"';
}

std::string_view TrimOuterSpaces(std::string_view text) noexcept {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) noexcept {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

namespace {

// The letters beyond Latin-1 with their small letters, each as its UTF-8 bytes.
struct CasePair {
  unsigned char capital[2];
  unsigned char small[2];
};
constexpr CasePair kCasePairsBeyondLatin1[] = {
    {{0xC5, 0xA0}, {0xC5, 0xA1}},  // Š š
    {{0xC5, 0x92}, {0xC5, 0x93}},  // Œ œ
    {{0xC5, 0xBD}, {0xC5, 0xBE}},  // Ž ž
    {{0xC5, 0xB8}, {0xC3, 0xBF}},  // Ÿ ÿ
};
// Latin-1's letters: U+00C0..U+00DE and U+00E0..U+00FE are C3 80..9E and
// C3 A0..BE, the multiplication and division signs (C3 97, C3 B7) aside.
constexpr unsigned char kLatin1Lead = 0xC3;
constexpr unsigned char kCaseDistance = 0x20;
bool IsLatin1Letter(unsigned char next, bool small) noexcept {
  const unsigned char first = small ? 0xA0 : 0x80;
  return next >= first && next <= first + 0x1E && next != first + 0x17;
}

}  // namespace

void SetLetterCase(char* letter, bool upper) noexcept {
  const auto lead = static_cast<unsigned char>(letter[0]);
  const auto next = static_cast<unsigned char>(letter[1]);
  if (lead == kLatin1Lead && IsLatin1Letter(next, upper)) {
    letter[1] = static_cast<char>(upper ? next - kCaseDistance : next + kCaseDistance);
    return;
  }
  for (const CasePair& pair : kCasePairsBeyondLatin1) {
    const unsigned char* from = upper ? pair.small : pair.capital;
    const unsigned char* to = upper ? pair.capital : pair.small;
    if (lead == from[0] && next == from[1]) {
      letter[0] = static_cast<char>(to[0]);
      letter[1] = static_cast<char>(to[1]);
      return;
    }
  }
}

void SetTextCaseBeyondAscii(std::string_view text, char* out, bool upper) noexcept {
  std::memmove(out, text.data(), text.size());
  const unsigned char first = upper ? 'a' : 'A';
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(out[i]);
    if (IsAsciiLetterOfCase(byte, first)) {
      out[i] = static_cast<char>(byte ^ 0x20);
    } else if (MayLeadLetter(byte) && i + 1 < text.size()) {
      SetLetterCase(&out[i++], upper);
    }
  }
}

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  SetTextCase(upper, upper.data(), true);
  return upper;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  std::size_t position = 0;
  for (std::size_t found; (found = text.find(from, position)) != std::string_view::npos;
       position = found + from.size()) {
    result.append(text.substr(position, found - position)).append(to);
  }
  result.append(text.substr(position));
  return result;
}

std::string Concat(std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (const std::string_view piece : pieces) size += piece.size();
  std::string text;
  text.reserve(size);
  for (const std::string_view piece : pieces) text.append(piece);
  return text;
}

}  // namespace lombar
