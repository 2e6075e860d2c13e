#include "lombar/ICatInfo.h"

#include <array>
#include <span>

#include "catalog/CollectionXml.h"
#include "frame/ClassBuilder.h"
#include "frame/ErrorTrap.h"
#include "text/TextHelpers.h"
#include "text/clsXML.h"

namespace lombar {
namespace {

constexpr std::string_view kElement = "Info";

Operation Op(std::string_view name) {
  return {ICatInfo::kClassName, name};
}

// One attribute of the Info element and the record value it carries.
struct Attribute {
  std::string_view name;
  std::string (*written)(const ICatInfo&);
  void (*read)(ICatInfo&, std::string_view);
};

template <const std::string& (ICatInfo::*kGet)() const, void (ICatInfo::*kSet)(std::string_view)>
constexpr Attribute TextAttribute(std::string_view name) {
  return {name, [](const ICatInfo& record) { return (record.*kGet)(); },
          [](ICatInfo& record, std::string_view value) { (record.*kSet)(value); }};
}

constexpr Attribute kDefaultAttribute{
    "Default",
    [](const ICatInfo& record) -> std::string { return record.Default() ? "True" : "False"; },
    [](ICatInfo& record, std::string_view value) {
      record.SetDefault(EqualsIgnoringCase(value, "TRUE"));
    }};

// The written order, which is also the order they must be read in: the
// reader continues each attribute search after the previous one.
constexpr std::array kAttributes = {
    TextAttribute<&ICatInfo::TypeX, &ICatInfo::SetTypeX>("Type"),
    TextAttribute<&ICatInfo::Line, &ICatInfo::SetLine>("Line"),
    TextAttribute<&ICatInfo::Code, &ICatInfo::SetCode>("Code"),
    TextAttribute<&ICatInfo::Desc, &ICatInfo::SetDesc>("Desc"),
    TextAttribute<&ICatInfo::Text, &ICatInfo::SetText>("Text"),
    TextAttribute<&ICatInfo::Tag, &ICatInfo::SetTag>("Tag"),
    kDefaultAttribute,
    TextAttribute<&ICatInfo::Style, &ICatInfo::SetStyle>("Style"),
    TextAttribute<&ICatInfo::Key, &ICatInfo::SetKey>("Key"),
};

}  // namespace

const ClassInfo& ICatInfo::TypeInfo() {
  static const ClassInfo info =
      ClassBuilder<ICatInfo>(kClassName, "{434E66F0-331D-4728-8382-4F1EBDE4630E}",
                             "{18B00109-C937-4F6F-A78B-3A8A626ABF1E}")
          .Get("XML", PropertyId(10), &ICatInfo::XML)
          .Let("XML", PropertyId(10), &ICatInfo::SetXML)
          .Let("TypeX", PropertyId(9), &ICatInfo::SetTypeX)
          .Get("TypeX", PropertyId(9), &ICatInfo::TypeX)
          .Let("Line", PropertyId(8), &ICatInfo::SetLine)
          .Get("Line", PropertyId(8), &ICatInfo::Line)
          .Let("Code", PropertyId(7), &ICatInfo::SetCode)
          .Get("Code", PropertyId(7), &ICatInfo::Code)
          .Let("Desc", PropertyId(6), &ICatInfo::SetDesc)
          .Get("Desc", PropertyId(6), &ICatInfo::Desc)
          .Let("Text", PropertyId(5), &ICatInfo::SetText)
          .Get("Text", PropertyId(5), &ICatInfo::Text)
          .Let("Tag", PropertyId(4), &ICatInfo::SetTag)
          .Get("Tag", PropertyId(4), &ICatInfo::Tag)
          .Let("Default", PropertyId(3), &ICatInfo::SetDefault)
          .Get("Default", PropertyId(3), &ICatInfo::Default)
          .Let("Style", PropertyId(2), &ICatInfo::SetStyle)
          .Get("Style", PropertyId(2), &ICatInfo::Style)
          .Let("Key", PropertyId(1), &ICatInfo::SetKey)
          .Get("Key", PropertyId(1), &ICatInfo::Key)
          .Get("Index", PropertyId(0), &ICatInfo::Index)
          .Method("Clear", MethodId(11), &ICatInfo::Clear)
          .Build();
  return info;
}

std::string ICatInfo::XML() const {
  return Trapped(Op("Get XML"), [&] {
    clsXML writer = SnippetWriter(XmlSwitches::OfThread());
    const Attribute& first = kAttributes.front();
    writer.AddAttrVal(kElement, first.name, first.written(*this));
    for (const Attribute& attribute : std::span(kAttributes).subspan(1)) {
      writer.SetAttrib(kElement, attribute.name, attribute.written(*this));
    }
    return writer.XML();
  });
}

void ICatInfo::SetXML(std::string_view xml) {
  Trapped(Op("Let XML"), [&] {
    Clear();
    if (xml.empty()) return;
    clsXML reader;
    reader.SetXML(xml);
    for (const Attribute& attribute : kAttributes) {
      attribute.read(*this, reader.Attrib(kElement, attribute.name));
    }
  });
}

void ICatInfo::Clear() {
  Trapped(Op("Clear"), [&] { fields_ = Fields{}; });
}

}  // namespace lombar
