#include "model/support/Packing.h"

#include <functional>

#include "base/Text.h"

namespace lombar {

void AppendLongPackedNumber(std::string& packed, std::size_t number) {
  for (; number >= 0x80; number >>= 7)
    packed += static_cast<char>(0x80 | (number & 0x7F));
  packed += static_cast<char>(number);
}

std::size_t TakeLongPackedNumber(std::string_view& packed) noexcept {
  std::size_t number = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(packed.front());
    packed.remove_prefix(1);
    number |= static_cast<std::size_t>(byte & 0x7F) << shift;
    if (byte < 0x80) return number;
  }
}

std::size_t InsertPackedLength(std::string& packed, std::size_t start) {
  std::string length;
  AppendPackedNumber(length, packed.size() - start);
  packed.insert(start, length);
  return length.size();
}

constexpr std::size_t kPackedCountBytes = 2;

std::size_t StartPackedMembers(std::string& packed) {
  const std::size_t start = packed.size();
  packed.append(kPackedCountBytes, '\0');
  return start;
}

void EndPackedMembers(std::string& packed, std::size_t start, std::size_t count) {
  if (count == 0) return packed.resize(start);
  packed[start] = static_cast<char>(count & 0xFF);
  packed[start + 1] = static_cast<char>(count >> 8);
}

std::size_t TakePackedCount(std::string_view& packed) noexcept {
  const std::size_t count = static_cast<unsigned char>(packed[0]) |
                            static_cast<std::size_t>(static_cast<unsigned char>(packed[1])) << 8;
  packed.remove_prefix(kPackedCountBytes);
  return count;
}

namespace {
constexpr std::uint64_t kPlaceTag = 0xFFFFFFFF00000000;
}  // namespace

bool MetKeys::Add(std::string_view key) {
  std::string folded(key.size(), '\0');
  SetTextCase(key, folded.data(), false);
  const std::uint64_t at = keys_.size();
  if (places_.empty()) {
    for (std::string_view kept = keys_; !kept.empty();) {
      if (TakePackedText(kept) == folded) return false;
    }
    AppendPackedText(keys_, folded);
    if (++count_ > kWalked) PlaceAll();
    return true;
  }
  const std::uint64_t hash = std::hash<std::string_view>()(folded);
  std::size_t slot = 0;
  if (Found(folded, hash, slot)) return false;
  AppendPackedText(keys_, folded);
  places_[slot] = (hash & kPlaceTag) | (at + 1);
  if (2 * ++count_ > places_.size()) PlaceAll();
  return true;
}

bool MetKeys::Found(std::string_view folded, std::uint64_t hash, std::size_t& slot) const {
  const std::size_t mask = places_.size() - 1;
  for (slot = hash & mask; places_[slot] != 0; slot = (slot + 1) & mask) {
    if ((places_[slot] & kPlaceTag) != (hash & kPlaceTag)) continue;
    std::string_view kept = std::string_view(keys_).substr((places_[slot] & ~kPlaceTag) - 1);
    if (TakePackedText(kept) == folded) return true;
  }
  return false;
}

void MetKeys::PlaceAll() {
  std::size_t size = 16;
  while (size < 4 * count_)
    size *= 2;
  places_.assign(size, 0);
  for (std::string_view kept = keys_; !kept.empty();) {
    const std::uint64_t at = keys_.size() - kept.size();
    const std::string_view folded = TakePackedText(kept);
    const std::uint64_t hash = std::hash<std::string_view>()(folded);
    std::size_t slot = 0;
    Found(folded, hash, slot);
    places_[slot] = (hash & kPlaceTag) | (at + 1);
  }
}

}  // namespace lombar
