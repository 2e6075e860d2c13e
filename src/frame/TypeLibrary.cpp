#include "frame/TypeLibrary.h"

#include <atomic>

#include "base/Text.h"

namespace lombar {
namespace {

std::atomic<ClassTableSource> registered_source{nullptr};

}  // namespace

const TypeLibraryInfo& TypeLibrary() {
  static const TypeLibraryInfo info{
      "qorkwz_LOMBARv3",
      "The objects of an aftermarket parts and labor catalog selection: vehicle, providers, "
      "stores, items and their prices.",
      Guid::Of("{C22212ED-5E03-4D43-8768-ABCEC1568719}"), 1, 2, 0x409};
  return info;
}

void RegisterClassTable(ClassTableSource source) noexcept {
  registered_source.store(source);
}

const ClassTable& Classes() {
  static const ClassTable none;
  const ClassTableSource source = registered_source.load();
  return source ? source() : none;
}

const std::vector<const ClassInfo*>& CreatableClasses() {
  return Classes().creatable;
}

const std::vector<Enumeration>& Enumerations() {
  return Classes().enumerations;
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
