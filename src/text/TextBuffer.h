// The library's growable single-byte text buffer. Texts enter and leave as
// UTF-8 and are held one byte per character in the process's code page
// (base/CodePage.h), so every position, length and count is a 1-based
// character position.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

#include "base/Utf8.h"

namespace lombar {

class TextBuffer {
 public:
  static constexpr std::int32_t kInitialCapacity = 2048;

  TextBuffer();
  explicit TextBuffer(std::string_view text);

  // The capacity as callers observe it: exact sizes, set by the growth rules
  // below. The storage itself grows geometrically, so long runs of appends
  // stay linear.
  std::int32_t Capacity() const noexcept { return std::max(capacity_, Length()); }
  // capacity := size; the content is discarded only when `clear` is true and
  // the buffer is empty, otherwise its first bytes are kept.
  void SetBufferSize(std::int32_t size, bool clear);

  std::string Value() const;
  // The value, leaving the buffer empty: its bytes are handed over when they
  // are ASCII, the same in UTF-8.
  std::string TakeValue();
  // Replaces the text; the capacity grows to exactly its length when it does
  // not fit.
  void SetValue(std::string_view text);
  std::int32_t Length() const noexcept { return static_cast<std::int32_t>(length_); }

  // Error 5 "Invalid length" for a negative n.
  TextBuffer Left(std::int32_t n) const;
  TextBuffer Right(std::int32_t n) const;
  // Error 5 "Invalid starting position" for a negative start, "Invalid
  // length" for a negative count; start 0 raises error 9.
  TextBuffer Mid(std::int32_t start) const;
  TextBuffer Mid(std::int32_t start, std::int32_t count) const;

  // Position of the first occurrence at or after `start`, or 0; an empty
  // search gives 0. Exact, case-sensitive comparison.
  std::int32_t Instr(std::string_view search, std::int32_t start) const;
  std::int32_t Instr(const TextBuffer& search, std::int32_t start) const;

  TextBuffer& Append(std::string_view text);
  // Texts the caller knows to be ASCII, one after another, with one
  // capacity check and no conversion.
  // Inline, so that the brackets among the pieces are known where it is called.
  TextBuffer& AppendAscii(std::initializer_list<std::string_view> texts) {
    std::size_t total = 0;
    for (const std::string_view text : texts)
      total += text.size();
    // One resize and plain copies: the pieces are short, and an append each
    // cost more in its checks than in its copying.
    char* out = Extend(total);
    for (const std::string_view text : texts)
      out = CopyOut(out, text);
    return *this;
  }
  // "<tag>content</tag>", from pieces as AppendAscii takes them: the element
  // written most often of all, its brackets set in place instead of copied.
  TextBuffer& AppendElement(std::string_view tag, std::string_view content) {
    SetElement(Extend(ElementSize(tag, content)), tag, content);
    return *this;
  }
  // AppendElement when the room it takes is there already, as it is for
  // most elements: nothing can fail then. False, nothing written, when not.
  bool AppendElementInRoom(std::string_view tag, std::string_view content) noexcept {
    const std::size_t size = ElementSize(tag, content);
    if (bytes_.size() - length_ < size) return false;
    SetElement(Extend(size), tag, content);
    return true;
  }
  // "</tag>", set in place as AppendElement sets its brackets; the tag in
  // the buffer's code page.
  TextBuffer& AppendEndTag(std::string_view tag) {
    all_ascii_ = all_ascii_ && IsAscii(tag);
    char* out = Extend(tag.size() + 3);
    *out++ = '<';
    *out++ = '/';
    out = CopyOut(out, tag);
    *out = '>';
    return *this;
  }
  TextBuffer& Append(const TextBuffer& other);

  // Storage for `more` bytes beyond those held, and a sixteenth besides, so
  // that an estimate a little short still fits; storage that must grow at
  // least doubles, so repeated estimates stay linear. The capacity callers
  // observe is not changed.
  void ReserveFor(std::size_t more) {
    const std::size_t needed = length_ + more + more / 16;
    if (needed > bytes_.capacity()) bytes_.reserve(std::max(needed, 2 * bytes_.capacity()));
  }

  // The held bytes in the buffer's code page, for code that searches them directly.
  std::string_view Bytes() const noexcept { return {bytes_.data(), length_}; }
  // Replaces `count` held bytes from the 0-based byte offset `at` (to the end
  // when fewer follow) by code-page bytes, for code that edits them directly.
  TextBuffer& ReplaceBytes(std::size_t at, std::size_t count, std::string_view bytes);
  // The same with ASCII texts, one after another, as AppendAscii takes them.
  TextBuffer& ReplaceAscii(std::size_t at, std::size_t count,
                           std::initializer_list<std::string_view> texts) {
    std::size_t total = 0;
    for (const std::string_view text : texts)
      total += text.size();
    char* out = Reshape(at, count, total);
    for (const std::string_view text : texts)
      out = CopyOut(out, text);
    return *this;
  }
  // A buffer holding these code-page bytes; capacity as a new buffer, grown to fit.
  static TextBuffer FromBytes(std::string_view bytes);

 private:
  std::int32_t InstrBytes(std::string_view search, std::int32_t start) const;
  TextBuffer& AppendBytes(std::string_view bytes, bool ascii);
  // The capacity grows to exactly the length the appends reach, which
  // Capacity counts itself, so that no append notes it; the storage grows
  // by its own rule. What cuts the text notes the capacity first.
  void KeepCapacity() noexcept { capacity_ = Capacity(); }
  static std::size_t ElementSize(std::string_view tag, std::string_view content) noexcept {
    return 2 * tag.size() + content.size() + 5;
  }
  static void SetElement(char* out, std::string_view tag, std::string_view content) noexcept {
    *out++ = '<';
    out = CopyOut(out, tag);
    *out++ = '>';
    out = CopyOut(out, content);
    *out++ = '<';
    *out++ = '/';
    out = CopyOut(out, tag);
    *out = '>';
  }
  // `more` bytes added after the held ones, for the caller to fill: where they start.
  char* Extend(std::size_t more) {
    if (bytes_.size() - length_ < more) MakeRoom(more);
    char* out = bytes_.data() + length_;
    length_ += more;
    return out;
  }
  // Sizes the held string for `more` bytes and some room after them, so
  // that most extensions find their bytes already there: sizing a string
  // fills what it adds, which cost more than the copies themselves when
  // done for every element.
  void MakeRoom(std::size_t more);
  // Makes the `count` held bytes from `at` (fewer when fewer follow) into
  // `size` bytes for the caller to fill: where they start.
  char* Reshape(std::size_t at, std::size_t count, std::size_t size);
  // The held string cut to the held bytes, for the operations of its own.
  std::string& Settled() {
    bytes_.resize(length_);
    return bytes_;
  }
  // Most pieces are a tag or a short value: up to sixteen bytes are copied
  // by two overlapping fixed-size moves, without a call.
  static char* CopyOut(char* out, std::string_view text) noexcept {
    const char* from = text.data();
    const std::size_t n = text.size();
    if (n > 16) {
      std::char_traits<char>::copy(out, from, n);
    } else if (n >= 8) {
      CopyFixed<8>(out, from);
      CopyFixed<8>(out + n - 8, from + n - 8);
    } else if (n >= 4) {
      CopyFixed<4>(out, from);
      CopyFixed<4>(out + n - 4, from + n - 4);
    } else {
      for (std::size_t i = 0; i < n; ++i)
        out[i] = from[i];
    }
    return out + n;
  }
  template <std::size_t N>
  static void CopyFixed(char* out, const char* from) noexcept {
    char chunk[N];
    std::memcpy(chunk, from, N);
    std::memcpy(out, chunk, N);
  }

  // The held bytes are the first length_ of bytes_; what follows them is
  // room already sized for the next extensions.
  std::string bytes_;
  std::size_t length_ = 0;
  std::int32_t capacity_ = 0;
  // Every held byte is known to be ASCII, as each way in notes what it
  // adds: the value is then handed over without a look at each byte. False
  // may be said of an ASCII text, never true of another.
  bool all_ascii_ = true;
};

}  // namespace lombar
