// The ordered, keyed collection behind every collection class: members in
// insertion order at 1-based positions, each optionally under a text key that
// is unique without regard to letter case. Members are values: the object
// model's collections hold objects, the pick lists of the item collection texts.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lombar/AutomationObject.h"
#include "lombar/StoredText.h"
#include "lombar/Variant.h"

namespace lombar {

class Enumerator;

class KeyedCollection final : public Object {
 public:
  // Room for `count` members in all, so that a collection whose count is
  // known (read from its text) grows once.
  void Reserve(std::size_t count) { entries_.reserve(count); }
  // Appends a member that can be reached by position only.
  void Add(Variant member);
  // Appends a member under `key`; error 457 when the key is already taken.
  // The empty text is a key like any other: a second member under "" is a
  // duplicate, so collections that swallow 457 keep only the first.
  void Add(Variant member, std::string_view key);
  // As Add, answering false instead of raising 457.
  bool TryAdd(Variant member, std::string_view key);
  // Puts a member at the 0-based `slot` (Count: at the end), under `key`
  // when given; error 457 when the key is taken. Costs the collection's size.
  void Insert(std::size_t slot, Variant member, const std::string* key);

  // `index` is a key when it holds a text and a position otherwise, converted
  // to a long as automation converts (numbers rounded half to even, Empty as
  // 0, Null raising 94, objects 13). An unknown key raises 5, a position
  // outside 1..Count raises 9.
  const Variant& Item(const Variant& index) const;
  // Removes the member; later members move down one position.
  void Remove(const Variant& index);
  // Removes every member for which `unwanted` is true, in one pass; the
  // others keep their order and keys.
  template <class Predicate>
  void RemoveWhere(Predicate&& unwanted) {
    std::erase_if(entries_, [&](const Entry& entry) {
      if (!unwanted(entry.member)) return false;
      ForgetKey(entry);
      return true;
    });
  }
  // True when Item would succeed; never raises.
  bool Contains(const Variant& index) const noexcept;

  const Variant& At(Long position) const;  // error 9 outside 1..Count
  // The 0-based slot of the member `index` names; errors as Item.
  std::size_t SlotOf(const Variant& index) const;
  class MemberRange;
  // The members in order, for walking them (the collection must be held
  // by a Ref, as every library object is).
  MemberRange Members() const noexcept;
  Long Count() const noexcept { return static_cast<Long>(entries_.size()); }
  // An enumerator over the members as they are now, in order.
  Ref<Enumerator> NewEnum() const;

 private:
  struct Entry {
    Variant member;
    StoredText folded_key;
    std::uint64_t serial : 63 = 0;  // increases with every append, so entries stay sorted by it
    std::uint64_t keyed : 1 = 0;
  };
  // Up to this many members, keys are found by walking the entries: most
  // collections (an item's prices) are that small, and need no hash table.
  static constexpr std::size_t kWalkedMembers = 8;
  // The entry `index` names, or the error number its look-up raises.
  struct Lookup {
    std::size_t slot = 0;
    std::int32_t error = 0;
  };

  Lookup Find(const Variant& index) const;
  Lookup FindKey(std::string_view key) const;
  Lookup FindPosition(Long position) const noexcept;
  std::size_t SlotOfSerial(std::uint64_t serial) const noexcept;
  // The serial of the member under the folded key, when there is one.
  // `key_hash`, when given, is the key's hash, already made by the caller.
  std::optional<std::uint64_t> SerialOf(std::string_view folded,
                                        std::optional<std::uint64_t> key_hash = {}) const;
  void Append(Entry entry, std::optional<std::uint64_t> key_hash = {});
  static constexpr std::size_t kFirstRoom = 4;
  void KeepKeysAfterPutting(std::size_t slot, bool renumbered,
                            std::optional<std::uint64_t> key_hash = {});
  void RememberKey(const Entry& entry, std::optional<std::uint64_t> key_hash);
  void ForgetKey(const Entry& entry);

  std::vector<Entry> entries_;
  // Beyond kWalkedMembers keys are found by hash, in a table made when the
  // collection grows past it: open addressing, each place holding a key's
  // hash and its entry's serial, so that a new key is mostly told apart by
  // its hash alone, and the table allocates only when it doubles. The key
  // itself is compared in its entry, which the serial leads to.
  struct KeyPlace {
    std::uint64_t hash = 0;
    std::uint64_t serial = kFreePlace;
  };
  static constexpr std::uint64_t kFreePlace = UINT64_MAX;
  // Apart from the collection, which most often never needs it.
  struct KeyTable {
    std::vector<KeyPlace> places;  // a power of two at most half full
    std::size_t placed = 0;
  };
  std::unique_ptr<KeyTable> keys_;  // null until made
  void PlaceKey(std::uint64_t hash, std::uint64_t serial);
  void PlaceAllKeys();
  std::uint64_t next_serial_ = 0;
};

// Walks the entries handing out their members, so callers see references
// to members and nothing of the entries.
class KeyedCollection::MemberRange {
 public:
  class Iterator {
   public:
    explicit Iterator(const Entry* entry) : entry_(entry) {}
    const Variant& operator*() const { return entry_->member; }
    Iterator& operator++() {
      ++entry_;
      return *this;
    }
    bool operator==(const Iterator&) const = default;

   private:
    const Entry* entry_;
  };

  // Holds the collection, so that a range taken from a temporary owner
  // (`for (auto& m : MakeList()->Members())`) still has its members.
  explicit MemberRange(const KeyedCollection& owner) : owner_(&owner) {}
  Iterator begin() const { return Iterator(owner_->entries_.data()); }
  Iterator end() const { return Iterator(owner_->entries_.data() + owner_->entries_.size()); }

 private:
  Ref<const KeyedCollection> owner_;
};

inline KeyedCollection::MemberRange KeyedCollection::Members() const noexcept {
  return MemberRange(*this);
}

}  // namespace lombar
