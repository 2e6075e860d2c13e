// The classes and enumerations the type library serves.
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
