// A collection of item profiles, as an item collection gathers them from its
// items, each kept under its Key when it has one, and sortable by one of
// four keys.
//
// A Key that is numeric text is held under "K#" and the Key (Key 123 under
// K#123), so that it can never be taken for a position; look-ups (Item,
// Exists, Remove) take the collection key as it is held. SortBy re-stores
// every profile under its Key as it stands, without the prefix.
#pragma once

#include <string>
#include <string_view>

#include "lombar/Enumerations.h"
#include "lombar/ICatItemProfile.h"
#include "lombar/internal/Collection.h"

namespace lombar {

class XmlPart;
class XmlWriter;

class ICatItemProfileCol final : public Collection<ICatItemProfileCol, ICatItemProfile> {
 public:
  static constexpr std::string_view kClassName = "ICatItemProfileCol";
  const ClassInfo& Class() const override;

  ICatItemProfileCol();

  // The group ICatItemProfileCol holding Count and the profiles'
  // ItemProfile elements; the empty text for no profiles.
  std::string XML() const;
  // Empties the collection, then adds a profile for each ItemProfile
  // element with AddObject. A failure midway leaves the profiles added so far.
  void SetXML(std::string_view xml);

  // Reorders the profiles by the decimal ItemType followed by the fields of
  // `sort_by` (a qorCatItemProfileSort: GroupNumber and PartTypeCode,
  // GroupNumber and ManufacturerName, GenericID, and Description for any
  // other value), in ascending binary text order; profiles with equal keys
  // keep their order. Each is then held under its Key as it stands (no "K#"), or
  // without a key. A key met twice in that refill raises 457 and leaves the
  // collection as it was.
  void SortBy(Long sort_by);

  // Adds the profile itself under the collection key its Key gives; a key
  // already present drops it silently. Nothing adds nothing.
  Ref<ICatItemProfile> AddObject(const Ref<ICatItemProfile>& profile);
  // A new profile (ItemType 0) with these values, added as by AddObject.
  Ref<ICatItemProfile> Add(std::string_view description, std::string_view group_number,
                           std::string_view part_type_code, std::string_view generic_description,
                           std::string_view generic_id, std::string_view manufacturer_name,
                           std::string_view tag, std::string_view key);

 private:
  friend class detail::ClassAccess;
  // Plumbing for the library's own sources: the class's description, and
  // its XML written straight into a parent's text or read from its part of
  // the parent's document.
  static const ClassInfo& TypeInfo();
  void AppendXML(XmlWriter& writer) const;
  void ReadXML(XmlPart xml);

  // Appends under the collection key of the profile's Key; duplicates dropped.
  void AppendByKeyRule(const Ref<ICatItemProfile>& profile);
};

}  // namespace lombar
