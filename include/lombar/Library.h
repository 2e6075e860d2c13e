// Creating library objects by name, as a host does through the class factory.
#pragma once

#include <string_view>

#include "lombar/AutomationObject.h"

namespace lombar {

// A new object of the class named by its ProgID ("qorkwz_LOMBARv3.ICatalog"),
// its bare class name or its class id text, in any letter case; error 429
// when no class has that name.
Ref<AutomationObject> CreateObject(std::string_view name);

}  // namespace lombar
