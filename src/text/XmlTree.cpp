#include "text/XmlTree.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <stdexcept>

#include "base/CodePointUtf8.h"

namespace lombar {
namespace {

// Nesting deeper than any document's keeps a hostile text from the stack's end.
constexpr int kMostNesting = 256;

// The code point a character reference names ("#65", "#x41"), or nothing
// when it names none that UTF-8 can carry.
std::optional<std::uint32_t> CodePointOf(std::string_view reference) {
  const bool hex = reference.starts_with("#x");
  const std::string_view digits = reference.substr(hex ? 2 : 1);
  std::uint32_t code = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
  const bool surrogate = code >= 0xD800 && code < 0xE000;
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || code == 0 ||
      code > 0x10FFFF || surrogate)
    return std::nullopt;
  return code;
}

// The text with its entity and character references replaced.
std::string Unescaped(std::string_view text) {
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    const std::size_t end = text[at] == '&' ? text.find(';', at) : std::string_view::npos;
    if (end == std::string_view::npos) {
      out += text[at];
      continue;
    }
    const std::string_view name = text.substr(at + 1, end - at - 1);
    const auto* entity = std::find_if(std::begin(kEntities), std::end(kEntities),
                                      [&](const auto& known) { return known.first == name; });
    const std::optional<std::uint32_t> code =
        name.starts_with('#') ? CodePointOf(name) : std::optional<std::uint32_t>();
    if (code) {
      AppendUtf8(out, *code);
    } else if (entity != std::end(kEntities)) {
      out += entity->second;
    } else {
      out += text[at];  // not a reference: kept as it stands
      continue;
    }
    at = end;
  }
  return out;
}

class TreeReader {
 public:
  explicit TreeReader(std::string_view text) : text_(text) {}

  XmlNode Root() {
    SkipOtherThanElements();
    return Element(0);
  }

 private:
  bool At(std::string_view what) const { return at_ <= text_.size() && text_.substr(at_, what.size()) == what; }
  void SkipPast(std::string_view end) {
    const std::size_t found = text_.find(end, at_);
    if (found == std::string_view::npos) Stop();
    at_ = found + end.size();
  }
  // A text that ends before its root element does.
  [[noreturn]] static void Stop() { throw std::invalid_argument("the XML ends before its root element does"); }
  bool IsNameEnd(char c) const { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '/' || c == '>' || c == '='; }
  void SkipBlanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r' || text_[at_] == '\n')) ++at_;
  }
  std::string_view Name() {
    const std::size_t start = at_;
    while (at_ < text_.size() && !IsNameEnd(text_[at_])) ++at_;
    return text_.substr(start, at_ - start);
  }
  // Declarations, comments, processing instructions and the blanks between them.
  void SkipOtherThanElements() {
    for (;;) {
      SkipBlanks();
      if (At("<?")) SkipPast("?>");
      else if (At("<!--")) SkipPast("-->");
      else if (At("<!")) SkipPast(">");
      else return;
    }
  }

  // The element at `<`, its end tag read too; `depth` elements enclose it.
  XmlNode Element(int depth) {
    if (depth >= kMostNesting) throw std::invalid_argument("the XML nests elements deeper than " + std::to_string(kMostNesting) + " levels");
    const std::size_t start = at_++;
    XmlNode node;
    node.name = Name();
    for (SkipBlanks(); !At("/>") && !At(">"); SkipBlanks()) {
      std::string attribute(Name());
      SkipBlanks();
      ++at_;  // =
      SkipBlanks();
      if (at_ >= text_.size()) Stop();
      const char quote = text_[at_++];
      const std::size_t end = text_.find(quote, at_);
      if (end == std::string_view::npos) Stop();
      node.attributes.emplace_back(std::move(attribute), Unescaped(text_.substr(at_, end - at_)));
      at_ = end + 1;
    }
    if (At("/>")) {
      at_ += 2;
    } else {
      ++at_;
      Content(node, depth);
    }
    node.markup = text_.substr(start, at_ - start);
    return node;
  }
  // The end tag at `</`, which must be the element's own.
  void EndTag(const XmlNode& node) {
    at_ += 2;
    if (Name() != node.name) {
      throw std::invalid_argument("the XML closes <" + node.name + "> with another element's end tag");
    }
    SkipPast(">");
  }
  void Content(XmlNode& node, int depth) {
    for (;;) {
      const std::size_t open = text_.find('<', at_);
      if (open == std::string_view::npos) Stop();
      node.text += Unescaped(text_.substr(at_, open - at_));
      at_ = open;
      if (At("</")) return EndTag(node);
      if (At("<![CDATA[")) {
        const std::size_t end = text_.find("]]>", at_);
        if (end == std::string_view::npos) Stop();
        node.text += text_.substr(at_ + 9, end - at_ - 9);
        at_ = end + 3;
      } else if (At("<?") || At("<!--")) {
        SkipOtherThanElements();
      } else {
        node.children.push_back(Element(depth + 1));
      }
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

const XmlNode* XmlNode::Child(std::string_view child_name) const {
  const auto found = std::find_if(children.begin(), children.end(), [&](const XmlNode& child) { return child.name == child_name; });
  return found == children.end() ? nullptr : &*found;
}

const std::string* XmlNode::Attribute(std::string_view attribute_name) const {
  const auto found = std::find_if(attributes.begin(), attributes.end(),
                                  [&](const auto& attribute) { return attribute.first == attribute_name; });
  return found == attributes.end() ? nullptr : &found->second;
}

XmlNode ReadXmlTree(std::string_view text) { return TreeReader(text).Root(); }

}  // namespace lombar
