// A collection kept under directory keys (MCLdir): its look-ups translate
// the key first, so JOBBER and the seller aliases "#" and "S#" reach the
// members of the directories they stand for in the thread's global provider
// collection. The members are defined with the library's sources; each such
// collection class instantiates them for itself.
#pragma once

#include "lombar/internal/Collection.h"

namespace lombar {

template <class Derived, class Member>
class LocationCollection : public Collection<Derived, Member> {
 public:
  // As for every collection, after the key went through the translation;
  // Exists never raises (a key that cannot be translated is not held).
  bool Exists(const Variant& index) const;
  Ref<Member> Item(const Variant& index) const;
  void Remove(const Variant& index);
};

}  // namespace lombar
