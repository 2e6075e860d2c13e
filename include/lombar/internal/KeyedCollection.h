// The ordered, keyed collection behind every collection class: members in
// insertion order at 1-based positions, each optionally under a text key that
// is unique without regard to letter case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lombar/AutomationObject.h"
#include "lombar/Variant.h"

namespace lombar {

class Enumerator;

class KeyedCollection final : public Object {
 public:
  // Appends a member that can be reached by position only.
  void Add(Ref<AutomationObject> member);
  // Appends a member under `key`; error 457 when the key is already taken.
  // The empty text is a key like any other: a second member under "" is a
  // duplicate, so collections that swallow 457 keep only the first.
  void Add(Ref<AutomationObject> member, std::string_view key);
  // As Add, answering false instead of raising 457.
  bool TryAdd(Ref<AutomationObject> member, std::string_view key);

  // `index` is a key when it holds a text and a position otherwise, converted
  // to a long as automation converts (numbers rounded half to even, Empty as
  // 0, Null raising 94, objects 13). An unknown key raises 5, a position
  // outside 1..Count raises 9.
  const Ref<AutomationObject>& Item(const Variant& index) const;
  // Removes the member; later members move down one position.
  void Remove(const Variant& index);
  // True when Item would succeed; never raises.
  bool Contains(const Variant& index) const noexcept;

  const Ref<AutomationObject>& At(Long position) const;  // error 9 outside 1..Count
  class MemberRange;
  // The members in order, for walking them.
  MemberRange Members() const noexcept;
  Long Count() const noexcept { return static_cast<Long>(entries_.size()); }
  // An enumerator over the members as they are now, in order.
  Ref<Enumerator> NewEnum() const;

 private:
  struct Entry {
    Ref<AutomationObject> member;
    std::uint64_t serial = 0;  // increases with every append, so entries stay sorted by it
    bool keyed = false;
    std::string folded_key;
  };
  // The entry `index` names, or the error number its look-up raises.
  struct Lookup {
    std::size_t slot = 0;
    std::int32_t error = 0;
  };

  Lookup Find(const Variant& index) const;
  Lookup FindKey(std::string_view key) const;
  Lookup FindPosition(Long position) const noexcept;
  std::size_t SlotOfSerial(std::uint64_t serial) const noexcept;
  std::size_t SlotOf(const Variant& index) const;

  std::vector<Entry> entries_;
  // Keys are found by hash; the serial leads to the position by binary search.
  std::unordered_map<std::string, std::uint64_t> serial_of_key_;
  std::uint64_t next_serial_ = 0;
};

// Walks the entries handing out their members, so callers see references
// to members and nothing of the entries.
class KeyedCollection::MemberRange {
 public:
  class Iterator {
   public:
    explicit Iterator(const Entry* entry) : entry_(entry) {}
    const Ref<AutomationObject>& operator*() const { return entry_->member; }
    Iterator& operator++() {
      ++entry_;
      return *this;
    }
    bool operator==(const Iterator&) const = default;

   private:
    const Entry* entry_;
  };

  explicit MemberRange(const std::vector<Entry>& entries) : entries_(entries) {}
  Iterator begin() const { return Iterator(entries_.data()); }
  Iterator end() const { return Iterator(entries_.data() + entries_.size()); }

 private:
  const std::vector<Entry>& entries_;
};

inline KeyedCollection::MemberRange KeyedCollection::Members() const noexcept {
  return MemberRange(entries_);
}

}  // namespace lombar
