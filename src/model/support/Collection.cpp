#include "lombar/internal/Collection.h"

#include "frame/ErrorTrap.h"

namespace lombar {

void CollectionBase::AddObjectOf(std::string_view class_name, const Variant& member,
                                 std::string& key) {
  Trapped({class_name, "AddObject"}, [&] {
    if (!member.ObjectRef().IsNothing()) Append(member, key);
  });
}

void CollectionBase::MakeWaiting() const {
  // Collections are never made const: a look-up may settle what waits.
  auto& self = const_cast<CollectionBase&>(*this);
  waiting_ = false;
  try {
    self.MakeWaitingMembers();
  } catch (...) {
    members_->RemoveWhere([](const Variant&) { return true; });
    waiting_ = true;
    throw;
  }
}

void CollectionBase::ClearOf(std::string_view class_name, bool destroy) {
  Trapped({class_name, "Clear"}, [&] { ReleaseMembers(destroy); });
}

}  // namespace lombar
