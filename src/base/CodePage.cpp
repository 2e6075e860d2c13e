#include "base/CodePage.h"

#include <algorithm>
#include <string>

#include "base/CodePointUtf8.h"

namespace lombar {
namespace {

// The UTF-8 bytes of a character of a code page's upper half: two or three.
std::array<char, 3> Utf8Of(char32_t character, std::uint8_t& size) {
  std::string bytes;
  AppendUtf8(bytes, character);
  std::array<char, 3> utf8{};
  std::copy(bytes.begin(), bytes.end(), utf8.begin());
  size = static_cast<std::uint8_t>(bytes.size());
  return utf8;
}

// The upper half of Windows-1252: 0x80..0x9F as Windows has them, the rest Latin-1.
std::array<char32_t, 128> Windows1252Upper() {
  static constexpr char32_t kFirstRow[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};  // 98
  std::array<char32_t, 128> upper{};
  for (std::size_t i = 0; i < upper.size(); ++i)
    upper[i] = i < std::size(kFirstRow) ? kFirstRow[i] : static_cast<char32_t>(0x80 + i);
  return upper;
}

std::array<char32_t, 128> Latin1Upper() {
  std::array<char32_t, 128> upper{};
  for (std::size_t i = 0; i < upper.size(); ++i)
    upper[i] = static_cast<char32_t>(0x80 + i);
  return upper;
}

}  // namespace

std::atomic<const CodePage*> code_page_detail::process_page{nullptr};

CodePage::CodePage(std::uint32_t number, const std::array<char32_t, 128>& upper)
    : number_(number) {
  latin_.fill('?');
  // Of two bytes of one character, the lower is the one it goes back to.
  for (std::size_t i = 0; i < upper.size(); ++i) {
    const char32_t character = upper[i];
    const char byte = static_cast<char>(0x80 + i);
    upper_[i].utf8 = Utf8Of(character, upper_[i].utf8_size);
    if (character >= 0x80 && character <= 0xFF) {
      if (latin_[character - 0x80] == '?') latin_[character - 0x80] = byte;
    } else if (character > 0xFF) {
      beyond_[beyond_count_++] = {character, byte};
    }
  }
  // Stable: of equal characters the lower byte stays first, where the search lands.
  std::stable_sort(beyond_.begin(), beyond_.begin() + beyond_count_,
                   [](const Beyond& a, const Beyond& b) { return a.character < b.character; });
}

char CodePage::ByteBeyondLatin1(char32_t character) const noexcept {
  const auto end = beyond_.begin() + beyond_count_;
  const auto found = std::lower_bound(
      beyond_.begin(), end, character,
      [](const Beyond& entry, char32_t wanted) { return entry.character < wanted; });
  return found != end && found->character == character ? found->byte : '?';
}

const CodePage& Windows1252() noexcept {
  static const CodePage page(1252, Windows1252Upper());
  return page;
}

const CodePage& Latin1() noexcept {
  static const CodePage page(28591, Latin1Upper());
  return page;
}

const CodePage* KnownCodePage(std::string_view name) noexcept {
  if (name == "1252") return &Windows1252();
  if (name == "28591") return &Latin1();
  return nullptr;
}

void UseProcessCodePage(const CodePage& page) noexcept {
  code_page_detail::process_page.store(&page, std::memory_order_release);
}

}  // namespace lombar
