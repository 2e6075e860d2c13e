// The base of the record classes: objects whose stored values are declared
// in one property table (their automation surface, XML form and Clear rule
// together), which the library keeps beside each class. The base gives such
// a class its surface, its XML get and let and the resetting its Clear does;
// the class itself holds the values and their typed accessors.
#pragma once

#include <string>
#include <string_view>

#include "lombar/AutomationObject.h"

namespace lombar {

class XmlPart;
class XmlWriter;
// A record class's property table, as the base reads it (defined with the library).
class RecordShape;

class Record : public AutomationObject {
 public:
  // The automation surface the class's table declares.
  const ClassInfo& Class() const final;

  // The class's XML element, written from its table.
  std::string XML() const;
  // Resets the values Clear resets, then, unless the text is empty, reads
  // every value the table places in the XML from it; a value the text lacks
  // reads as empty, false or 0.
  void SetXML(std::string_view xml);

 protected:
  Record() noexcept = default;
  // Resets every value the table does not mark as kept to its initial value;
  // child objects are renewed (released for good when `destroy`) or cleared
  // in place, as the table says.
  void ClearFields(bool destroy = false);
  // ClearFields for an object being made: values its members already start
  // at (empty texts) are left as they are.
  void InitializeFields();

 private:
  friend class detail::ClassAccess;
  // The XML, written at the end of `writer`'s text (a parent writes its
  // children this way, each straight into the document).
  void AppendXML(XmlWriter& writer) const;
  // SetXML for a part of a document the library reads, handed over with the
  // document's index by the reader of the element around it.
  void ReadXML(XmlPart xml);
  // ReadXML on an object just made, as collections load their members: a new
  // object already holds what the reset would give it, so the reset is left
  // out unless it renews child objects while tracing is on (making objects
  // is seen in the trace).
  void SetXMLOfNew(XmlPart xml);
  // The class's own table (its Table()): the class knows it, so that no
  // object carries it.
  virtual const RecordShape& Shape() const = 0;
};

}  // namespace lombar
