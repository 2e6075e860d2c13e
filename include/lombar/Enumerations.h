// The three enumerations of the type library.
#pragma once

#include "lombar/Variant.h"

namespace lombar {

// What an item is; the filter values (90 and above) only select items in
// queries and are never stored by ICatItem's ItemType let.
enum qorCatalogItemType : Long {
  qcit_Part = 0,
  qcit_Labor = 1,
  qcit_Comment = 2,
  qcit_FilterApplied = 90,
  qcit_FilterPartsComments = 93,
  qcit_FilterLaborComments = 96,
  qcit_FilterAllTypes = 99,
};

// The sort modes of ICatItemCol.SortCatalog.
enum qorCatColItemSort : Long {
  qCCISundefined = 0,
  qCCISmanufacturer = 1,
  qCCISdscCostHiLo = 2,
  qCCISdscCostLoHi = 3,
  qCCISdscManufacturer = 4,
  qCCISitmgroupDsc = 5,
  qCCISitmgroup = 6,
  qCCIScatgroupDsc = 7,
  qCCISmclSequence = 8,
};

// The profile keys of ICatItemProfileCol.SortBy and ICatItemCol.GetItemProfiles.
enum qorCatItemProfileSort : Long {
  qcips_NoKeySet = 0,
  qcips_Description = 1,
  qcips_GroupAndType = 5,
  qcips_GroupAndManufacturer = 7,
  qcips_GenericID = 9,
};

}  // namespace lombar
