#include "model/ClassTable.h"

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
#include "lombar/TextCollection.h"
#include "model/support/ClassAccess.h"

namespace lombar {
namespace {

using detail::ClassAccess;

template <class T>
const ClassInfo& Surface() {
  return ClassAccess::Surface<T>();
}

std::vector<Enumeration> ModelEnumerations() {
  return {
      {"qorCatalogItemType",
       "What kind of line an item is (ICatItem.ItemType), and the type filters of "
       "ICatItemCol.GetItemProfiles.",
       {{"qcit_Part", qcit_Part, "A part."},
        {"qcit_Labor", qcit_Labor, "A labor operation."},
        {"qcit_Comment", qcit_Comment, "A comment line."},
        {"qcit_FilterApplied", qcit_FilterApplied,
         "As a filter: every type (ItemType stores 0 for it, as for every value from 90 on)."},
        {"qcit_FilterPartsComments", qcit_FilterPartsComments,
         "As a filter: every type but labor."},
        {"qcit_FilterLaborComments", qcit_FilterLaborComments,
         "As a filter: every type but parts."},
        {"qcit_FilterAllTypes", qcit_FilterAllTypes, "As a filter: every type."}}},
      {"qorCatColItemSort",
       "The display orders ICatItemCol.SortCatalog puts items in; each constant names the order "
       "it gives parts.",
       {{"qCCISundefined", qCCISundefined, "Item group, line code, part number."},
        {"qCCISmanufacturer", qCCISmanufacturer, "As qCCISundefined."},
        {"qCCISdscCostHiLo", qCCISdscCostHiLo,
         "Item group, heading, description, then the highest cost first."},
        {"qCCISdscCostLoHi", qCCISdscCostLoHi,
         "Item group, heading, description, then the lowest cost first."},
        {"qCCISdscManufacturer", qCCISdscManufacturer,
         "Item group, heading, description, line code, part number."},
        {"qCCISitmgroupDsc", qCCISitmgroupDsc, "Item group, heading, description, part number."},
        {"qCCISitmgroup", qCCISitmgroup, "Item group, catalog sequence."},
        {"qCCIScatgroupDsc", qCCIScatgroupDsc, "Catalog group, heading, description."},
        {"qCCISmclSequence", qCCISmclSequence, "Catalog group, catalog sequence."}}},
      {"qorCatItemProfileSort",
       "The key of the item profiles that ICatItemCol.GetItemProfiles gathers (one profile per "
       "key), and their order in ICatItemProfileCol.SortBy.",
       {{"qcips_NoKeySet", qcips_NoKeySet,
         "No key: one profile per item, in item order; SortBy sorts as by qcips_Description."},
        {"qcips_Description", qcips_Description,
         "Keyed by description; sorted by item type, then description."},
        {"qcips_GroupAndType", qcips_GroupAndType,
         "Keyed by group number and part type code; sorted by item type, then those."},
        {"qcips_GroupAndManufacturer", qcips_GroupAndManufacturer,
         "Keyed by group number and manufacturer name; sorted by item type, then those."},
        {"qcips_GenericID", qcips_GenericID,
         "Keyed by generic identifier; sorted by item type, then that."}}},
  };
}

const ClassTable& ModelClassTable() {
  // The creatable classes in the order of the type library.
  static const ClassTable table{
      .creatable = {&Surface<ICatalog>(),        &Surface<ICatVehicle>(),
                    &Surface<ICatSpec>(),        &Surface<ICatSpecCol>(),
                    &Surface<ICatProvider>(),    &Surface<ICatProviderCol>(),
                    &Surface<ICatStore>(),       &Surface<ICatStoreCol>(),
                    &Surface<ICatItem>(),        &Surface<ICatItemCol>(),
                    &Surface<ICatPrice>(),       &Surface<ICatPriceCol>(),
                    &Surface<ICatInfo>(),        &Surface<ICatInfoCol>(),
                    &Surface<ICatList>(),        &Surface<ICatListCol>(),
                    &Surface<ICatPreset>(),      &Surface<ICatPresetCol>(),
                    &Surface<ICatItemProfile>(), &Surface<ICatItemProfileCol>()},
      .handed_out = {&Surface<TextCollection>()},
      .enumerations = ModelEnumerations()};
  return table;
}

// The library file registers the classes as it is loaded, before any host
// can call it; programs linking the static archive call RegisterModelClasses
// themselves, as the linker keeps this file only when they do.
[[maybe_unused]] const bool registered_at_load = (RegisterModelClasses(), true);

}  // namespace

void RegisterModelClasses() noexcept {
  RegisterClassTable(&ModelClassTable);
}

}  // namespace lombar
