// The members every collection class shares, over the backing
// KeyedCollection: those that are the same whatever the members' class in
// CollectionBase, made once in the library, the typed ones in Collection.
//
// A collection class derives from Collection<Itself, MemberClass> and binds
// the inherited Item, Exists, Count, Remove, NewEnum, AddObject and Clear in
// its surface; it hides any of them whose behaviour differs with its own.
// Its own Add, XML get and XML let are built from the protected pieces:
// Append (the duplicate-key rule; AppendUnique where duplicates raise 457),
// the collection XML of the library's sources, and ReleaseMembers (what
// Clear does).
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "lombar/AutomationObject.h"
#include "lombar/Enumerator.h"
#include "lombar/internal/KeyedCollection.h"

namespace lombar {

// What the C++ forms of the Add and AddObject members that derive a key
// return: the member the automation form returns, and the key that form
// leaves in its by-reference argument.
template <class Member>
struct Added {
  Ref<Member> member;
  std::string key;
};

class CollectionBase : public AutomationObject {
 public:
  // Never raises: false when there are no members, or the look-up would fail.
  bool Exists(const Variant& index) const { return members_ && Live().Contains(index); }
  // After Clear(true) these fail with error 91: the backing collection is gone.
  Long Count() const { return Live().Count(); }
  // Errors of the backing collection (5, 9) reach the caller unchanged and unlogged.
  void Remove(const Variant& index) { Live().Remove(index); }
  Ref<Enumerator> NewEnum() const { return Live().NewEnum(); }

 protected:
  // Construction gives the object its empty backing collection, as Clear(false) would.
  CollectionBase() : members_(MakeRef<KeyedCollection>()) {}

  // AddObject and Clear, guarded as the operations of the class `class_name`.
  void AddObjectOf(std::string_view class_name, const Variant& member, std::string& key);
  void ClearOf(std::string_view class_name, bool destroy);

  // Appends under `key` unless it is empty. A key already present drops the
  // member silently: it is not held, and no error is raised or logged.
  // False when it was dropped.
  bool Append(Variant member, std::string_view key) {
    if (!key.empty()) return AppendKeyed(std::move(member), key);
    Live().Add(std::move(member));
    return true;
  }
  // Appends under `key` even when it is the empty text; duplicates dropped as by Append.
  bool AppendKeyed(Variant member, std::string_view key) {
    return Live().TryAdd(std::move(member), key);
  }
  // Appends under `key`; a key already present raises 457, for the
  // collections that do not forgive duplicates.
  void AppendUnique(Variant member, std::string_view key) { Live().Add(std::move(member), key); }

  void ReleaseMembers(bool destroy) {
    if (waiting_) {
      waiting_ = false;
      DropWaitingMembers();
    }
    // An empty backing that nothing else holds (such as a host's range over
    // the members) is as good as a new one: a collection being read mostly
    // has just been made.
    if (!destroy && members_ && members_->Count() == 0 && members_->References() == 1) return;
    members_ = destroy ? Ref<KeyedCollection>() : MakeRef<KeyedCollection>();
  }
  // For the classes whose XML reads a released collection as an empty one.
  bool Released() const noexcept { return members_.IsNothing(); }
  // The backing collection itself (error 91 after Clear(true)).
  KeyedCollection& Backing() const { return Live(); }
  // Room for `count` members, as a collection being read knows it will hold.
  void ExpectMembers(std::size_t count) { Live().Reserve(count); }
  // Puts `members` in the place of the backing collection (a new order of it).
  void ReplaceBacking(Ref<KeyedCollection> members) { members_ = std::move(members); }

  // Members a class keeps in a form of its own until one is reached, such as
  // those read from a document that nobody asked for yet: MembersWaiting()
  // says there are some; the first use of the backing collection has the
  // class's MakeWaitingMembers append them, and ReleaseMembers has its
  // DropWaitingMembers forget them. Only its XML get needs neither.
  void MembersWaiting() noexcept { waiting_ = true; }
  bool HasWaitingMembers() const noexcept { return waiting_; }
  virtual void MakeWaitingMembers() {}
  virtual void DropWaitingMembers() noexcept {}

 private:
  KeyedCollection& Live() const {
    if (waiting_) MakeWaiting();
    return *members_;
  }
  // Makes the waiting members all or, failing, none: they wait on.
  void MakeWaiting() const;

  Ref<KeyedCollection> members_;
  mutable bool waiting_ = false;
};

template <class Derived, class Member>
class Collection : public CollectionBase {
 public:
  // Errors of the backing collection (5, 9) reach the caller unchanged and unlogged.
  Ref<Member> Item(const Variant& index) const { return Typed(Backing().Item(index)); }

  // Appends the object itself under `key` unless that is empty; nothing for Nothing.
  Ref<Member> AddObject(const Ref<Member>& member, std::string& key) {
    AddObjectOf(Derived::kClassName, member, key);
    return member;
  }
  // Releases the members; unless `destroy`, a new empty collection takes their place.
  void Clear(bool destroy) { ClearOf(Derived::kClassName, destroy); }

  // The members in order, for C++ hosts: `for (const Ref<Member>& m : collection->Members())`.
  class MemberRange;
  MemberRange Members() const { return MemberRange(Backing().Members()); }

 protected:
  // The C++ form of an automation member that leaves the key in its
  // by-reference argument: `add` runs on a copy of `key`, and both come back.
  template <class Add>
  static Added<Member> KeepingKey(std::string_view key, Add&& add) {
    std::string kept(key);
    Ref<Member> member = add(kept);
    return {std::move(member), std::move(kept)};
  }

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
