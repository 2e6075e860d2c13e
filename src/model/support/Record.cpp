#include "lombar/internal/Record.h"

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
  shape_->ReadRecord(*this, xml, true);
}

void Record::AppendXML(clsXML& writer) const {
  shape_->WriteRecord(writer, *this);
}

void Record::SetXMLOfNew(std::string_view xml) {
  // Renewing the children a new object just made is seen only in the trace,
  // as their Class_Initialize lines: with tracing off they stand as made.
  shape_->ReadRecord(*this, xml, shape_->RenewsChildren() && TraceSwitch());
}

void Record::ClearFields(bool destroy) {
  shape_->ResetRecord(*this, destroy);
}

void Record::InitializeFields() {
  shape_->ResetNewRecord(*this);
}

}  // namespace lombar
