// The creatable classes. A class is listed here when its implementation lands.
#include "frame/TypeLibrary.h"
#include "lombar/ICatInfo.h"
#include "lombar/ICatInfoCol.h"
#include "lombar/ICatList.h"
#include "lombar/ICatListCol.h"
#include "lombar/ICatPreset.h"
#include "lombar/ICatPresetCol.h"
#include "lombar/ICatProvider.h"
#include "lombar/ICatProviderCol.h"
#include "lombar/ICatSpec.h"
#include "lombar/ICatSpecCol.h"
#include "lombar/ICatVehicle.h"

namespace lombar {

const std::vector<const ClassInfo*>& CreatableClasses() {
  static const std::vector<const ClassInfo*> classes = {
      &ICatVehicle::TypeInfo(),  &ICatSpec::TypeInfo(),        &ICatSpecCol::TypeInfo(),
      &ICatProvider::TypeInfo(), &ICatProviderCol::TypeInfo(), &ICatInfo::TypeInfo(),
      &ICatInfoCol::TypeInfo(),  &ICatList::TypeInfo(),        &ICatListCol::TypeInfo(),
      &ICatPreset::TypeInfo(),   &ICatPresetCol::TypeInfo(),
  };
  return classes;
}

}  // namespace lombar
