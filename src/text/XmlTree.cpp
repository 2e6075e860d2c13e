#include "text/XmlTree.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "base/CodePointUtf8.h"

namespace lombar {
namespace {

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
    if (name.starts_with('#')) {
      const bool hex = name.size() > 1 && name[1] == 'x';
      AppendUtf8(out, static_cast<std::uint32_t>(std::stoul(std::string(name.substr(hex ? 2 : 1)), nullptr, hex ? 16 : 10)));
    } else {
      const auto* entity = std::find_if(std::begin(kEntities), std::end(kEntities),
                                        [&](const auto& known) { return known.first == name; });
      if (entity == std::end(kEntities)) {
        out += text[at];  // not a reference: kept as it stands
        continue;
      }
      out += entity->second;
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
    return Element();
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
  std::string Name() {
    const std::size_t start = at_;
    while (at_ < text_.size() && !IsNameEnd(text_[at_])) ++at_;
    return std::string(text_.substr(start, at_ - start));
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

  // The element at `<`, its end tag read too.
  XmlNode Element() {
    const std::size_t start = at_++;
    XmlNode node;
    node.name = Name();
    for (SkipBlanks(); !At("/>") && !At(">"); SkipBlanks()) {
      std::string attribute = Name();
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
      Content(node);
    }
    node.markup = text_.substr(start, at_ - start);
    return node;
  }
  void Content(XmlNode& node) {
    for (;;) {
      const std::size_t open = text_.find('<', at_);
      if (open == std::string_view::npos) Stop();
      node.text += Unescaped(text_.substr(at_, open - at_));
      at_ = open;
      if (At("</")) return SkipPast(">");
      if (At("<![CDATA[")) {
        const std::size_t end = text_.find("]]>", at_);
        if (end == std::string_view::npos) Stop();
        node.text += text_.substr(at_ + 9, end - at_ - 9);
        at_ = end + 3;
      } else if (At("<?") || At("<!--")) {
        SkipOtherThanElements();
      } else {
        node.children.push_back(Element());
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
