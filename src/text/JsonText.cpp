#include "text/JsonText.h"

#include <cstdint>

#include "base/CodePointUtf8.h"

namespace lombar {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the number at the start of `text` (JSON's grammar), 0 for none.
std::size_t NumberLength(std::string_view text) {
  std::size_t at = 0;
  const auto digits = [&] {
    const std::size_t start = at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at - start;
  };
  if (at < text.size() && text[at] == '-') ++at;
  if (at < text.size() && text[at] == '0') {
    ++at;
  } else if (digits() == 0) {
    return 0;
  }
  if (at < text.size() && text[at] == '.' && (++at, digits() == 0)) return 0;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    if (digits() == 0) return 0;
  }
  return at;
}

class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : text_(text) {}

  JsonValue Document() {
    JsonValue value = Value(0);
    SkipBlanks();
    if (at_ < text_.size()) Fail("text after the value");
    return value;
  }

 private:
  // Nesting deeper than any document's keeps a hostile text from the stack's end.
  static constexpr int kMostNesting = 256;

  [[noreturn]] void Fail(const std::string& what) const {
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < at_ && i < text_.size(); ++i) {
      if (text_[i] == '\n') {
        ++line, column = 1;
      } else if ((static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80) {
        ++column;
      }
    }
    throw JsonFault(line, column, what);
  }
  void SkipBlanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r')) ++at_;
  }
  bool Take(char c) {
    SkipBlanks();
    if (at_ < text_.size() && text_[at_] == c) return ++at_, true;
    return false;
  }
  void Expect(char c) {
    if (!Take(c)) Fail(std::string("expected '") + c + "'");
  }

  JsonValue Value(int depth) {
    if (depth > kMostNesting) Fail("nested too deep");
    SkipBlanks();
    if (at_ >= text_.size()) Fail("expected a value");
    JsonValue value;
    const char c = text_[at_];
    if (c == '{') {
      value.type = JsonValue::Type::kObject;
      ++at_;
      if (Take('}')) return value;
      do {
        SkipBlanks();
        if (at_ >= text_.size() || text_[at_] != '"') Fail("expected a name in quotes");
        std::string name = String();
        Expect(':');
        value.members.push_back({std::move(name), Value(depth + 1)});
      } while (Take(','));
      Expect('}');
    } else if (c == '[') {
      value.type = JsonValue::Type::kArray;
      ++at_;
      if (Take(']')) return value;
      do value.items.push_back(Value(depth + 1));
      while (Take(','));
      Expect(']');
    } else if (c == '"') {
      value.type = JsonValue::Type::kString;
      value.text = String();
    } else if (const std::size_t length = NumberLength(text_.substr(at_))) {
      value.type = JsonValue::Type::kNumber;
      value.text = text_.substr(at_, length);
      at_ += length;
    } else {
      static constexpr std::pair<std::string_view, JsonValue::Type> kWords[] = {
          {"true", JsonValue::Type::kTrue}, {"false", JsonValue::Type::kFalse}, {"null", JsonValue::Type::kNull}};
      for (const auto& [word, type] : kWords) {
        if (text_.substr(at_, word.size()) != word) continue;
        at_ += word.size();
        value.type = type;
        return value;
      }
      Fail("expected a value");
    }
    return value;
  }

  std::string String() {
    std::string out;
    for (++at_; at_ < text_.size() && text_[at_] != '"'; ++at_) {
      const char c = text_[at_];
      if (static_cast<unsigned char>(c) < 0x20) Fail("a control character in a string");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (++at_ >= text_.size()) break;
      static constexpr std::string_view kEscapes = "\"\"\\\\//b\bf\fn\nr\rt\t";
      if (const std::size_t escape = kEscapes.find(text_[at_]); escape != std::string_view::npos && escape % 2 == 0) {
        out += kEscapes[escape + 1];
      } else if (text_[at_] == 'u') {
        AppendUtf8(out, CodePoint());
      } else {
        Fail("an unknown escape");
      }
    }
    if (at_ >= text_.size()) Fail("a string not closed");
    ++at_;
    return out;
  }
  // The character of "\uXXXX", or of a pair of them for one beyond 16 bits;
  // `at_` left on the last digit. UTF-8 has no form for half a pair.
  std::uint32_t CodePoint() {
    const auto is_surrogate = [](std::uint32_t code) { return code >= 0xD800 && code < 0xE000; };
    const std::uint32_t code = Hex4();
    if (!is_surrogate(code)) return code;
    const bool high = code < 0xDC00;
    if (high && text_.substr(at_ + 1, 2) == "\\u") {
      at_ += 2;
      const std::uint32_t low = Hex4();
      if (low >= 0xDC00 && low < 0xE000) return 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    }
    Fail("half of a surrogate pair");
  }
  // The four hex digits after "\u", `at_` left on the last.
  std::uint32_t Hex4() {
    std::uint32_t code = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = ++at_ < text_.size() ? text_[at_] : '\0';
      const int digit = IsDigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
      if (digit < 0) Fail("expected four hex digits");
      code = code * 16 + static_cast<std::uint32_t>(digit);
    }
    return code;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

JsonFault::JsonFault(std::size_t fault_line, std::size_t fault_column, const std::string& what)
    : std::runtime_error("not valid JSON at line " + std::to_string(fault_line) + ", column " +
                         std::to_string(fault_column) + ": " + what),
      line(fault_line),
      column(fault_column) {}

JsonValue ReadJson(std::string_view text) { return JsonReader(text).Document(); }

void AppendJsonString(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  out += '"';
}

bool IsJsonNumber(std::string_view text) { return !text.empty() && NumberLength(text) == text.size(); }

}  // namespace lombar
