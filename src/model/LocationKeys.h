// Location keys. Stores, prices and providers are kept under a directory key
// (MCLdir). The text JOBBER is reserved: it is never stored as a key, and on
// look-ups it, and "#" or "S#" followed by a seller ID, stand for the
// directory of the default provider or of that seller in this thread's
// global provider collection.
#pragma once

#include <array>
#include <string_view>

#include "lombar/Variant.h"

namespace lombar {

// The prefixes that make a key a seller alias, in the order they are tested.
inline constexpr std::array<std::string_view, 2> kSellerAliasPrefixes = {"#", "S#"};

// The key with an alias replaced by the directory it stands for, through the
// thread's global provider collection (none: the empty text):
// - JOBBER in any letter case: the default provider's MCLdir;
// - "#" or "S#" (exactly) and a seller ID: that seller's MCLdir, or the
//   default provider's when no provider carries the seller ID;
// - anything else, a position number too: the key unchanged.
// Traced and trapped as the global module's "JobberKey".
Variant JobberKey(const Variant& key);

// Error 17 from source DEV with `description` when `key` is exactly JOBBER.
void RefuseReservedKey(std::string_view key, std::string_view description);
// The refusal of JOBBER as a directory key (MCLdir) of a store or provider.
void RefuseReservedDirectory(std::string_view mcl_dir);

}  // namespace lombar
