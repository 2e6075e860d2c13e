// The base of the record classes: objects whose stored values are declared
// in one property table (their automation surface, XML form and Clear rule
// together, see the library's RecordTable). The base gives such a class its
// surface, its XML get and let and the resetting its Clear does; the class
// itself holds the values and their typed accessors.
#pragma once

#include <string>
#include <string_view>

#include "lombar/AutomationObject.h"

namespace lombar {

class XmlPart;
class XmlWriter;

template <class T>
class RecordTable;

template <class T>
class Record : public AutomationClass<T> {
 public:
  // The automation surface the class's table declares.
  static const ClassInfo& TypeInfo();

  // The class's XML element, written from its table.
  std::string XML() const;
  // The same XML, written at the end of `writer`'s text (the library's own
  // writers nest objects this way, each writing straight into the document).
  void AppendXML(XmlWriter& writer) const;
  // Resets the values Clear resets, then, unless the text is empty, reads
  // every value the table places in the XML from it; a value the text lacks
  // reads as empty, false or 0.
  void SetXML(std::string_view xml);
  // The same for a part of a document the library reads, handed over with
  // the document's index by the reader of the element around it.
  void ReadXML(XmlPart xml);
  // ReadXML on an object just made, as collections load their members: a new
  // object already holds what the reset would give it, so the reset is left
  // out unless it renews child objects while tracing is on (making objects
  // is seen in the trace).
  void SetXMLOfNew(XmlPart xml);

 protected:
  Record() = default;
  // Resets every value the table does not mark as kept to its initial value;
  // child objects are renewed (released for good when `destroy`) or cleared
  // in place, as the table says.
  void ClearFields(bool destroy = false);
  // ClearFields for an object being made: values its members already start
  // at (empty texts) are left as they are.
  void InitializeFields();

 private:
  void LoadXML(XmlPart xml, bool reset);
};

}  // namespace lombar
