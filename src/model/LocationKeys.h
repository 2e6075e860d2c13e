// Location keys. Stores, prices and providers are kept under a directory key
// (MCLdir). The text JOBBER is reserved: it is never stored as a key, and on
// look-ups it, and "#" or "S#" followed by a seller ID, stand for the
// directory of the default provider or of that seller in this thread's
// global provider collection (JobberKey, declared with the location
// collections that translate their keys through it).
#pragma once

#include <array>
#include <string_view>

#include "lombar/internal/LocationCollection.h"

namespace lombar {

// The prefixes that make a key a seller alias, in the order they are tested.
inline constexpr std::array<std::string_view, 2> kSellerAliasPrefixes = {"#", "S#"};

// Whether `key` is exactly JOBBER, which no collection keeps.
bool IsReservedKey(std::string_view key) noexcept;
// Error 17 from source DEV with `description` when `key` is exactly JOBBER.
void RefuseReservedKey(std::string_view key, std::string_view description);
// The refusal of JOBBER as a directory key (MCLdir) of a store or provider.
void RefuseReservedDirectory(std::string_view mcl_dir);

}  // namespace lombar
