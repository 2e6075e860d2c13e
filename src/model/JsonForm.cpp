// The JSON form of the classes' XML, walked by each class's XML shape.
#include <algorithm>
#include <stdexcept>

#include "lombar/Error.h"
#include "lombar/Json.h"
#include "lombar/XmlShape.h"
#include "text/JsonText.h"
#include "text/XmlEscape.h"
#include "text/XmlTree.h"

namespace lombar {
namespace {

using Form = XmlValueShape::Form;
using Type = JsonValue::Type;

constexpr std::string_view kCount = "Count";
constexpr std::string_view kCollection = "Collection";

const XmlClassShape& ShapeNamed(std::string_view class_name) {
  const XmlClassShape* shape = XmlShapeOf(class_name);
  if (!shape) throw Error(kInvalidProcedureCall, "no class " + std::string(class_name) + " with an XML form");
  return *shape;
}

[[noreturn]] void Mismatch(const std::string& what) { throw Error(kTypeMismatch, what); }

bool IsNumber(XmlValueKind kind) {
  return kind == XmlValueKind::kShort || kind == XmlValueKind::kLong || kind == XmlValueKind::kSingle ||
         kind == XmlValueKind::kCurrency;
}

bool IsOwnAttribute(const XmlValueShape& value, std::string_view element) {
  return (value.form == Form::kAttribute || value.form == Form::kElementAttribute) && value.element == element;
}

// Whether the value is an element of its own inside the element `own_element`:
// a leaf, a child object, or an attribute-only element.
bool IsInnerElement(const XmlValueShape& value, std::string_view own_element) {
  return value.form == Form::kLeaf || value.form == Form::kChild ||
         (value.form == Form::kElementAttribute && value.element != own_element);
}

// The name the value has in the JSON of the element `own_element`, which is
// also its XML name there: a leaf's tag or an own attribute's name, else the
// element it writes.
std::string_view NameWithin(const XmlValueShape& value, std::string_view own_element) {
  return (value.form == Form::kLeaf || IsOwnAttribute(value, own_element)) ? value.name : value.element;
}

// ---- XML to JSON ----

class JsonWriter {
 public:
  std::string Take() && { return std::move(out_); }

  void Object(const XmlClassShape& shape, const XmlNode& node) {
    Open('{');
    Attributes(shape.values, shape.element, node);
    Elements(shape.values, shape.element, node);
    if (shape.IsCollection()) {
      if (const XmlNode* count = node.Child(kCount)) Scalar(kCount, XmlValueKind::kShort, count->text);
      if (const XmlNode* members = node.Child(kCollection)) Members(*XmlShapeOf(shape.member_class), *members);
      Elements(shape.after_members, shape.element, node);
    }
    Close('}');
  }

 private:
  void Attributes(const std::vector<XmlValueShape>& values, std::string_view element, const XmlNode& node) {
    for (const XmlValueShape& value : values) {
      if (!IsOwnAttribute(value, element)) continue;
      if (const std::string* text = node.Attribute(value.name)) Scalar(value.name, value.kind, *text);
    }
  }
  void Elements(const std::vector<XmlValueShape>& values, std::string_view own_element, const XmlNode& node) {
    for (const XmlValueShape& value : values) {
      if (!IsInnerElement(value, own_element)) continue;
      const XmlNode* child = node.Child(NameWithin(value, own_element));
      if (!child) continue;
      if (value.form == Form::kLeaf) {
        Scalar(value.name, value.kind, child->text);
      } else if (value.form == Form::kChild) {
        Name(value.element);
        Object(*XmlShapeOf(value.class_name), *child);
      } else {
        Name(value.element);
        Open('{');
        Attributes(values, value.element, *child);
        Close('}');
      }
    }
  }
  void Members(const XmlClassShape& member, const XmlNode& members) {
    Name(kCollection);
    Open('[');
    for (const XmlNode& child : members.children) {
      if (child.name != member.element) continue;
      Next();
      Object(member, child);
    }
    Close(']');
  }

  // A number as it is written where the class holds one, a flag's words
  // as Booleans; any other text as a string, so that it comes back the same.
  void Scalar(std::string_view name, XmlValueKind kind, const std::string& text) {
    Name(name);
    if (IsNumber(kind) && IsJsonNumber(text)) {
      out_ += text;
    } else if (kind == XmlValueKind::kFlag && (text == "True" || text == "False")) {
      out_ += text == "True" ? "true" : "false";
    } else {
      AppendJsonString(out_, text);
    }
  }

  void Name(std::string_view name) {
    Next();
    AppendJsonString(out_, name);
    out_ += ": ";
  }
  // A new line at the depth, after a comma unless first.
  void Next() {
    if (!first_) out_ += ',';
    first_ = false;
    out_ += '\n';
    out_.append(2 * depth_, ' ');
  }
  void Open(char bracket) {
    out_ += bracket;
    ++depth_;
    first_ = true;
  }
  void Close(char bracket) {
    --depth_;
    if (!first_) {
      out_ += '\n';
      out_.append(2 * depth_, ' ');
    }
    out_ += bracket;
    first_ = false;
  }

  std::string out_;
  std::size_t depth_ = 0;
  bool first_ = true;
};

// ---- JSON to XML ----

// The XML a JSON value stands for. Values are escaped as the library's XML
// writer escapes them, so that the JSON of the library's XML turns back into
// that same XML.
class XmlFromJson {
 public:
  std::string Take() && { return std::move(out_); }

  void Element(const XmlClassShape& shape, const JsonValue& object) {
    RequireObject(object, shape.class_name);
    RequireKnownNames(shape, object);
    out_ += '<';
    out_ += shape.element;
    Attributes(shape.values, shape.element, object, shape.class_name);
    out_ += '>';
    Elements(shape, shape.values, object);
    if (shape.IsCollection()) {
      if (const JsonValue* count = Member(object, kCount)) Leaf(kCount, *count, shape.class_name);
      if (const JsonValue* members = Member(object, kCollection)) Members(*XmlShapeOf(shape.member_class), *members);
      Elements(shape, shape.after_members, object);
    }
    Close(shape.element);
  }

 private:
  static const JsonValue* Member(const JsonValue& object, std::string_view name) {
    const auto found = std::find_if(object.members.begin(), object.members.end(),
                                    [&](const auto& member) { return member.name == name; });
    return found == object.members.end() ? nullptr : &found->value;
  }
  static void RequireObject(const JsonValue& value, std::string_view where) {
    if (value.type != Type::kObject) Mismatch("JSON of " + std::string(where) + " is not an object");
  }
  // Every name of the object is one the class writes.
  static void RequireKnownNames(const XmlClassShape& shape, const JsonValue& object) {
    const auto known = [&](std::string_view name) {
      const auto named = [&](const XmlValueShape& value) { return NameWithin(value, shape.element) == name; };
      return std::any_of(shape.values.begin(), shape.values.end(), named) ||
             std::any_of(shape.after_members.begin(), shape.after_members.end(), named) ||
             (shape.IsCollection() && (name == kCount || name == kCollection));
    };
    for (const auto& [name, value] : object.members) {
      if (!known(name)) Mismatch(std::string(shape.class_name) + " has no value " + name);
    }
  }

  void Elements(const XmlClassShape& shape, const std::vector<XmlValueShape>& values, const JsonValue& object) {
    for (const XmlValueShape& value : values) {
      if (!IsInnerElement(value, shape.element)) continue;
      const JsonValue* member = Member(object, NameWithin(value, shape.element));
      if (!member) continue;
      if (value.form == Form::kLeaf) {
        Leaf(value.name, *member, shape.class_name);
      } else if (value.form == Form::kChild) {
        Element(*XmlShapeOf(value.class_name), *member);
      } else {
        RequireObject(*member, value.element);
        out_ += '<';
        out_ += value.element;
        Attributes(values, value.element, *member, shape.class_name);
        out_ += "/>";
      }
    }
  }
  void Attributes(const std::vector<XmlValueShape>& values, std::string_view element, const JsonValue& object,
                  std::string_view class_name) {
    for (const XmlValueShape& value : values) {
      if (!IsOwnAttribute(value, element)) continue;
      const JsonValue* member = Member(object, value.name);
      if (!member) continue;
      out_ += ' ';
      out_ += value.name;
      out_ += "=\"";
      out_ += EscapeValue(ScalarText(*member, value.name, class_name));
      out_ += '"';
    }
  }
  void Members(const XmlClassShape& member, const JsonValue& members) {
    if (members.type != Type::kArray) Mismatch("Collection of " + std::string(member.class_name) + " is not an array");
    out_ += "<Collection>";
    for (const JsonValue& item : members.items) Element(member, item);
    Close(kCollection);
  }
  void Leaf(std::string_view name, const JsonValue& value, std::string_view class_name) {
    out_ += '<';
    out_ += name;
    out_ += '>';
    out_ += EscapeValue(ScalarText(value, name, class_name));
    Close(name);
  }
  void Close(std::string_view element) {
    out_ += "</";
    out_ += element;
    out_ += '>';
  }

  static std::string ScalarText(const JsonValue& value, std::string_view name, std::string_view class_name) {
    switch (value.type) {
      case Type::kTrue: return "True";
      case Type::kFalse: return "False";
      case Type::kNull: return {};
      case Type::kNumber:
      case Type::kString: return value.text;
      case Type::kArray:
      case Type::kObject: break;
    }
    Mismatch(std::string(class_name) + " " + std::string(name) + " is not a single value");
  }

  std::string out_;
};

}  // namespace

std::string JsonOfXml(std::string_view class_name, std::string_view xml) {
  const XmlClassShape& shape = ShapeNamed(class_name);
  if (xml.empty()) return "null";
  XmlNode root;
  try {
    root = ReadXmlTree(xml);
  } catch (const std::exception& cut_short) {
    Mismatch(cut_short.what());
  }
  if (root.name != shape.element) Mismatch("the XML of " + std::string(class_name) + " is an element " + std::string(shape.element));
  JsonWriter writer;
  writer.Object(shape, root);
  return std::move(writer).Take() + "\n";
}

std::string XmlOfJson(std::string_view class_name, std::string_view json) {
  const XmlClassShape& shape = ShapeNamed(class_name);
  JsonValue value;
  try {
    value = ReadJson(json);
  } catch (const JsonFault& fault) {
    Mismatch(fault.what());
  }
  if (value.type == Type::kNull) return {};
  XmlFromJson writer;
  writer.Element(shape, value);
  return std::move(writer).Take();
}

}  // namespace lombar
