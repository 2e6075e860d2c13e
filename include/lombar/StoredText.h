// A text as the record classes keep their values: eight bytes, holding the
// text itself when it has at most seven bytes and otherwise a pointer to one
// block with its length and bytes. Most stored values are empty or short, so
// a record with dozens of texts stays small and reading it allocates little.
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
  StoredText(const StoredText& other) { Assign(other.View()); }
  StoredText(StoredText&& other) noexcept : word_(std::exchange(other.word_, 0)) {}
  StoredText& operator=(const StoredText& other) {
    Assign(other.View());
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

  std::string_view View() const noexcept {
    if (IsInline()) return {InlineBytes(), static_cast<std::size_t>((word_ & 0xFF) >> 1)};
    if (word_ == 0) return {};
    const Block* block = HeapBlock();
    return {BytesOf(block), block->size};
  }
  operator std::string_view() const noexcept { return View(); }  // NOLINT: read as a view
  std::string String() const { return std::string(View()); }
  // The empty text is word 0 (nothing assigned) or the inline word of no
  // bytes (1): a heap block always holds more than seven.
  bool empty() const noexcept { return word_ <= 1; }
  std::size_t size() const noexcept { return View().size(); }

  friend bool operator==(const StoredText& a, std::string_view b) noexcept {
    return a.View() == b;
  }
  friend bool operator==(const StoredText& a, const StoredText& b) noexcept {
    return a.View() == b.View();
  }

 private:
  static_assert(std::endian::native == std::endian::little,
                "the inline form keeps its length in the word's lowest byte");
  static constexpr std::size_t kInlineCapacity = sizeof(std::uint64_t) - 1;

  // The heap form: the bytes follow their length in one allocation (a
  // header of four bytes, so that texts up to twenty bytes take the smallest
  // block). A later value no longer than the block's reuses it.
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
    return reinterpret_cast<Block*>(static_cast<std::uintptr_t>(word_));
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
  static std::uint64_t InlineWord(std::string_view text) noexcept {
    std::uint64_t word = (static_cast<std::uint64_t>(text.size()) << 1) | 1;
    char* bytes = reinterpret_cast<char*>(&word) + 1;
    for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = text[i];
    return word;
  }
  void AssignSlowly(std::string_view text);
  void Release() noexcept {
    if (!IsInline() && word_ != 0) FreeBlock(HeapBlock());
  }
  static void FreeBlock(Block* block) noexcept;

  std::uint64_t word_ = 0;  // 0: the empty text
};

}  // namespace lombar
