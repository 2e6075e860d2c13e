#include "frame/TypeLibrary.h"

#include "text/TextHelpers.h"

namespace lombar {

const TypeLibraryInfo& TypeLibrary() {
  static const TypeLibraryInfo info{
      "qorkwz_LOMBARv3", Guid::Of("{C22212ED-5E03-4D43-8768-ABCEC1568719}"), 1, 2, 0x409};
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

const std::vector<Enumeration>& Enumerations() {
  static const std::vector<Enumeration> enumerations = {
      {"qorCatalogItemType",
       {{"qcit_Part", 0},
        {"qcit_Labor", 1},
        {"qcit_Comment", 2},
        {"qcit_FilterApplied", 90},
        {"qcit_FilterPartsComments", 93},
        {"qcit_FilterLaborComments", 96},
        {"qcit_FilterAllTypes", 99}}},
      {"qorCatColItemSort",
       {{"qCCISundefined", 0},
        {"qCCISmanufacturer", 1},
        {"qCCISdscCostHiLo", 2},
        {"qCCISdscCostLoHi", 3},
        {"qCCISdscManufacturer", 4},
        {"qCCISitmgroupDsc", 5},
        {"qCCISitmgroup", 6},
        {"qCCIScatgroupDsc", 7},
        {"qCCISmclSequence", 8}}},
      {"qorCatItemProfileSort",
       {{"qcips_NoKeySet", 0},
        {"qcips_Description", 1},
        {"qcips_GroupAndType", 5},
        {"qcips_GroupAndManufacturer", 7},
        {"qcips_GenericID", 9}}},
  };
  return enumerations;
}

}  // namespace lombar
