#include "lombar/ICatList.h"

#include "catalog/CollectionXml.h"
#include "frame/ClassBuilder.h"
#include "frame/ErrorTrap.h"
#include "frame/NumberParse.h"
#include "text/clsXML.h"

namespace lombar {
namespace {

Operation Op(std::string_view name) {
  return {ICatList::kClassName, name};
}

}  // namespace

const ClassInfo& ICatList::TypeInfo() {
  static const ClassInfo info =
      ClassBuilder<ICatList>(kClassName, "{6CB814F7-2E13-4CB1-A6C6-6B53CD31265C}",
                             "{30B7C980-43B4-45A0-98C0-43E34628800D}")
          .Get("XML", PropertyId(1), &ICatList::XML)
          .Let("XML", PropertyId(1), &ICatList::SetXML)
          .Let("ID", PropertyId(0), &ICatList::SetID)
          .Get("ID", PropertyId(0), &ICatList::ID)
          .Let("Heading", kDispIdValue, &ICatList::SetHeading)
          .Get("Heading", kDispIdValue, &ICatList::Heading)
          .Method("Clear", MethodId(2), &ICatList::Clear)
          .Build();
  return info;
}

std::string ICatList::XML() const {
  return Trapped(Op("Get XML"), [&] {
    // Unlike most classes, the thread's switches are not consulted.
    clsXML writer = SnippetWriter(XmlSwitches::AllOn());
    writer.Add(kClassName, "", true);
    writer.Add("ListID", std::to_string(id_));
    writer.Add("Heading", heading_);
    writer.EndGroup();
    return writer.XML();
  });
}

void ICatList::SetXML(std::string_view xml) {
  Trapped(Op("Let XML"), [&] {
    Clear();
    if (xml.empty()) return;
    clsXML reader;
    reader.SetXML(xml);
    id_ = Variant(LeadingNumber(reader.Value("ListID"))).ToLong();
    heading_ = reader.Value("Heading");
  });
}

void ICatList::Clear() {
  id_ = 0;
  heading_.clear();
}

}  // namespace lombar
