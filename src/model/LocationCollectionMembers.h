// The out-of-line members of LocationCollection.
#pragma once

#include "lombar/Error.h"
#include "lombar/internal/LocationCollection.h"
#include "model/support/CollectionMembers.h"
#include "model/LocationKeys.h"

namespace lombar {

template <class Derived, class Member>
bool LocationCollection<Derived, Member>::Exists(const Variant& index) const {
  if (this->Released() || this->Count() == 0) return false;
  try {
    return Collection<Derived, Member>::Exists(JobberKey(index));
  } catch (const Error&) {
    return false;
  }
}

template <class Derived, class Member>
Ref<Member> LocationCollection<Derived, Member>::Item(const Variant& index) const {
  return Collection<Derived, Member>::Item(JobberKey(index));
}

template <class Derived, class Member>
void LocationCollection<Derived, Member>::Remove(const Variant& index) {
  Collection<Derived, Member>::Remove(JobberKey(index));
}

}  // namespace lombar
