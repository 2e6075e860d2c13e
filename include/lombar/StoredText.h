// A text as the record classes keep their values: eight bytes, holding the
// text itself when it has at most seven bytes and otherwise a pointer to one
// block with its length and bytes. Most stored values are empty or short, so
// a record with dozens of texts stays small and reading it allocates little.
// A longer text read again and again (a seller location in every price) can
// be stored as one block that its texts share, counted, and never changed
// in place.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace lombar {

class StoredText {
 public:
  StoredText() noexcept = default;
  StoredText(std::string_view text) { Assign(text); }  // NOLINT: texts convert freely
  StoredText(const StoredText& other) { CopyFrom(other); }
  StoredText(StoredText&& other) noexcept : word_(std::exchange(other.word_, 0)) {}
  StoredText& operator=(const StoredText& other) {
    if (this != &other) CopyFrom(other);
    return *this;
  }
  StoredText& operator=(StoredText&& other) noexcept {
    std::swap(word_, other.word_);
    return *this;
  }
  StoredText& operator=(std::string_view text) {
    Assign(text);
    return *this;
  }
  ~StoredText() { Release(); }

  // Stores `text` as operator= does, but a text of more than seven bytes
  // shares its block with the same bytes stored this way lately on this
  // thread: for the values a document repeats, read into record after record.
  void AssignShared(std::string_view text) {
    if (text.size() <= kInlineCapacity) return Assign(text);
    AssignSharedSlowly(text);
  }

  std::string_view View() const noexcept {
    if (IsInline()) return {InlineBytes(), static_cast<std::size_t>((word_ & 0xFF) >> 1)};
    if (word_ == 0) return {};
    const Block* block = HeapBlock();
    return {BytesOf(block), block->size};
  }
  operator std::string_view() const noexcept { return View(); }  // NOLINT: read as a view
  std::string String() const { return std::string(View()); }
  // Only the inline form holds the empty text (word 1), or nothing yet does (word 0).
  bool empty() const noexcept { return word_ <= 1; }
  std::size_t size() const noexcept { return View().size(); }
  // Whether the text shares its block with others (AssignShared, or a copy of such a text).
  bool Shares() const noexcept { return (word_ & (kSharedBit | 1)) == kSharedBit; }

  friend bool operator==(const StoredText& a, std::string_view b) noexcept { return a.View() == b; }
  friend bool operator==(const StoredText& a, const StoredText& b) noexcept {
    return a.View() == b.View();
  }

 private:
  static_assert(std::endian::native == std::endian::little,
                "the inline form keeps its length in the word's lowest byte");
  static constexpr std::size_t kInlineCapacity = sizeof(std::uint64_t) - 1;
  // A shared block's word has this bit set (a block's address has it free;
  // in the inline form it is the length's): the count of the texts that
  // share it lies in the four bytes before it.
  static constexpr std::uint64_t kSharedBit = 2;

  // The heap form: the bytes follow their length in one allocation (a
  // header of four bytes, so that texts up to twenty bytes take the smallest
  // block). A later value no longer than the block's reuses it, unless the
  // block is shared.
  struct Block {
    std::uint32_t size;
  };
  static char* BytesOf(Block* block) noexcept { return reinterpret_cast<char*>(block + 1); }
  static const char* BytesOf(const Block* block) noexcept {
    return reinterpret_cast<const char*>(block + 1);
  }

  // The inline form has its lowest bit set (a block's address never does),
  // the length in the rest of the lowest byte, the bytes after it.
  bool IsInline() const noexcept { return (word_ & 1) != 0; }
  const char* InlineBytes() const noexcept { return reinterpret_cast<const char*>(&word_) + 1; }
  Block* HeapBlock() const noexcept {
    return reinterpret_cast<Block*>(static_cast<std::uintptr_t>(word_ & ~kSharedBit));
  }

  // A short text over an inline one (most values read) is stored here,
  // without a call; the rest is left to AssignSlowly.
  void Assign(std::string_view text) {
    if (text.size() <= kInlineCapacity && (IsInline() || word_ == 0)) {
      word_ = InlineWord(text);
    } else {
      AssignSlowly(text);
    }
  }
  // A copy of a shared text shares its block too; of any other, its bytes.
  void CopyFrom(const StoredText& other) {
    if (other.Shares()) {
      ShareWord(other.word_);
    } else {
      Assign(other.View());
    }
  }
  static std::uint64_t InlineWord(std::string_view text) noexcept {
    std::uint64_t word = (static_cast<std::uint64_t>(text.size()) << 1) | 1;
    char* bytes = reinterpret_cast<char*>(&word) + 1;
    for (std::size_t i = 0; i < text.size(); ++i)
      bytes[i] = text[i];
    return word;
  }
  void AssignSlowly(std::string_view text);
  void AssignSharedSlowly(std::string_view text);
  // Takes one more share of a shared block's word in place of this text.
  void ShareWord(std::uint64_t shared);
  void Release() noexcept {
    if (!IsInline() && word_ != 0) FreeBlock(word_);
  }
  static void FreeBlock(std::uint64_t word) noexcept;

  std::uint64_t word_ = 0;  // 0: the empty text
};

}  // namespace lombar
