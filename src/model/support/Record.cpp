#include "lombar/internal/Record.h"

#include <utility>

#include "frame/DiagnosticLog.h"
#include "model/support/CollectionXml.h"
#include "model/support/RecordShape.h"

namespace lombar {

const ClassInfo& Record::Class() const {
  return shape_->Surface();
}

std::string Record::XML() const {
  return XmlOf(*this);
}

void Record::SetXML(std::string_view xml) {
  ReadXML(XmlPart(xml));
}

void Record::AppendXML(XmlWriter& writer) const {
  shape_->WriteRecord(writer, *this);
}

void Record::ReadXML(XmlPart xml) {
  shape_->ReadRecord(*this, std::move(xml), true);
}

void Record::SetXMLOfNew(XmlPart xml) {
  // Renewing the children a new object just made is seen only in the trace,
  // as their Class_Initialize lines: with tracing off they stand as made.
  shape_->ReadRecord(*this, std::move(xml), shape_->RenewsChildren() && TraceSwitch());
}

void Record::ClearFields(bool destroy) {
  shape_->ResetRecord(*this, destroy);
}

void Record::InitializeFields() {
  shape_->ResetNewRecord(*this);
}

}  // namespace lombar
