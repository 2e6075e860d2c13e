#include "text/CString.h"

#include <algorithm>

#include "lombar/Error.h"
#include "base/CodePage.h"
#include "base/Utf8.h"

namespace lombar {
namespace {

constexpr std::string_view kSource = "CString";

[[noreturn]] void RaiseInvalidLength() {
  throw Error(kInvalidProcedureCall, "Invalid length", std::string(kSource));
}
[[noreturn]] void RaiseInvalidStart() {
  throw Error(kInvalidProcedureCall, "Invalid starting position", std::string(kSource));
}

}  // namespace

// An empty text's buffer size, set directly: every reader and writer makes one.
CString::CString() : capacity_(kInitialCapacity) {}

CString::CString(std::string_view text) : CString() {
  SetValue(text);
}

void CString::SetBufferSize(Long size, bool clear) {
  capacity_ = std::max<Long>(size, 0);
  if (clear && length_ == 0) {
    bytes_ = std::string();
  } else if (Length() > capacity_) {
    Settled().resize(static_cast<std::size_t>(capacity_));
  }
  length_ = std::min(length_, bytes_.size());
}

// Room as large as what is held, up to a kilobyte: a small text (a record's
// own writer) is not made to fill much it never uses.
void CString::MakeRoom(std::size_t more) {
  constexpr std::size_t kMostRoom = 1024;
  const std::size_t needed = length_ + more;
  bytes_.resize(needed + std::min(needed, kMostRoom));
}

std::string CString::Value() const {
  return Utf8FromCodePage(Bytes());
}

std::string CString::TakeValue() {
  std::string& bytes = Settled();
  std::string value = all_ascii_ || IsAscii(bytes) ? std::move(bytes) : Utf8FromCodePage(bytes);
  bytes_.clear();
  length_ = 0;
  all_ascii_ = true;
  return value;
}

void CString::SetValue(std::string_view text) {
  std::string bytes = CodePageFromUtf8(text);
  const auto length = static_cast<Long>(bytes.size());
  if (length > capacity_) {
    bytes_.clear();
    length_ = 0;
    SetBufferSize(length, true);
  }
  bytes_ = std::move(bytes);
  length_ = bytes_.size();
  all_ascii_ = length_ == 0;
}

CString CString::FromBytes(std::string_view bytes) {
  CString result;
  const auto length = static_cast<Long>(bytes.size());
  if (length > result.capacity_) result.SetBufferSize(length, true);
  result.bytes_.assign(bytes);
  result.length_ = bytes.size();
  result.all_ascii_ = bytes.empty();
  return result;
}

CString CString::Left(Long n) const {
  if (n < 0) RaiseInvalidLength();
  return FromBytes(Bytes().substr(0, static_cast<std::size_t>(std::min(n, Length()))));
}

CString CString::Right(Long n) const {
  if (n < 0) RaiseInvalidLength();
  const Long count = std::min(n, Length());
  return FromBytes(Bytes().substr(static_cast<std::size_t>(Length() - count)));
}

CString CString::Mid(Long start) const {
  if (start < 0) RaiseInvalidStart();
  return Mid(start, Length() - start + 1);
}

CString CString::Mid(Long start, Long count) const {
  if (start < 0) RaiseInvalidStart();
  if (count < 0) RaiseInvalidLength();
  if (start == 0) RaiseRuntime(kSubscriptOutOfRange);  // the position before the first character
  if (start > Length()) return CString();
  if (start + count > Length()) count = Length() - start + 1;
  return FromBytes(
      Bytes().substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

Long CString::Instr(std::string_view search, Long start) const {
  return InstrBytes(CodePageFromUtf8(search), start);
}

Long CString::Instr(const CString& search, Long start) const {
  return InstrBytes(search.Bytes(), start);
}

Long CString::InstrBytes(std::string_view search, Long start) const {
  if (search.empty()) return 0;
  const Long last = Length() - static_cast<Long>(search.size());  // last 0-based candidate
  if (start - 1 > last) return 0;
  if (start < 1) RaiseRuntime(kSubscriptOutOfRange);
  const std::size_t found = Bytes().find(search, static_cast<std::size_t>(start - 1));
  return found == std::string_view::npos ? 0 : static_cast<Long>(found) + 1;
}

CString& CString::Append(std::string_view text) {
  // Most pieces a writer appends are ASCII: they go in without a converted copy.
  if (IsAscii(text)) return AppendBytes(text, true);
  return AppendBytes(CodePageFromUtf8(text), false);
}

CString& CString::Append(const CString& other) {
  if (&other == this) return AppendBytes(std::string(other.Bytes()), other.all_ascii_);
  return AppendBytes(other.Bytes(), other.all_ascii_);
}

CString& CString::AppendBytes(std::string_view bytes, bool ascii) {
  if (bytes.empty()) return *this;
  all_ascii_ = all_ascii_ && ascii;
  GrowFor(bytes.size());
  Settled().append(bytes);
  length_ = bytes_.size();
  return *this;
}

CString& CString::ReplaceBytes(std::size_t at, std::size_t count, std::string_view bytes) {
  at = std::min(at, length_);
  count = std::min(count, length_ - at);
  if (bytes.size() > count) GrowFor(bytes.size() - count);
  all_ascii_ = all_ascii_ && IsAscii(bytes);
  Settled().replace(at, count, bytes);
  length_ = bytes_.size();
  return *this;
}

}  // namespace lombar
