// What the preset and list collections share beyond Collection: a vehicle of
// their own, which their XML, always written compressed, carries after the
// members.
#pragma once

#include "lombar/ICatVehicle.h"
#include "lombar/internal/Collection.h"

namespace lombar {

template <class Derived, class Member>
class ReferenceCollection : public Collection<Derived, Member> {
 public:
  // Set shares the caller's vehicle; members are not given it.
  Ref<ICatVehicle> Vehicle() const { return vehicle_; }
  void SetVehicle(const Ref<ICatVehicle>& vehicle) { vehicle_ = vehicle; }

 protected:
  ReferenceCollection() : vehicle_(MakeRef<ICatVehicle>()) {}

  // Drops the members and the vehicle for new empty ones, as reading XML starts.
  void RenewMembersAndVehicle() {
    this->ReleaseMembers(false);
    vehicle_ = MakeRef<ICatVehicle>();
  }

 private:
  Ref<ICatVehicle> vehicle_;
};

}  // namespace lombar
