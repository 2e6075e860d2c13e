// The classes and enumerations the type library serves.
#include "frame/TypeLibrary.h"
#include "lombar/Enumerations.h"
#include "lombar/ICatInfo.h"
#include "lombar/ICatInfoCol.h"
#include "lombar/ICatItem.h"
#include "lombar/ICatItemCol.h"
#include "lombar/ICatItemProfile.h"
#include "lombar/ICatItemProfileCol.h"
#include "lombar/ICatList.h"
#include "lombar/ICatListCol.h"
#include "lombar/ICatPreset.h"
#include "lombar/ICatPresetCol.h"
#include "lombar/ICatPrice.h"
#include "lombar/ICatPriceCol.h"
#include "lombar/ICatProvider.h"
#include "lombar/ICatProviderCol.h"
#include "lombar/ICatSpec.h"
#include "lombar/ICatSpecCol.h"
#include "lombar/ICatStore.h"
#include "lombar/ICatStoreCol.h"
#include "lombar/ICatVehicle.h"
#include "lombar/ICatalog.h"

namespace lombar {

const std::vector<const ClassInfo*>& CreatableClasses() {
  // In the order of the type library.
  static const std::vector<const ClassInfo*> classes = {
      &ICatalog::TypeInfo(),        &ICatVehicle::TypeInfo(),        &ICatSpec::TypeInfo(),
      &ICatSpecCol::TypeInfo(),     &ICatProvider::TypeInfo(),       &ICatProviderCol::TypeInfo(),
      &ICatStore::TypeInfo(),       &ICatStoreCol::TypeInfo(),       &ICatItem::TypeInfo(),
      &ICatItemCol::TypeInfo(),     &ICatPrice::TypeInfo(),          &ICatPriceCol::TypeInfo(),
      &ICatInfo::TypeInfo(),        &ICatInfoCol::TypeInfo(),        &ICatList::TypeInfo(),
      &ICatListCol::TypeInfo(),     &ICatPreset::TypeInfo(),         &ICatPresetCol::TypeInfo(),
      &ICatItemProfile::TypeInfo(), &ICatItemProfileCol::TypeInfo(),
  };
  return classes;
}

const std::vector<Enumeration>& Enumerations() {
  static const std::vector<Enumeration> enumerations = {
      {"qorCatalogItemType",
       {{"qcit_Part", qcit_Part},
        {"qcit_Labor", qcit_Labor},
        {"qcit_Comment", qcit_Comment},
        {"qcit_FilterApplied", qcit_FilterApplied},
        {"qcit_FilterPartsComments", qcit_FilterPartsComments},
        {"qcit_FilterLaborComments", qcit_FilterLaborComments},
        {"qcit_FilterAllTypes", qcit_FilterAllTypes}}},
      {"qorCatColItemSort",
       {{"qCCISundefined", qCCISundefined},
        {"qCCISmanufacturer", qCCISmanufacturer},
        {"qCCISdscCostHiLo", qCCISdscCostHiLo},
        {"qCCISdscCostLoHi", qCCISdscCostLoHi},
        {"qCCISdscManufacturer", qCCISdscManufacturer},
        {"qCCISitmgroupDsc", qCCISitmgroupDsc},
        {"qCCISitmgroup", qCCISitmgroup},
        {"qCCIScatgroupDsc", qCCIScatgroupDsc},
        {"qCCISmclSequence", qCCISmclSequence}}},
      {"qorCatItemProfileSort",
       {{"qcips_NoKeySet", qcips_NoKeySet},
        {"qcips_Description", qcips_Description},
        {"qcips_GroupAndType", qcips_GroupAndType},
        {"qcips_GroupAndManufacturer", qcips_GroupAndManufacturer},
        {"qcips_GenericID", qcips_GenericID}}},
  };
  return enumerations;
}

}  // namespace lombar
