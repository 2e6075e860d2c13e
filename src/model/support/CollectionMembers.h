// What the collection classes share beyond their public base
// (lombar/internal/Collection.h): the reordering their sorts do.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lombar/internal/KeyedCollection.h"
#include "text/Tree.h"

namespace lombar {

// A new backing collection of the `count` members in ascending order of
// `sort_key(member)` (binary text order; equal keys keep their order), each
// under `key_of(member)`, or without a key when that gives nothing. Built
// whole before the caller puts it in place (Collection's ReplaceBacking), so
// a key met twice raises 457 and leaves the collection as it was.
template <class Member, class MemberRange, class SortKey, class KeyOf>
Ref<KeyedCollection> Reordered(const MemberRange& members_in_order, Long count, SortKey&& sort_key,
                               KeyOf&& key_of) {
  // The members numbered from 1 as the tree's values, so the refill reaches
  // each without a look-up.
  std::vector<Ref<Member>> members;
  members.reserve(static_cast<std::size_t>(count));
  Tree tree;
  for (const Ref<Member>& member : members_in_order) {
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
  return reordered;
}

}  // namespace lombar
