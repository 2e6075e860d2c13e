// What the record base (lombar/internal/Record.h) asks of its class's
// property table, whatever the class; RecordTable<T> answers it for T.
#pragma once

#include <string_view>
#include <vector>

#include "frame/TypeInfo.h"
#include "lombar/XmlShape.h"
#include "lombar/internal/Record.h"

namespace lombar {

class PlainXmlCursor;
class XmlPart;
class XmlWriter;

class RecordShape {
 public:
  virtual ~RecordShape() = default;

  virtual const ClassInfo& Surface() const = 0;
  // Writes the record's XML at the end of `parent`'s text, guarded as its XML get.
  virtual void WriteRecord(XmlWriter& parent, const Record& record) const = 0;
  // Reads the record from `xml` (a text that is empty reads nothing), first
  // resetting it when `reset`; guarded as its XML let.
  virtual void ReadRecord(Record& record, XmlPart xml, bool reset) const = 0;
  // The element that holds the record's leaves (empty when it has none), and
  // the values its XML carries in writing order.
  virtual std::string_view Group() const = 0;
  virtual std::vector<XmlValueShape> Shape() const = 0;
  // Whether Clear makes new child objects.
  virtual bool RenewsChildren() const = 0;
  virtual void ResetRecord(Record& record, bool destroy) const = 0;
  // The reset of a record just made, whose texts are still empty.
  virtual void ResetNewRecord(Record& record) const = 0;
  // Reads a record just made from its element in the plain form (RecordPlan::ReadPlain).
  virtual void ReadPlainRecord(Record& record, PlainXmlCursor& cursor,
                               std::string_view element) const = 0;
};

}  // namespace lombar
