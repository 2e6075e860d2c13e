// Values packed into a text, as collections keep the members they read
// until one is reached (CollectionBase::MembersWaiting): numbers and texts
// in a few bytes, a collection's packed members with their count, and the
// keys a collection being read has met.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lombar {

// Most numbers and lengths packed take one byte, which these take inline.
void AppendLongPackedNumber(std::string& packed, std::size_t number);
std::size_t TakeLongPackedNumber(std::string_view& packed) noexcept;
inline void AppendPackedNumber(std::string& packed, std::size_t number) {
  if (number >= 0x80) return AppendLongPackedNumber(packed, number);
  packed += static_cast<char>(number);
}
inline std::size_t TakePackedNumber(std::string_view& packed) noexcept {
  const auto first = static_cast<unsigned char>(packed.front());
  if (first >= 0x80) return TakeLongPackedNumber(packed);
  packed.remove_prefix(1);
  return first;
}
inline void AppendPackedText(std::string& packed, std::string_view text) {
  AppendPackedNumber(packed, text.size());
  packed += text;
}
inline std::string_view TakePackedText(std::string_view& packed) noexcept {
  const std::size_t length = TakePackedNumber(packed);
  const std::string_view text = packed.substr(0, length);
  packed.remove_prefix(length);
  return text;
}

// Puts before what `packed` holds from `start` on its length, as a packed
// text has it once its bytes are known; the bytes the length took.
std::size_t InsertPackedLength(std::string& packed, std::size_t start);

// A collection's members packed for waiting (CollectionBase::MembersWaiting):
// their count, a 16-bit value as a collection's Count, in two bytes, then
// each member packed. StartPackedMembers makes room for the count;
// EndPackedMembers writes it, or takes the room back when there are none.
std::size_t StartPackedMembers(std::string& packed);
void EndPackedMembers(std::string& packed, std::size_t start, std::size_t count);
std::size_t TakePackedCount(std::string_view& packed) noexcept;

// The keys a collection being read met, folded as a keyed collection
// compares them: Add is false for one met already.
// Only a few large blocks are allocated, given back whole when it goes.
class MetKeys {
 public:
  bool Add(std::string_view key);

 private:
  // Up to this many keys are found by walking them, as a keyed collection
  // walks its few; beyond, by hash.
  static constexpr std::size_t kWalked = 8;
  std::string keys_;  // each folded key met, as a packed text
  std::size_t count_ = 0;
  // Open addressing, a power of two at most half full: each place the high
  // half of a key's hash and one more than where the key starts in keys_.
  std::vector<std::uint64_t> places_;
  // Whether `folded` was met; if not, `slot` is the free place for it.
  bool Found(std::string_view folded, std::uint64_t hash, std::size_t& slot) const;
  void PlaceAll();
};

}  // namespace lombar
