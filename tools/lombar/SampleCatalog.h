// Realistic catalog documents made from a seed, for trying hosts and the
// library on data that looks like a parts counter's.
#pragma once

#include <cstdint>
#include <string>

namespace lombar::tool {

struct SampleOptions {
  int items = 36;  // over all stores together
  int stores = 3;
  std::uint64_t seed = 1;
  int prices = 0;  // at each part: 1 to 3 (the seller locations), 0 for a varying number
};

// A catalog document: a vehicle with specs, three providers (the first the
// default, the second a virtual warehouse), the stores with parts, labor and
// comments priced at several locations, related items tied by cross
// references, info records, presets and lists. The same options give the
// same bytes.
std::string SampleCatalog(const SampleOptions& options);

}  // namespace lombar::tool
