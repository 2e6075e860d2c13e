// A small JSON reader and the writing of JSON strings, for the JSON form of
// the classes' XML. Numbers keep their text as written, so that a value
// passes through JSON unchanged.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lombar {

struct JsonMember;

struct JsonValue {
  enum class Type { kNull, kFalse, kTrue, kNumber, kString, kArray, kObject };
  Type type = Type::kNull;
  std::string text;  // a number's text, a string's characters (UTF-8)
  std::vector<JsonValue> items;                            // an array's
  std::vector<JsonMember> members;  // an object's, in order
};

// A named member of a JSON object (its own type: a std::pair of a type still
// being declared is not allowed by every standard library).
struct JsonMember {
  std::string name;
  JsonValue value;
};

// Where a text stops being JSON: 1-based line and column (in characters).
class JsonFault : public std::runtime_error {
 public:
  JsonFault(std::size_t line, std::size_t column, const std::string& what);
  std::size_t line, column;
};

// The one value of `text` (blanks around it allowed); JsonFault otherwise.
JsonValue ReadJson(std::string_view text);

// `text` as a quoted JSON string, appended to `out`.
void AppendJsonString(std::string& out, std::string_view text);

// Whether `text` is a number as JSON writes one.
bool IsJsonNumber(std::string_view text);

}  // namespace lombar
