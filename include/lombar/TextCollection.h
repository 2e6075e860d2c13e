// The automation collection object that the item collection's pick lists
// hand out: an ordered list of texts, optionally keyed (keys ignore letter
// case), with Add, Item, Count, Remove and an enumerator, as clients know
// the standard collection object.
#pragma once

#include <string>
#include <string_view>

#include "lombar/AutomationObject.h"
#include "lombar/Enumerator.h"
#include "lombar/internal/KeyedCollection.h"

namespace lombar {

class TextCollection final : public AutomationObject {
 public:
  static constexpr std::string_view kClassName = "Collection";
  const ClassInfo& Class() const override;

  TextCollection() : members_(MakeRef<KeyedCollection>()) {}

  // Appends `item` under `key` (Missing or empty: no key), or inserts it
  // before or after the member `before` or `after` names. A key already
  // present raises 457; both places given raise 5; an unknown place 5 or 9.
  void Add(const Variant& item, const Variant& key = Variant::Missing(),
           const Variant& before = Variant::Missing(), const Variant& after = Variant::Missing());
  // By position or key: error 5 for an unknown key, 9 for a bad position.
  const Variant& Item(const Variant& index) const { return members_->Item(index); }
  Long Count() const { return members_->Count(); }
  void Remove(const Variant& index) { members_->Remove(index); }
  Ref<Enumerator> NewEnum() const { return members_->NewEnum(); }
  // The members in order, for C++ hosts.
  KeyedCollection::MemberRange Members() const { return members_->Members(); }

 private:
  friend class detail::ClassAccess;
  // Plumbing for the library's own sources: the class's description.
  static const ClassInfo& TypeInfo();

  Ref<KeyedCollection> members_;
};

}  // namespace lombar
