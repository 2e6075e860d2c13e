// A collection kept under directory keys (MCLdir): its look-ups translate
// the key first, so JOBBER and the seller aliases "#" and "S#" reach the
// members of the directories they stand for in the thread's global provider
// collection.
#pragma once

#include "lombar/Error.h"
#include "lombar/internal/Collection.h"

namespace lombar {

// The key with an alias replaced by the directory it stands for, through the
// thread's global provider collection (none: the empty text):
// - JOBBER in any letter case: the default provider's MCLdir;
// - "#" or "S#" (exactly) and a seller ID: that seller's MCLdir, or the
//   default provider's when no provider carries the seller ID;
// - anything else, a position number too: the key unchanged.
// Traced and trapped as the global module's "JobberKey".
Variant JobberKey(const Variant& key);

template <class Derived, class Member>
class LocationCollection : public Collection<Derived, Member> {
 public:
  // As for every collection, after the key went through the translation;
  // Exists never raises (a key that cannot be translated is not held).
  bool Exists(const Variant& index) const {
    if (this->Released() || this->Count() == 0) return false;
    try {
      return Collection<Derived, Member>::Exists(JobberKey(index));
    } catch (const Error&) {
      return false;
    }
  }
  Ref<Member> Item(const Variant& index) const {
    return Collection<Derived, Member>::Item(JobberKey(index));
  }
  void Remove(const Variant& index) { Collection<Derived, Member>::Remove(JobberKey(index)); }
};

}  // namespace lombar
