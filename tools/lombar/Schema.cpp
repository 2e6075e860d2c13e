#include "Schema.h"

#include <algorithm>

#include "Catalogs.h"
#include "lombar/XmlShape.h"

namespace lombar::tool {
namespace {

using Form = XmlValueShape::Form;

// The simple types: the writer's words for a flag, a collection's 16-bit count.
constexpr std::string_view kSimpleTypes =
    "  <xs:simpleType name=\"Flag\">\n"
    "    <xs:restriction base=\"xs:string\">\n"
    "      <xs:enumeration value=\"True\"/>\n"
    "      <xs:enumeration value=\"False\"/>\n"
    "    </xs:restriction>\n"
    "  </xs:simpleType>\n"
    "  <xs:simpleType name=\"Count\">\n"
    "    <xs:restriction base=\"xs:short\">\n"
    "      <xs:minInclusive value=\"0\"/>\n"
    "    </xs:restriction>\n"
    "  </xs:simpleType>\n";

std::string_view TypeOf(const XmlValueShape& value) {
  switch (value.kind) {
    case XmlValueKind::kFlag: return "Flag";
    case XmlValueKind::kShort: return "xs:short";
    case XmlValueKind::kLong: return "xs:int";
    case XmlValueKind::kSingle: return "xs:float";
    case XmlValueKind::kCurrency: return "xs:decimal";
    case XmlValueKind::kObject: return value.class_name;
    case XmlValueKind::kText:
    case XmlValueKind::kVariant: break;
  }
  return "xs:string";
}

std::string Quoted(std::string_view name, std::string_view value) {
  return " " + std::string(name) + "=\"" + std::string(value) + "\"";
}

class SchemaWriter {
 public:
  std::string Write(const XmlClassShape& root) {
    text_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">\n";
    text_ += "  <xs:element" + Quoted("name", root.element) + Quoted("type", root.class_name) + "/>\n";
    text_ += kSimpleTypes;
    for (const XmlClassShape& shape : XmlShapes()) ComplexType(shape);
    return text_ += "</xs:schema>\n";
  }

 private:
  // A record's values as a sequence of elements, then the attributes of its
  // own element; a collection's Count and Collection between its values.
  void ComplexType(const XmlClassShape& shape) {
    text_ += "  <xs:complexType" + Quoted("name", shape.class_name) + ">\n    <xs:sequence>\n";
    Elements(shape.values, shape.element);
    if (shape.IsCollection()) {
      const XmlClassShape* member = XmlShapeOf(shape.member_class);
      text_ += "      <xs:element name=\"Count\" type=\"Count\"/>\n"
               "      <xs:element name=\"Collection\" minOccurs=\"0\">\n"
               "        <xs:complexType>\n          <xs:sequence>\n"
               "            <xs:element" + Quoted("name", member->element) + Quoted("type", member->class_name) +
               " minOccurs=\"0\" maxOccurs=\"unbounded\"/>\n"
               "          </xs:sequence>\n        </xs:complexType>\n      </xs:element>\n";
      Elements(shape.after_members, shape.element);
    }
    text_ += "    </xs:sequence>\n";
    Attributes(shape.values, shape.element, "    ");
    text_ += "  </xs:complexType>\n";
  }

  // Leaves may be left out: compression drops empty ones, zero suppression
  // those of 0; a flag is always written. A child object writes nothing
  // when it has nothing to say.
  void Elements(const std::vector<XmlValueShape>& values, std::string_view own_element) {
    for (const XmlValueShape& value : values) {
      switch (value.form) {
        case Form::kLeaf:
          text_ += "      <xs:element" + Quoted("name", value.name) + Quoted("type", TypeOf(value)) +
                   (value.kind == XmlValueKind::kFlag ? "" : " minOccurs=\"0\"") + "/>\n";
          break;
        case Form::kChild:
          text_ += "      <xs:element" + Quoted("name", value.element) + Quoted("type", TypeOf(value)) +
                   " minOccurs=\"0\"/>\n";
          break;
        case Form::kElementAttribute:
          if (value.element == own_element) break;
          text_ += "      <xs:element" + Quoted("name", value.element) + ">\n        <xs:complexType>\n";
          Attributes(values, value.element, "          ");
          text_ += "        </xs:complexType>\n      </xs:element>\n";
          break;
        case Form::kAttribute:
          break;
      }
    }
  }

  // The attributes written on `element`, in writing order.
  void Attributes(const std::vector<XmlValueShape>& values, std::string_view element, std::string_view indent) {
    for (const XmlValueShape& value : values) {
      if ((value.form == Form::kAttribute || value.form == Form::kElementAttribute) && value.element == element) {
        text_ += std::string(indent) + "<xs:attribute" + Quoted("name", value.name) + Quoted("type", TypeOf(value)) +
                 " use=\"required\"/>\n";
      }
    }
  }

  std::string text_;
};

}  // namespace

std::string SchemaOf(std::string_view class_name) {
  const XmlClassShape* root = XmlShapeOf(class_name);
  if (!root) throw FailureOf("--of", kInvalidProcedureCall, "no class " + std::string(class_name) + " with an XML form");
  return SchemaWriter().Write(*root);
}

}  // namespace lombar::tool
