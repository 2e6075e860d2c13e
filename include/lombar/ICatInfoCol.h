// The collection of info records of a store or an ICatSpec. Records are
// kept under their Key when they have one, and the collection can name the
// record marked as the default one.
#pragma once

#include <string>
#include <string_view>

#include "lombar/internal/Collection.h"
#include "lombar/ICatInfo.h"

namespace lombar {

class XmlPart;
class XmlWriter;

class ICatInfoCol final : public Collection<ICatInfoCol, ICatInfo> {
 public:
  static constexpr std::string_view kClassName = "ICatInfoCol";
  static const ClassInfo& TypeInfo();

  // The group ICatInfoCol holding Count and the records' Info elements; the
  // empty text for no records.
  std::string XML() const;
  // The same XML, written at the end of `writer`'s text (the library's own
  // writers nest objects this way, each writing straight into the document).
  void AppendXML(XmlWriter& writer) const;
  // Empties the collection, then adds a record for each Info element, each
  // under its Key. A failure midway leaves the records added so far.
  void SetXML(std::string_view xml);
  // The same for a part of a document the library reads, handed over with
  // the document's index by the reader of the element around it.
  void ReadXML(XmlPart xml);

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
};

}  // namespace lombar
