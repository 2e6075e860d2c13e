// The members every collection class shares, written once over the backing
// KeyedCollection.
//
// A collection class derives from Collection<Itself, MemberClass> and binds
// the inherited Item, Exists, Count, Remove, NewEnum, AddObject and Clear in
// its surface; it hides any of them whose behaviour differs with its own.
// Its own Add, XML get and XML let are built from the protected pieces:
// Append (the duplicate-key rule; AppendUnique where duplicates raise 457),
// the collection XML of the library's sources, and ReleaseMembers (what
// Clear does). AddObject and Clear are defined with the library's sources;
// each collection class instantiates them for itself.
#pragma once

#include <string>
#include <string_view>

#include "lombar/AutomationObject.h"
#include "lombar/Enumerator.h"
#include "lombar/internal/KeyedCollection.h"

namespace lombar {

template <class Derived, class Member>
class Collection : public AutomationClass<Derived> {
 public:
  // Errors of the backing collection (5, 9) reach the caller unchanged and unlogged.
  Ref<Member> Item(const Variant& index) const { return Typed(members_->Item(index)); }
  // Never raises: false when there are no members, or the look-up would fail.
  bool Exists(const Variant& index) const { return members_ && members_->Contains(index); }
  // After Clear(true) these fail with error 91: the backing collection is gone.
  Long Count() const { return members_->Count(); }
  void Remove(const Variant& index) { members_->Remove(index); }
  Ref<Enumerator> NewEnum() const { return members_->NewEnum(); }

  // Appends the object itself under `key` unless that is empty; nothing for Nothing.
  Ref<Member> AddObject(const Ref<Member>& member, std::string& key);
  // Releases the members; unless `destroy`, a new empty collection takes their place.
  void Clear(bool destroy);

  // The members in order, for C++ hosts: `for (const Ref<Member>& m : collection->Members())`.
  class MemberRange;
  MemberRange Members() const { return MemberRange(members_->Members()); }

 protected:
  // Construction gives the object its empty backing collection, as Clear(false) would.
  Collection() : members_(MakeRef<KeyedCollection>()) {}

  // Appends under `key` unless it is empty. A key already present drops the
  // member silently: it is not held, and no error is raised or logged.
  // False when it was dropped.
  bool Append(const Ref<Member>& member, std::string_view key) {
    if (!key.empty()) return AppendKeyed(member, key);
    members_->Add(member);
    return true;
  }
  // Appends under `key` even when it is the empty text; duplicates dropped as by Append.
  bool AppendKeyed(const Ref<Member>& member, std::string_view key) {
    return members_->TryAdd(member, key);
  }
  // Appends under `key`; a key already present raises 457, for the
  // collections that do not forgive duplicates.
  void AppendUnique(const Ref<Member>& member, std::string_view key) { members_->Add(member, key); }

  void ReleaseMembers(bool destroy) {
    // An empty backing that nothing else holds (such as a host's range over
    // the members) is as good as a new one: a collection being read mostly
    // has just been made.
    if (!destroy && members_ && members_->Count() == 0 && members_->References() == 1) return;
    members_ = destroy ? Ref<KeyedCollection>() : MakeRef<KeyedCollection>();
  }
  // For the classes whose XML reads a released collection as an empty one.
  bool Released() const noexcept { return members_.IsNothing(); }
  // The backing collection itself (error 91 after Clear(true)).
  KeyedCollection& Backing() const { return *members_; }
  // Re-stores the members in ascending order of `sort_key(member)` (binary
  // text order; equal keys keep their order), each under `key_of(member)`,
  // or without a key when that gives nothing. The new order is built whole
  // before it replaces the old one, so a key met twice raises 457 and leaves
  // the collection as it was. Defined with the library's sources.
  template <class SortKey, class KeyOf>
  void ReorderBy(SortKey&& sort_key, KeyOf&& key_of);

  // The first member, in order, for which `wanted` is true; Nothing when none is.
  template <class Predicate>
  Ref<Member> FirstMemberWhere(Predicate&& wanted) const {
    for (const Ref<Member>& member : Members()) {
      if (wanted(*member)) return member;
    }
    return Nothing;
  }

  // Every stored member is a Member: the collection adds nothing else.
  static Ref<Member> Typed(const Variant& stored) {
    return Ref<Member>(static_cast<Member*>(stored.ObjectRef().Get()));
  }

 private:
  Ref<KeyedCollection> members_;
};

template <class Derived, class Member>
class Collection<Derived, Member>::MemberRange {
 public:
  class Iterator {
   public:
    explicit Iterator(KeyedCollection::MemberRange::Iterator at) : at_(at) {}
    Ref<Member> operator*() const { return Typed(*at_); }
    Iterator& operator++() {
      ++at_;
      return *this;
    }
    bool operator==(const Iterator&) const = default;

   private:
    KeyedCollection::MemberRange::Iterator at_;
  };

  explicit MemberRange(KeyedCollection::MemberRange range) : range_(range) {}
  Iterator begin() const { return Iterator(range_.begin()); }
  Iterator end() const { return Iterator(range_.end()); }

 private:
  KeyedCollection::MemberRange range_;
};

}  // namespace lombar
