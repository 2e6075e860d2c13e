// The library's C++ interface in one header: the twenty catalog classes,
// their values, errors and event sinks, and creating objects by name.
// (lombar/lombar.h is the C interface.)
#pragma once

#include "lombar/Enumerations.h"
#include "lombar/Error.h"
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
#include "lombar/Library.h"
#include "lombar/TextCollection.h"
