// The preset lookups of a catalog, with the vehicle they belong to. Members
// are kept under the key their caller gives; loaded from XML, under their
// Category, Group and Description joined.
#pragma once

#include <string>
#include <string_view>

#include "lombar/ICatPreset.h"
#include "lombar/internal/ReferenceCollection.h"

namespace lombar {

class XmlPart;
class XmlWriter;

class ICatPresetCol final : public ReferenceCollection<ICatPresetCol, ICatPreset> {
 public:
  static constexpr std::string_view kClassName = "ICatPresetCol";
  const ClassInfo& Class() const override;

  // The group holding Count, the members and the vehicle; the empty text
  // when there are no members, whatever the vehicle holds.
  std::string XML() const;
  // Drops the members and the vehicle for new empty ones, then loads the
  // members (a key already present drops its member silently) and the
  // vehicle. A failure midway leaves the members added before it.
  void SetXML(std::string_view xml);

  // A new preset with these values, added under `key` unless it is empty; a
  // key already present drops the preset silently.
  Ref<ICatPreset> Add(std::string_view category, std::string_view group,
                      std::string_view description, std::string_view key);

 private:
  friend class detail::ClassAccess;
  // Plumbing for the library's own sources: the class's description, and
  // its XML written straight into a parent's text or read from its part of
  // the parent's document.
  static const ClassInfo& TypeInfo();
  void AppendXML(XmlWriter& writer) const;
  void ReadXML(XmlPart xml);

  // Under Category, Group and Description joined ("SparkPlugs" for Spark,
  // Plugs and no description); without a key when all three are empty.
  void AddLoaded(const Ref<ICatPreset>& preset);
};

}  // namespace lombar
