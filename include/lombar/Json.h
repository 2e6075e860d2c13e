// The JSON form of a class's XML, both ways: an object of the XML's values
// under their XML names (an attribute-only element as an object of its
// attributes, a collection with its Count and its Collection as an array
// in order), numbers as JSON numbers where the class holds a number, flags
// as JSON Booleans. Made from the classes' XML forms (XmlShape.h), so a
// text written by the library passes through JSON and back unchanged.
#pragma once

#include <string>
#include <string_view>

#include "lombar/Object.h"

namespace lombar {

// The JSON of `xml`, the XML of an object of class `class_name`; "null" for
// the empty text (an empty collection's). Error 5 for a class without an
// XML form, error 13 for a text that is not well-formed XML.
std::string JsonOfXml(std::string_view class_name, std::string_view xml);

// The XML that `json` stands for, to be read by an object of class
// `class_name`. Error 13 for a text that is not JSON ("not valid JSON at
// line L, column C: ...") or holds a name or kind of value the class does
// not have; error 5 for a class without an XML form.
std::string XmlOfJson(std::string_view class_name, std::string_view json);

// The object's JSON, through its XML.
template <class T>
std::string ToJson(const T& object) {
  return JsonOfXml(T::kClassName, object.XML());
}

// A new object of class T read from its JSON.
template <class T>
Ref<T> FromJson(std::string_view json) {
  const auto object = MakeRef<T>();
  object->SetXML(XmlOfJson(T::kClassName, json));
  return object;
}

}  // namespace lombar
