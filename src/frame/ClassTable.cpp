// The creatable classes. A class is listed here when its implementation lands.
#include "frame/TypeLibrary.h"

namespace lombar {

const std::vector<const ClassInfo*>& CreatableClasses() {
  static const std::vector<const ClassInfo*> classes = {};
  return classes;
}

}  // namespace lombar
