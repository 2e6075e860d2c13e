#include "lombar/internal/KeyedCollection.h"

#include <algorithm>

#include "lombar/Enumerator.h"
#include "lombar/Error.h"

namespace lombar {
namespace {

// UTF-8 lead byte of U+00C0..U+00FF, and the continuation bytes of the
// Latin-1 capitals U+00C0..U+00DE (U+00D7, the multiplication sign, is none).
constexpr unsigned char kLatin1Lead = 0xC3;
constexpr unsigned char kFirstCapital = 0x80;
constexpr unsigned char kLastCapital = 0x9E;
constexpr unsigned char kMultiplicationSign = 0x97;
constexpr unsigned char kCaseDistance = 0x20;

bool IsLatin1Capital(unsigned char continuation) {
  return continuation >= kFirstCapital && continuation <= kLastCapital &&
         continuation != kMultiplicationSign;
}

// Keys compare as the runtime compares collection keys in the library's
// code page: ASCII and Latin-1 letters without regard to case, every other
// character exactly. Folding the UTF-8 text directly keeps characters beyond
// Latin-1 apart.
std::string FoldedKey(std::string_view key) {
  std::string folded(key);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const auto byte = static_cast<unsigned char>(folded[i]);
    if (byte >= 'A' && byte <= 'Z') {
      folded[i] = static_cast<char>(byte + kCaseDistance);
    } else if (byte == kLatin1Lead && i + 1 < folded.size()) {
      const auto next = static_cast<unsigned char>(folded[++i]);
      if (IsLatin1Capital(next)) folded[i] = static_cast<char>(next + kCaseDistance);
    }
  }
  return folded;
}

}  // namespace

void KeyedCollection::Append(Entry entry) {
  // Most collections hold a few members (an item's prices): room for four
  // at the first, instead of growing through one and two.
  if (entries_.capacity() == 0) entries_.reserve(kFirstRoom);
  entries_.push_back(std::move(entry));
  RememberKey(entries_.back());
}

void KeyedCollection::Add(Variant member) {
  Append(Entry{std::move(member), {}, next_serial_++, false});
}

void KeyedCollection::Add(Variant member, std::string_view key) {
  if (!TryAdd(std::move(member), key)) RaiseRuntime(kDuplicateKey);
}

bool KeyedCollection::TryAdd(Variant member, std::string_view key) {
  const std::string folded = FoldedKey(key);
  if (SerialOf(folded)) return false;
  Append(Entry{std::move(member), StoredText(folded), next_serial_++, true});
  return true;
}

void KeyedCollection::Insert(std::size_t slot, Variant member, const std::string* key) {
  const std::string folded = key ? FoldedKey(*key) : std::string();
  if (key && SerialOf(folded)) RaiseRuntime(kDuplicateKey);
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(slot),
                  Entry{std::move(member), StoredText(folded), 0, key != nullptr});
  // Serials must grow with the position: number them afresh.
  next_serial_ = 0;
  for (Entry& entry : entries_) {
    entry.serial = next_serial_++;
    RememberKey(entry);
  }
}

std::optional<std::uint64_t> KeyedCollection::SerialOf(std::string_view folded) const {
  if (serial_of_key_) {
    const auto found = serial_of_key_->find(folded);
    if (found == serial_of_key_->end()) return std::nullopt;
    return found->second;
  }
  for (const Entry& entry : entries_) {
    if (entry.keyed && entry.folded_key == folded) return entry.serial;
  }
  return std::nullopt;
}

// Keeps the hash table, once there is one, in step with the keyed entries;
// the collection growing past kWalkedMembers makes it from all of them.
void KeyedCollection::RememberKey(const Entry& entry) {
  if (!serial_of_key_) {
    if (entries_.size() <= kWalkedMembers) return;
    serial_of_key_ = std::make_unique<SerialOfKey>();
    for (const Entry& each : entries_) {
      if (each.keyed) serial_of_key_->insert_or_assign(each.folded_key.String(), each.serial);
    }
    return;
  }
  if (entry.keyed) serial_of_key_->insert_or_assign(entry.folded_key.String(), entry.serial);
}

void KeyedCollection::ForgetKey(const Entry& entry) {
  if (!entry.keyed || !serial_of_key_) return;
  const auto found = serial_of_key_->find(entry.folded_key.View());
  if (found != serial_of_key_->end()) serial_of_key_->erase(found);
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
