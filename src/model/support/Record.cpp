#include "lombar/internal/Record.h"

#include <utility>

#include "frame/DiagnosticLog.h"
#include "model/support/CollectionXml.h"
#include "model/support/RecordPlan.h"
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

void AppendLongPackedNumber(std::string& packed, std::size_t number) {
  for (; number >= 0x80; number >>= 7)
    packed += static_cast<char>(0x80 | (number & 0x7F));
  packed += static_cast<char>(number);
}

std::size_t TakeLongPackedNumber(std::string_view& packed) noexcept {
  std::size_t number = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(packed.front());
    packed.remove_prefix(1);
    number |= static_cast<std::size_t>(byte & 0x7F) << shift;
    if (byte < 0x80) return number;
  }
}

}  // namespace lombar
