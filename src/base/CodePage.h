// The single-byte code pages the library's text buffer holds its characters
// in, the conversions between them and UTF-8, and the one the process uses.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lombar {

// A code page of one byte a character whose lower half is ASCII: the
// character of each upper byte, and the way back. A character the page
// lacks becomes "?".
class CodePage {
 public:
  // `upper[i]` is the character of the byte 0x80 + i. A character two bytes
  // claim goes back to the lower byte; Windows' single-byte pages have none.
  CodePage(std::uint32_t number, const std::array<char32_t, 128>& upper);

  std::uint32_t Number() const noexcept { return number_; }
  // The byte of a character; "?" when the page lacks it.
  char ByteOf(char32_t character) const noexcept {
    if (character < 0x80) return static_cast<char>(character);
    return character <= 0xFF ? latin_[character - 0x80] : ByteBeyondLatin1(character);
  }

  // Each character becomes one byte; a byte that is no valid UTF-8 becomes "?".
  std::string FromUtf8(std::string_view utf8) const;
  std::string ToUtf8(std::string_view bytes) const;

 private:
  // The UTF-8 form of an upper byte's character, ready to be copied out.
  struct Upper {
    std::array<char, 3> utf8{};
    std::uint8_t utf8_size = 0;
  };
  struct Beyond {
    char32_t character;
    char byte;
  };

  char ByteBeyondLatin1(char32_t character) const noexcept;

  std::uint32_t number_;
  std::array<Upper, 128> upper_{};
  // The byte of each of U+0080..U+00FF, "?" when the page lacks it.
  std::array<char, 128> latin_{};
  // The characters past U+00FF the page holds, sorted, and their bytes.
  std::array<Beyond, 128> beyond_{};
  std::size_t beyond_count_ = 0;
};

// Windows-1252, the Americas' and Western Europe's: every Latin-1 character
// but the C1 controls U+0080..U+009F, whose bytes hold € ‚ ƒ „ … † ‡ ˆ ‰ Š ‹
// Œ Ž ‘ ’ “ ” • – — ˜ ™ š › œ ž Ÿ. Its five undefined bytes (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) stand for the C1 controls of the same number, as on Windows.
const CodePage& Windows1252() noexcept;
// ISO 8859-1 (28591), Latin-1: every byte the character of the same number.
const CodePage& Latin1() noexcept;
// The page of the number written in `name` ("1252", "28591"); null for any other.
const CodePage* KnownCodePage(std::string_view name) noexcept;

namespace code_page_detail {
// The process's page; null until the library's load chooses one.
extern std::atomic<const CodePage*> process_page;
}  // namespace code_page_detail

// The code page of the process, Windows-1252 until another is chosen. It is
// chosen once, as the library is loaded; the page must outlive every use.
// Inline: every text read or written asks.
inline const CodePage& ProcessCodePage() noexcept {
  const CodePage* page = code_page_detail::process_page.load(std::memory_order_acquire);
  return page ? *page : Windows1252();
}
void UseProcessCodePage(const CodePage& page) noexcept;

// The conversions in the process's code page.
std::string CodePageFromUtf8(std::string_view utf8);
std::string Utf8FromCodePage(std::string_view bytes);

}  // namespace lombar
