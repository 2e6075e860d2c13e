// The creatable classes. A class is listed here when its implementation lands.
#include "frame/TypeLibrary.h"
#include "lombar/ICatInfo.h"
#include "lombar/ICatInfoCol.h"

namespace lombar {

const std::vector<const ClassInfo*>& CreatableClasses() {
  static const std::vector<const ClassInfo*> classes = {
      &ICatInfo::TypeInfo(),
      &ICatInfoCol::TypeInfo(),
  };
  return classes;
}

}  // namespace lombar
