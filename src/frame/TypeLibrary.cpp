#include "frame/TypeLibrary.h"

#include "base/Text.h"

namespace lombar {

const TypeLibraryInfo& TypeLibrary() {
  static const TypeLibraryInfo info{
      "qorkwz_LOMBARv3",
      "The objects of an aftermarket parts and labor catalog selection: vehicle, providers, "
      "stores, items and their prices.",
      Guid::Of("{C22212ED-5E03-4D43-8768-ABCEC1568719}"), 1, 2, 0x409};
  return info;
}

std::string ProgIdOf(const ClassInfo& info) {
  return std::string(TypeLibrary().name) + "." + info.name;
}

const ClassInfo* FindClass(std::string_view name) {
  if (const auto clsid = Guid::Parse(name)) return FindClass(*clsid);
  for (const ClassInfo* info : CreatableClasses()) {
    if (EqualsIgnoringCase(name, info->name) || EqualsIgnoringCase(name, ProgIdOf(*info))) {
      return info;
    }
  }
  return nullptr;
}

const ClassInfo* FindClass(const Guid& clsid) {
  for (const ClassInfo* info : CreatableClasses()) {
    if (info->clsid == clsid) return info;
  }
  return nullptr;
}

}  // namespace lombar
