#include "lombar/internal/KeyedCollection.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "lombar/Enumerator.h"
#include "lombar/Error.h"
#include "base/Text.h"
#include "base/Utf8.h"

namespace lombar {
namespace {

// Keys compare as Windows compares collection keys, on the host's text
// whatever the process's code page: ASCII letters and the letters of
// Windows-1252 (Latin-1's, Š Œ Ž Ÿ) without regard to case, every other
// character exactly. Folding the UTF-8 text directly keeps characters beyond
// the code page apart.
class FoldedKey {
 public:
  explicit FoldedKey(std::string_view key) {
    char* bytes = room_;
    if (key.size() > sizeof(room_)) {
      spilled_.resize(key.size());
      bytes = spilled_.data();
    }
    SetTextCase(key, bytes, false);
    view_ = std::string_view(bytes, key.size());
  }
  FoldedKey(const FoldedKey&) = delete;
  FoldedKey& operator=(const FoldedKey&) = delete;
  operator std::string_view() const noexcept { return view_; }  // NOLINT: read as a view

 private:
  char room_[32];  // most keys are short: every add and look-up folds one, here on the stack
  std::string spilled_;
  std::string_view view_;
};

// A well-mixed 64-bit hash of a folded key, read eight bytes at a time.
std::uint64_t Mixed(std::uint64_t word) noexcept {
  word ^= word >> 33;
  word *= 0xFF51AFD7ED558CCDULL;
  word ^= word >> 33;
  word *= 0xC4CEB9FE1A85EC53ULL;
  return word ^ (word >> 33);
}
std::uint64_t KeyHash(std::string_view key) noexcept {
  std::uint64_t hash = 0x9E3779B97F4A7C15ULL ^ key.size();
  std::size_t at = 0;
  for (; at + sizeof hash <= key.size(); at += sizeof hash) {
    std::uint64_t word;
    std::memcpy(&word, key.data() + at, sizeof word);
    hash = Mixed(hash ^ word);
  }
  std::uint64_t tail = 0;
  if (at < key.size()) std::memcpy(&tail, key.data() + at, key.size() - at);
  return Mixed(hash ^ tail);
}

}  // namespace

void KeyedCollection::Append(Entry entry, std::optional<std::uint64_t> key_hash) {
  // Most collections hold a few members (an item's prices): room for four
  // at the first, instead of growing through one and two.
  if (entries_.capacity() == 0) entries_.reserve(kFirstRoom);
  entries_.push_back(std::move(entry));
  KeepKeysAfterPutting(entries_.size() - 1, false, key_hash);
}

void KeyedCollection::Add(Variant member) {
  Append(Entry{std::move(member), {}, next_serial_++, false});
}

void KeyedCollection::Add(Variant member, std::string_view key) {
  if (!TryAdd(std::move(member), key)) RaiseRuntime(kDuplicateKey);
}

bool KeyedCollection::TryAdd(Variant member, std::string_view key) {
  const FoldedKey folded(key);
  // With a key table, the key is hashed once for looking it up and placing it.
  const std::optional<std::uint64_t> hash =
      keys_ ? std::optional(KeyHash(folded)) : std::nullopt;
  if (SerialOf(folded, hash)) return false;
  Append(Entry{std::move(member), StoredText(folded), next_serial_++, true}, hash);
  return true;
}

void KeyedCollection::Insert(std::size_t slot, Variant member, const std::string* key) {
  const FoldedKey folded(key ? std::string_view(*key) : std::string_view());
  if (key && SerialOf(folded)) RaiseRuntime(kDuplicateKey);
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(slot),
                  Entry{std::move(member), StoredText(folded), 0, key != nullptr});
  // Serials must grow with the position: number them afresh.
  next_serial_ = 0;
  for (Entry& entry : entries_)
    entry.serial = next_serial_++;
  KeepKeysAfterPutting(slot, true);
}

// Brings the key table in step with the entry just put at `slot` (with
// every serial, when they were numbered afresh). Should memory run out for
// the table, the entry is taken out again and the table dropped: the
// collection is as it was before, its keys found by walking the entries
// until a later append makes the table again, and the error stands.
void KeyedCollection::KeepKeysAfterPutting(std::size_t slot, bool renumbered,
                                           std::optional<std::uint64_t> key_hash) {
  try {
    if (!renumbered) return RememberKey(entries_[slot], key_hash);
    if (keys_ || entries_.size() > kWalkedMembers) PlaceAllKeys();
  } catch (...) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(slot));
    keys_.reset();
    throw;
  }
}

std::optional<std::uint64_t> KeyedCollection::SerialOf(
    std::string_view folded, std::optional<std::uint64_t> key_hash) const {
  if (!keys_) {
    for (const Entry& entry : entries_) {
      if (entry.keyed && entry.folded_key == folded) return entry.serial;
    }
    return std::nullopt;
  }
  const std::uint64_t hash = key_hash ? *key_hash : KeyHash(folded);
  const std::vector<KeyPlace>& places = keys_->places;
  const std::size_t mask = places.size() - 1;
  for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
    const KeyPlace& place = places[at];
    if (place.serial == kFreePlace) return std::nullopt;
    if (place.hash == hash && entries_[SlotOfSerial(place.serial)].folded_key == folded) {
      return place.serial;
    }
  }
}

// Keeps the key table, once there is one, in step with the keyed entries;
// the collection growing past kWalkedMembers makes it from all of them.
void KeyedCollection::RememberKey(const Entry& entry, std::optional<std::uint64_t> key_hash) {
  if (!keys_) {
    if (entries_.size() > kWalkedMembers) PlaceAllKeys();
    return;
  }
  if (entry.keyed) PlaceKey(key_hash ? *key_hash : KeyHash(entry.folded_key), entry.serial);
}

void KeyedCollection::PlaceAllKeys() {
  const std::size_t keyed = static_cast<std::size_t>(
      std::count_if(entries_.begin(), entries_.end(), [](const Entry& entry) { return entry.keyed; }));
  std::vector<KeyPlace> places(std::bit_ceil(std::max<std::size_t>(4 * keyed, 32)));
  keys_ = std::make_unique<KeyTable>(KeyTable{std::move(places), 0});
  for (const Entry& entry : entries_) {
    if (entry.keyed) PlaceKey(KeyHash(entry.folded_key), entry.serial);
  }
}

void KeyedCollection::PlaceKey(std::uint64_t hash, std::uint64_t serial) {
  KeyTable& keys = *keys_;
  if (2 * (keys.placed + 1) > keys.places.size()) {
    // Doubled, from the hashes kept: no key is read again.
    std::vector<KeyPlace> placed(2 * keys.places.size());
    placed.swap(keys.places);
    keys.placed = 0;
    for (const KeyPlace& place : placed) {
      if (place.serial != kFreePlace) PlaceKey(place.hash, place.serial);
    }
  }
  std::vector<KeyPlace>& places = keys.places;
  const std::size_t mask = places.size() - 1;
  std::size_t at = hash & mask;
  while (places[at].serial != kFreePlace)
    at = (at + 1) & mask;
  places[at] = KeyPlace{hash, serial};
  ++keys.placed;
}

// Frees the entry's place and moves each later place of the same run that
// may go there back into it, so that no search stops short at the gap.
void KeyedCollection::ForgetKey(const Entry& entry) {
  if (!entry.keyed || !keys_) return;
  std::vector<KeyPlace>& places = keys_->places;
  const std::size_t mask = places.size() - 1;
  std::size_t hole = KeyHash(entry.folded_key) & mask;
  while (places[hole].serial != entry.serial) {
    if (places[hole].serial == kFreePlace) return;
    hole = (hole + 1) & mask;
  }
  for (std::size_t next = (hole + 1) & mask; places[next].serial != kFreePlace;
       next = (next + 1) & mask) {
    const std::size_t home = places[next].hash & mask;
    if (((next - home) & mask) >= ((next - hole) & mask)) {
      places[hole] = places[next];
      hole = next;
    }
  }
  places[hole] = KeyPlace{};
  --keys_->placed;
}

const Variant& KeyedCollection::Item(const Variant& index) const {
  return entries_[SlotOf(index)].member;
}

void KeyedCollection::Remove(const Variant& index) {
  const std::size_t slot = SlotOf(index);
  ForgetKey(entries_[slot]);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(slot));
}

bool KeyedCollection::Contains(const Variant& index) const noexcept {
  try {
    return Find(index).error == 0;
  } catch (...) {
    return false;
  }
}

const Variant& KeyedCollection::At(Long position) const {
  return Item(Variant(position));
}

Ref<Enumerator> KeyedCollection::NewEnum() const {
  std::vector<Variant> members;
  members.reserve(entries_.size());
  for (const Entry& entry : entries_)
    members.push_back(entry.member);
  return MakeRef<Enumerator>(std::move(members));
}

KeyedCollection::Lookup KeyedCollection::Find(const Variant& index) const {
  if (index.IsText()) return FindKey(index.Text());
  Long position = 0;
  try {
    position = index.ToLong();
  } catch (const Error& error) {
    return Lookup{0, error.Number()};
  }
  return FindPosition(position);
}

KeyedCollection::Lookup KeyedCollection::FindKey(std::string_view key) const {
  const std::optional<std::uint64_t> serial = SerialOf(FoldedKey(key));
  if (!serial) return Lookup{0, kInvalidProcedureCall};
  return Lookup{SlotOfSerial(*serial), 0};
}

KeyedCollection::Lookup KeyedCollection::FindPosition(Long position) const noexcept {
  if (position < 1 || position > Count()) return Lookup{0, kSubscriptOutOfRange};
  return Lookup{static_cast<std::size_t>(position - 1), 0};
}

std::size_t KeyedCollection::SlotOfSerial(std::uint64_t serial) const noexcept {
  // Until a member is removed or inserted, a serial is its entry's slot.
  if (serial < entries_.size() && entries_[serial].serial == serial) return serial;
  const auto entry = std::lower_bound(
      entries_.begin(), entries_.end(), serial,
      [](const Entry& candidate, std::uint64_t wanted) { return candidate.serial < wanted; });
  return static_cast<std::size_t>(entry - entries_.begin());
}

std::size_t KeyedCollection::SlotOf(const Variant& index) const {
  const Lookup found = Find(index);
  if (found.error != 0) RaiseRuntime(found.error);
  return found.slot;
}

}  // namespace lombar
