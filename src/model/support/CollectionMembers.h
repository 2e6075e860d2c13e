// The out-of-line members of Collection: a collection class's source
// includes this and instantiates its base with
//   template class Collection<ICatInfoCol, ICatInfo>;
#pragma once

#include <string>

#include "frame/ErrorTrap.h"
#include "lombar/internal/Collection.h"

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

}  // namespace lombar
