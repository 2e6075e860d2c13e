#include "lombar/internal/Record.h"

#include <utility>

#include "frame/DiagnosticLog.h"
#include "model/support/CollectionXml.h"
#include "model/support/RecordShape.h"

namespace lombar {

const ClassInfo& Record::Class() const {
  return Shape().Surface();
}

std::string Record::XML() const {
  return XmlOf(*this);
}

void Record::SetXML(std::string_view xml) {
  ReadXML(XmlPart(xml));
}

void Record::AppendXML(XmlWriter& writer) const {
  Shape().WriteRecord(writer, *this);
}

void Record::ReadXML(XmlPart xml) {
  Shape().ReadRecord(*this, std::move(xml), true);
}

void Record::SetXMLOfNew(XmlPart xml) {
  // Renewing the children a new object just made is seen only in the trace,
  // as their Class_Initialize lines: with tracing off they stand as made.
  const RecordShape& shape = Shape();
  shape.ReadRecord(*this, std::move(xml), shape.RenewsChildren() && TraceSwitch());
}

void Record::ClearFields(bool destroy) {
  Shape().ResetRecord(*this, destroy);
}

void Record::InitializeFields() {
  Shape().ResetNewRecord(*this);
}

}  // namespace lombar
