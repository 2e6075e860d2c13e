// The out-of-line members of Collection: a collection class's source
// includes this and instantiates its base with
//   template class Collection<ICatInfoCol, ICatInfo>;
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frame/ErrorTrap.h"
#include "lombar/internal/Collection.h"
#include "text/Tree.h"

namespace lombar {

template <class Derived, class Member>
Ref<Member> Collection<Derived, Member>::AddObject(const Ref<Member>& member, std::string& key) {
  return Trapped({Derived::kClassName, "AddObject"}, [&] {
    if (member) Append(member, key);
    return member;
  });
}

template <class Derived, class Member>
void Collection<Derived, Member>::Clear(bool destroy) {
  Trapped({Derived::kClassName, "Clear"}, [&] { ReleaseMembers(destroy); });
}

template <class Derived, class Member>
template <class SortKey, class KeyOf>
void Collection<Derived, Member>::ReorderBy(SortKey&& sort_key, KeyOf&& key_of) {
  // The members numbered from 1 as the tree's values, so the refill reaches
  // each without a look-up.
  std::vector<Ref<Member>> members;
  members.reserve(static_cast<std::size_t>(Count()));
  Tree tree;
  for (const Ref<Member>& member : Members()) {
    members.push_back(member);
    tree.Insert(sort_key(*member), static_cast<Long>(members.size()));
  }
  const std::vector<Long> order = tree.Enumerate(false);
  const auto reordered = MakeRef<KeyedCollection>();
  for (std::size_t rank = 1; rank <= members.size(); ++rank) {
    const Ref<Member>& member = members[static_cast<std::size_t>(order[rank]) - 1];
    if (const std::optional<std::string> key = key_of(*member)) {
      reordered->Add(member, *key);
    } else {
      reordered->Add(member);
    }
  }
  members_ = reordered;
}

}  // namespace lombar
