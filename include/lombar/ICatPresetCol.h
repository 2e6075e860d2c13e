// The preset lookups of a catalog, with the vehicle they belong to. Members
// are kept under the key their caller gives; loaded from XML, under their
// Category, Group and Description joined.
#pragma once

#include <string>
#include <string_view>

#include "lombar/ICatPreset.h"
#include "lombar/internal/ReferenceCollection.h"

namespace lombar {

class ICatPresetCol final : public ReferenceCollection<ICatPresetCol, ICatPreset> {
 public:
  static constexpr std::string_view kClassName = "ICatPresetCol";
  const ClassInfo& Class() const override;

  // A new preset with these values, added under `key` unless it is empty; a
  // key already present drops the preset silently.
  Ref<ICatPreset> Add(std::string_view category, std::string_view group,
                      std::string_view description, std::string_view key);

 private:
  friend class detail::ClassAccess;
  friend class ReferenceCollection<ICatPresetCol, ICatPreset>;
  // Plumbing for the library's own sources: the class's description.
  static const ClassInfo& TypeInfo();

  // Under Category, Group and Description joined ("SparkPlugs" for Spark,
  // Plugs and no description); without a key when all three are empty.
  void AddLoaded(const Ref<ICatPreset>& preset);
};

}  // namespace lombar
