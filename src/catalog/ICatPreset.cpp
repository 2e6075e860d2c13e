#include "lombar/ICatPreset.h"

#include "catalog/CollectionXml.h"
#include "frame/ClassBuilder.h"
#include "frame/ErrorTrap.h"
#include "text/clsXML.h"

namespace lombar {
namespace {

Operation Op(std::string_view name) {
  return {ICatPreset::kClassName, name};
}

}  // namespace

const ClassInfo& ICatPreset::TypeInfo() {
  static const ClassInfo info =
      ClassBuilder<ICatPreset>(kClassName, "{B5941FB4-B2B0-42A5-8B99-67D9A696AD0B}",
                               "{2FBBF3A5-CB48-474E-95F0-387508FF9A6C}")
          .Get("XML", PropertyId(3), &ICatPreset::XML)
          .Let("XML", PropertyId(3), &ICatPreset::SetXML)
          .Let("Category", PropertyId(2), &ICatPreset::SetCategory)
          .Get("Category", PropertyId(2), &ICatPreset::Category)
          .Let("Group", PropertyId(1), &ICatPreset::SetGroup)
          .Get("Group", PropertyId(1), &ICatPreset::Group)
          .Let("Description", PropertyId(0), &ICatPreset::SetDescription)
          .Get("Description", PropertyId(0), &ICatPreset::Description)
          .Method("Clear", MethodId(4), &ICatPreset::Clear)
          .Build();
  return info;
}

std::string ICatPreset::XML() const {
  return Trapped(Op("Get XML"), [&] {
    clsXML writer = SnippetWriter(XmlSwitches::OfThread());
    writer.Add(kClassName, "", true);
    writer.Add("Category", category_);
    writer.Add("Group", group_);
    writer.Add("Description", description_);
    writer.EndGroup();
    return writer.XML();
  });
}

void ICatPreset::SetXML(std::string_view xml) {
  Trapped(Op("Let XML"), [&] {
    Clear();
    if (xml.empty()) return;
    clsXML reader;
    reader.SetXML(xml);
    category_ = reader.Value("Category");
    group_ = reader.Value("Group");
    description_ = reader.Value("Description");
  });
}

void ICatPreset::Clear() {
  category_.clear();
  group_.clear();
  description_.clear();
}

}  // namespace lombar
