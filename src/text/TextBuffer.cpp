#include "text/TextBuffer.h"

#include <algorithm>
#include <functional>

#include "base/CodePage.h"
#include "base/Utf8.h"
#include "text/TextError.h"

namespace lombar {
namespace {

// The source its errors carry: the buffer's name in the library's error reports.
constexpr std::string_view kSource = "CString";

[[noreturn]] void RaiseInvalidLength() {
  throw TextError(kTextInvalidArgument, "Invalid length", kSource);
}
[[noreturn]] void RaiseInvalidStart() {
  throw TextError(kTextInvalidArgument, "Invalid starting position", kSource);
}

}  // namespace

// An empty text's buffer size, set directly: every reader and writer makes one.
TextBuffer::TextBuffer() : capacity_(kInitialCapacity) {}

TextBuffer::TextBuffer(std::string_view text) : TextBuffer() {
  SetValue(text);
}

void TextBuffer::SetBufferSize(std::int32_t size, bool clear) {
  capacity_ = std::max<std::int32_t>(size, 0);
  if (clear && length_ == 0) {
    bytes_ = std::string();
  } else if (Length() > capacity_) {
    Settled().resize(static_cast<std::size_t>(capacity_));
  }
  length_ = std::min(length_, bytes_.size());
}

// Room as large as what is held, up to a kilobyte: a small text (a record's
// own writer) is not made to fill much it never uses.
void TextBuffer::MakeRoom(std::size_t more) {
  constexpr std::size_t kMostRoom = 1024;
  const std::size_t needed = length_ + more;
  bytes_.resize(needed + std::min(needed, kMostRoom));
}

std::string TextBuffer::Value() const {
  return Utf8FromCodePage(Bytes());
}

std::string TextBuffer::TakeValue() {
  std::string& bytes = Settled();
  std::string value = all_ascii_ || IsAscii(bytes) ? std::move(bytes) : Utf8FromCodePage(bytes);
  KeepCapacity();
  bytes_.clear();
  length_ = 0;
  all_ascii_ = true;
  return value;
}

void TextBuffer::SetValue(std::string_view text) {
  std::string bytes = CodePageFromUtf8(text);
  const auto length = static_cast<std::int32_t>(bytes.size());
  KeepCapacity();
  if (length > capacity_) {
    bytes_.clear();
    length_ = 0;
    SetBufferSize(length, true);
  }
  bytes_ = std::move(bytes);
  length_ = bytes_.size();
  all_ascii_ = length_ == 0;
}

TextBuffer TextBuffer::FromBytes(std::string_view bytes) {
  TextBuffer result;
  const auto length = static_cast<std::int32_t>(bytes.size());
  if (length > result.capacity_) result.SetBufferSize(length, true);
  result.bytes_.assign(bytes);
  result.length_ = bytes.size();
  result.all_ascii_ = bytes.empty();
  return result;
}

TextBuffer TextBuffer::Left(std::int32_t n) const {
  if (n < 0) RaiseInvalidLength();
  return FromBytes(Bytes().substr(0, static_cast<std::size_t>(std::min(n, Length()))));
}

TextBuffer TextBuffer::Right(std::int32_t n) const {
  if (n < 0) RaiseInvalidLength();
  const std::int32_t count = std::min(n, Length());
  return FromBytes(Bytes().substr(static_cast<std::size_t>(Length() - count)));
}

TextBuffer TextBuffer::Mid(std::int32_t start) const {
  if (start < 0) RaiseInvalidStart();
  return Mid(start, Length() - start + 1);
}

TextBuffer TextBuffer::Mid(std::int32_t start, std::int32_t count) const {
  if (start < 0) RaiseInvalidStart();
  if (count < 0) RaiseInvalidLength();
  if (start == 0) throw TextError(kTextOutOfRange);  // the position before the first character
  if (start > Length()) return TextBuffer();
  if (start + count > Length()) count = Length() - start + 1;
  return FromBytes(
      Bytes().substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

std::int32_t TextBuffer::Instr(std::string_view search, std::int32_t start) const {
  return InstrBytes(CodePageFromUtf8(search), start);
}

std::int32_t TextBuffer::Instr(const TextBuffer& search, std::int32_t start) const {
  return InstrBytes(search.Bytes(), start);
}

std::int32_t TextBuffer::InstrBytes(std::string_view search, std::int32_t start) const {
  if (search.empty()) return 0;
  const std::int32_t last = Length() - static_cast<std::int32_t>(search.size());  // last 0-based candidate
  if (start - 1 > last) return 0;
  if (start < 1) throw TextError(kTextOutOfRange);
  const std::size_t found = Bytes().find(search, static_cast<std::size_t>(start - 1));
  return found == std::string_view::npos ? 0 : static_cast<std::int32_t>(found) + 1;
}

TextBuffer& TextBuffer::Append(std::string_view text) {
  // Most pieces a writer appends are ASCII: they go in without a converted copy.
  if (IsAscii(text)) return AppendBytes(text, true);
  return AppendBytes(CodePageFromUtf8(text), false);
}

TextBuffer& TextBuffer::Append(const TextBuffer& other) {
  if (&other == this) return AppendBytes(std::string(other.Bytes()), other.all_ascii_);
  return AppendBytes(other.Bytes(), other.all_ascii_);
}

TextBuffer& TextBuffer::AppendBytes(std::string_view bytes, bool ascii) {
  if (bytes.empty()) return *this;
  all_ascii_ = all_ascii_ && ascii;
  Settled().append(bytes);
  length_ = bytes_.size();
  return *this;
}

TextBuffer& TextBuffer::ReplaceBytes(std::size_t at, std::size_t count, std::string_view bytes) {
  const std::less_equal<const char*> at_or_before;
  const bool within = at_or_before(bytes_.data(), bytes.data()) &&
                      at_or_before(bytes.data(), bytes_.data() + bytes_.size());
  all_ascii_ = all_ascii_ && IsAscii(bytes);
  if (within) {  // bytes of the buffer itself: edited as a string, which allows that
    at = std::min(at, length_);
    count = std::min(count, length_ - at);
    KeepCapacity();
    Settled().replace(at, count, bytes);
    length_ = bytes_.size();
    return *this;
  }
  char* const place = Reshape(at, count, bytes.size());
  if (!bytes.empty()) std::memcpy(place, bytes.data(), bytes.size());  // an empty view may hold no pointer
  return *this;
}

// The bytes after the edit move in place, and the room kept after the held
// bytes stays: an edit near the end (an attribute set on the tag just
// written) costs the few bytes it moves, not a resize of the whole string.
char* TextBuffer::Reshape(std::size_t at, std::size_t count, std::size_t size) {
  at = std::min(at, length_);
  count = std::min(count, length_ - at);
  const std::size_t tail = length_ - at - count;
  if (size > count) {
    Extend(size - count);
  } else {
    KeepCapacity();
    length_ -= count - size;
  }
  char* const place = bytes_.data() + at;
  std::memmove(place + size, place + count, tail);
  return place;
}

}  // namespace lombar
