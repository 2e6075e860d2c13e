// The collection of info records of a store or an ICatSpec. Records are
// kept under their Key when they have one, and the collection can name the
// record marked as the default one.
#pragma once

#include <string>
#include <string_view>

#include "lombar/ICatInfo.h"
#include "lombar/internal/Collection.h"

namespace lombar {

class XmlPart;
class XmlWriter;

class ICatInfoCol final : public Collection<ICatInfoCol, ICatInfo> {
 public:
  static constexpr std::string_view kClassName = "ICatInfoCol";
  const ClassInfo& Class() const override;

  // The group ICatInfoCol holding Count and the records' Info elements; the
  // empty text for no records.
  std::string XML() const;
  // Empties the collection, then adds a record for each Info element, each
  // under its Key. A failure midway leaves the records added so far.
  void SetXML(std::string_view xml);

  // The first record, in order, marked Default; Nothing when there is none.
  Ref<ICatInfo> DefaultCode() const;

  // A new record with these values, added under its Key (`key`) when that is not empty.
  Ref<ICatInfo> Add(std::string_view type, std::string_view line, std::string_view code,
                    std::string_view desc, std::string_view text, std::string_view tag,
                    bool is_default, std::string_view style, std::string_view key);
  // Adds the record itself under `key`, or under its Key when `key` is empty
  // (`key` then receives it); a key already present drops the record
  // silently. The record's Index becomes the Count after the append.
  Ref<ICatInfo> AddObject(const Ref<ICatInfo>& record, std::string& key);
  // The same for C++ hosts, returning the record and the key it was given.
  Added<ICatInfo> AddObject(const Ref<ICatInfo>& record, std::string_view key = {}) {
    return KeepingKey(key, [&](std::string& kept) { return AddObject(record, kept); });
  }

 private:
  friend class detail::ClassAccess;
  // Plumbing for the library's own sources: the class's description, and
  // its XML written straight into a parent's text or read from its part of
  // the parent's document.
  static const ClassInfo& TypeInfo();
  void AppendXML(XmlWriter& writer) const;
  void ReadXML(XmlPart xml);
};

}  // namespace lombar
