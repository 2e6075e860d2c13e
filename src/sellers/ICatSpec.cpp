#include "lombar/ICatSpec.h"

#include <cstdint>
#include <cstdlib>

#include "catalog/CollectionXml.h"
#include "frame/ClassBuilder.h"
#include "frame/ErrorTrap.h"
#include "text/clsXML.h"

namespace lombar {
namespace {

constexpr std::size_t kKeyDigits = 5;

Operation Op(std::string_view name) {
  return {ICatSpec::kClassName, name};
}

// The group as at least five digits, zero-padded, a minus sign before them.
std::string PaddedGroup(Long group) {
  std::string digits = std::to_string(std::llabs(std::int64_t{group}));
  if (digits.size() < kKeyDigits) digits.insert(0, kKeyDigits - digits.size(), '0');
  return group < 0 ? "-" + digits : digits;
}

}  // namespace

const ClassInfo& ICatSpec::TypeInfo() {
  static const ClassInfo info =
      ClassBuilder<ICatSpec>(kClassName, "{DDDEEF28-9398-4FF2-945E-CDA6E6C5961B}",
                             "{6FD81CE1-5326-46FF-A8E3-2493289317E9}")
          .Get("XML", PropertyId(4), &ICatSpec::XML)
          .Let("XML", PropertyId(4), &ICatSpec::SetXML)
          .Let("TypeX", PropertyId(3), &ICatSpec::SetTypeX)
          .Get("TypeX", PropertyId(3), &ICatSpec::TypeX)
          .Let("Group", PropertyId(2), &ICatSpec::SetGroup)
          .Get("Group", PropertyId(2), &ICatSpec::Group)
          .Method("Key", MethodId(5), &ICatSpec::Key)
          .Get("Index", PropertyId(1), &ICatSpec::Index)
          .Set("Information", PropertyId(0), &ICatSpec::SetInformation)
          .Get("Information", PropertyId(0), &ICatSpec::Information)
          .Method("Clear", MethodId(6), &ICatSpec::Clear)
          .Build();
  return info;
}

ICatSpec::ICatSpec() : information_(MakeRef<ICatInfoCol>()) {}

std::string ICatSpec::Key() const {
  return type_ + PaddedGroup(group_);
}

std::string ICatSpec::XML() const {
  return TracedAndTrapped(Op("Get XML"), [&] {
    clsXML writer = SnippetWriter(XmlSwitches::OfThread());
    writer.Add(kElement, "", true);
    writer.Add("Type", type_);
    writer.Add("Group", std::to_string(group_));
    writer.AddXML(information_->XML());
    writer.EndGroup();
    return writer.XML();
  });
}

void ICatSpec::SetXML(std::string_view xml) {
  TracedAndTrapped(Op("Let XML"), [&] {
    Clear();
    if (xml.empty()) return;
    clsXML reader;
    reader.SetXML(xml);
    type_ = reader.Value("Type");
    // The locale's conversion, not the reader's leading number: a Group that
    // is missing or not a number is a type mismatch.
    group_ = Variant(reader.Value("Group")).ToLong();
    information_->SetXML(reader.Block(ICatInfoCol::kClassName, 1));
  });
}

void ICatSpec::Clear() {
  type_.clear();
  group_ = 0;
  information_->Clear(false);
}

}  // namespace lombar
