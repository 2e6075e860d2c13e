// The members every collection class shares, written once over the backing
// KeyedCollection.
//
// A collection class derives from Collection<Itself, MemberClass> and binds
// the inherited Item, Exists, Count, Remove, NewEnum, AddObject and Clear in
// its surface; it hides any of them whose behaviour differs with its own.
// Its own Add, XML get and XML let are built from the protected pieces:
// Append (the duplicate-key rule; AppendUnique where duplicates raise 457),
// MembersXml and LoadMembers (the collection's XML form) and ReleaseMembers
// (what Clear does).
//
// The member class provides `std::string XML()` and `void SetXML(std::string_view)`.
#pragma once

#include <string>
#include <string_view>

#include "catalog/CollectionXml.h"
#include "frame/Enumerator.h"
#include "frame/ErrorTrap.h"
#include "lombar/AutomationObject.h"
#include "lombar/KeyedCollection.h"

namespace lombar {

template <class Derived, class Member>
class Collection : public AutomationClass<Derived> {
 public:
  // Errors of the backing collection (5, 9) reach the caller unchanged and unlogged.
  Ref<Member> Item(const Variant& index) const {
    return members_->Item(index).template As<Member>();
  }
  // Never raises: false when there are no members, or the look-up would fail.
  bool Exists(const Variant& index) const { return members_ && members_->Contains(index); }
  // After Clear(true) these fail with error 91: the backing collection is gone.
  Long Count() const { return members_->Count(); }
  void Remove(const Variant& index) { members_->Remove(index); }
  Ref<Enumerator> NewEnum() const { return members_->NewEnum(); }

  // Appends the object itself under `key` unless that is empty; nothing for Nothing.
  Ref<Member> AddObject(const Ref<Member>& member, std::string& key) {
    return Trapped(Op("AddObject"), [&] {
      if (member) Append(member, key);
      return member;
    });
  }

  // Releases the members; unless `destroy`, a new empty collection takes their place.
  void Clear(bool destroy) {
    Trapped(Op("Clear"), [&] { ReleaseMembers(destroy); });
  }

 protected:
  // Construction gives the object its empty backing collection, as Clear(false) would.
  Collection() : members_(MakeRef<KeyedCollection>()) {}

  static Operation Op(std::string_view name) { return {Derived::kClassName, name}; }

  // Appends under `key` unless it is empty. A key already present drops the
  // member silently: it is not held, and no error is raised or logged.
  void Append(const Ref<Member>& member, std::string_view key) {
    if (key.empty()) {
      members_->Add(member);
    } else {
      AppendKeyed(member, key);
    }
  }
  // Appends under `key` even when it is the empty text; duplicates dropped as by Append.
  void AppendKeyed(const Ref<Member>& member, std::string_view key) {
    members_->TryAdd(member, key);
  }
  // Appends under `key`; a key already present raises 457, for the
  // collections that do not forgive duplicates.
  void AppendUnique(const Ref<Member>& member, std::string_view key) { members_->Add(member, key); }

  void ReleaseMembers(bool destroy) {
    members_ = destroy ? Ref<KeyedCollection>() : MakeRef<KeyedCollection>();
  }
  // For the classes whose XML reads a released collection as an empty one.
  bool Released() const noexcept { return members_.IsNothing(); }

  // The first member, in order, for which `wanted` is true; Nothing when none is.
  template <class Predicate>
  Ref<Member> FirstMemberWhere(Predicate&& wanted) const {
    for (const Ref<AutomationObject>& stored : members_->Members()) {
      Ref<Member> member = stored.template As<Member>();
      if (wanted(*member)) return member;
    }
    return Nothing;
  }

  std::string MembersXml(const CollectionXmlForm& form) const {
    return WriteCollectionXml(form, *members_, [](AutomationObject& member) {
      return dynamic_cast<Member&>(member).XML();
    });
  }

  // For each member block of `text`: a new member reads it and `add` receives it.
  template <class AddLoaded>
  void LoadMembers(std::string_view text, std::string_view member_element, AddLoaded&& add) {
    ReadCollectionXml(text, member_element, [&](const std::string& block) {
      const Ref<Member> member = MakeRef<Member>();
      member->SetXML(block);
      add(member);
    });
  }

 private:
  Ref<KeyedCollection> members_;
};

}  // namespace lombar
