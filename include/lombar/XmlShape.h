// The form of every class's XML, as the library writes it: for each class
// its root element and its values in writing order, each with its place
// (an element of its own, an attribute, a child object's XML) and its kind
// of value. Made from the classes' own tables, so that tools describing or
// comparing documents (a schema, a difference) follow the classes without
// a second description.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace lombar {

enum class XmlValueKind { kText, kFlag, kShort, kLong, kSingle, kCurrency, kVariant, kObject };

struct XmlValueShape {
  enum class Form {
    kLeaf,              // an element of its own holding the value's text
    kAttribute,         // an attribute of `element`, written earlier
    kElementAttribute,  // the attribute that writes the attribute-only `element`
    kChild,             // the XML of an object of class `class_name`, root `element`
  };
  Form form = Form::kLeaf;
  std::string_view element;  // an attribute's element; a child object's root
  std::string_view name;     // a leaf's tag; an attribute's name
  XmlValueKind kind = XmlValueKind::kText;
  std::string_view class_name;  // a child object's class
};

struct XmlClassShape {
  std::string_view class_name;
  // The root element: a record's group, a collection's group.
  std::string_view element;
  // A record's values, in writing order. For a collection, those written
  // before its Count.
  std::vector<XmlValueShape> values;
  // Collections only: the class of the members written inside Collection
  // (their root element is that class's), and the values written after it.
  std::string_view member_class;
  std::vector<XmlValueShape> after_members;

  bool IsCollection() const { return !member_class.empty(); }
};

// Every class that has an XML form, the catalog first.
std::span<const XmlClassShape> XmlShapes();
// The shape of the class of that name, or null.
const XmlClassShape* XmlShapeOf(std::string_view class_name);

}  // namespace lombar
