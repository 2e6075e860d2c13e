#include "text/XmlWriter.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "base/CodePage.h"
#include "base/NumberReading.h"
#include "base/Text.h"
#include "base/Utf8.h"
#include "text/EmptyElementCompressor.h"
#include "text/XmlBytes.h"
#include "text/XmlEscape.h"

namespace lombar {
namespace {

constexpr auto npos = std::string::npos;

// Whether a value is a number equal to 0. Plain digits with one point at
// most, and texts with no digit at all (nor "&H"/"&O"), are decided without
// parsing: they are most of what is written.
// What each byte is to that decision, one look-up a byte.
enum NumberByte : std::uint8_t { kDigit = 1, kNonZero = 2, kOther = 4, kRadix = 8 };
constexpr std::array<std::uint8_t, 256> kNumberBytes = [] {
  std::array<std::uint8_t, 256> kinds{};
  for (int c = 0; c < 256; ++c) {
    std::uint8_t kind = kOther;
    if (c >= '0' && c <= '9') kind = c == '0' ? kDigit : kDigit | kNonZero;
    if (c == '.') kind = 0;
    if (c == '&') kind = kOther | kRadix;
    kinds[static_cast<std::size_t>(c)] = kind;
  }
  return kinds;
}();
bool IsZeroNumber(std::string_view value) {
  std::uint8_t kinds = 0;
  int points = 0;
  for (const char c : value) {
    kinds |= kNumberBytes[static_cast<unsigned char>(c)];
    points += c == '.';
  }
  if ((kinds & (kDigit | kRadix)) == 0) return false;
  if ((kinds & kOther) == 0 && points <= 1) return (kinds & kNonZero) == 0;
  return IsNumericText(value) && LeadingNumber(value) == 0;
}

// What writing a value needs to know of it, found in one pass.
struct ValueScan {
  bool escapes = false;  // holds a character to escape
  bool ascii = true;
  bool equals = false;  // holds "=", which an attribute's search looks for
};
ValueScan Scan(std::string_view value) {
  const std::uint8_t kinds = ValueBytes(value);
  return {(kinds & kEscapedByte) != 0, (kinds & kNonAsciiByte) == 0, (kinds & kEqualsByte) != 0};
}

}  // namespace

void XmlWriter::SetZeroSuppress(bool zero_suppress) {
  zero_suppress_ = zero_suppress;
  if (zero_suppress) compress_ = true;
}

bool XmlWriter::SuppressedAsZero(std::string_view value) const {
  // A leading number that starts with 1 to 9 is not 0, whatever follows it.
  // After its blanks a number starts with a digit, a point, a sign, "(", "$"
  // or "&", never with a letter: a text that does is no number at all.
  return MayBeDroppedAsZero(value) && IsZeroNumber(value);
}

void XmlWriter::Add(std::string_view tag, std::string_view value, bool open_group,
                    bool close_group) {
  Raising(*failures_, "Add", [&] {
    if (tag.empty()) return;
    if (!open_group && Suppressed(value)) return;
    WriteLeafOrGroup(tag, value, open_group, IsAscii(tag));
    if (close_group) EndGroup();
  });
}

void XmlWriter::AddKnownLeaf(const TagName& tag, std::string_view value) {
  if (tag.Name().empty()) return Add(tag.Name(), value);
  Raising(*failures_, "Add", [&] {
    if (Suppressed(value)) return;
    // Most values need neither escaping nor conversion: they go in with the
    // tag in one step.
    const ValueScan scan = Scan(value);
    if (!scan.escapes && scan.ascii && tag.Ascii()) {
      Out().AppendElement(tag.Name(), value);
      return;
    }
    WriteLeafOrGroup(tag.Name(), value, false, tag.Ascii());
  });
}

void XmlWriter::OpenGroup(const TagName& tag) {
  if (!tag.Ascii() || tag.Name().empty()) return Add(tag.Name(), "", true);
  Raising(*failures_, "Add", [&] {
    Out().AppendAscii({"<", tag.Name(), ">"});
    open_groups_.push_lasting(tag.Name());
  });
}

void XmlWriter::WriteLeafOrGroup(std::string_view tag, std::string_view value, bool open_group,
                                 bool tag_is_ascii) {
  // Markup, often a whole collection's members, and a value with nothing to
  // escape go in as they are, without an escaped copy.
  const ValueScan scan = Scan(value);
  const bool as_is = !scan.escapes || IsMarkup(value);
  if (as_is && scan.escapes) markup_written_ = true;
  const std::string escaped = as_is ? std::string() : EscapeValue(value);
  const std::string_view content = as_is ? value : std::string_view(escaped);
  // Escaping adds ASCII characters only.
  const bool ascii = scan.ascii && tag_is_ascii;
  if (open_group) {
    ascii ? Out().AppendAscii({"<", tag, ">", content})
          : Out().Append("<").Append(tag).Append(">").Append(content);
    PushGroup(tag, tag_is_ascii);
  } else {
    ascii ? Out().AppendElement(tag, content)
          : Out().Append("<").Append(tag).Append(">").Append(content).Append("</").Append(tag).Append(">");
  }
}

// A group's tag is remembered in code-page bytes, as its end tag is written;
// an ASCII tag is those bytes already.
void XmlWriter::PushGroup(std::string_view tag, bool tag_is_ascii) {
  open_groups_.push_back(tag_is_ascii ? std::string(tag) : CodePageFromUtf8(tag));
}

void XmlWriter::AddAttrVal(std::string_view tag, std::string_view attribute,
                           std::string_view value, bool open_group) {
  Raising(*failures_, "AddAttrVal", [&] {
    const std::string_view end = open_group ? ">" : "/>";
    // Most values need neither escaping nor conversion: the element goes in in one step.
    const ValueScan scan = Scan(value);
    if (!scan.escapes && scan.ascii && IsAscii(tag) && IsAscii(attribute)) {
      Out().AppendAscii({"<", tag, " ", attribute, "=\"", value, "\"", end});
    } else {
      if (IsMarkup(value)) markup_written_ = true;
      Out().Append("<").Append(tag).Append(" ").Append(attribute).Append("=");
      Out().Append(QuotedValue(EscapeValue(value))).Append(end);
    }
    if (open_group) PushGroup(tag, false);
  });
}

void XmlWriter::AddAttributes(const AttributeNames& names,
                              std::span<const std::string_view> values, bool known_first) {
  if (!WritesAttributesAtOnce(names, values, known_first)) {
    AddAttrVal(names.Element(), names[0], values[0]);
    for (std::size_t i = 1; i < names.size(); ++i)
      SetAttrib(names.Element(), names[i], values[i]);
    return;
  }
  Raising(*failures_, "AddAttrVal", [&] { AppendStartTag(names, values, "/>"); });
}

void XmlWriter::OpenGroup(const TagName& tag, const AttributeNames& names,
                          std::span<const std::string_view> values, bool known_first) {
  if (!tag.Ascii() || tag.Name() != names.Element() ||
      !WritesAttributesAtOnce(names, values, known_first)) {
    OpenGroup(tag);
    for (std::size_t i = 0; i < names.size(); ++i)
      SetAttrib(tag.Name(), names[i], values[i]);
    return;
  }
  Raising(*failures_, "Add", [&] {
    AppendStartTag(names, values, ">");
    open_groups_.push_lasting(tag.Name());
  });
}

// Setting an attribute searches for the first element this writer wrote
// whose start tag begins with the element's name, for the attribute's
// "name=" within that tag, and else for it in what follows the tag. With
// no such element before the new one, plain names, and values with nothing
// to escape or convert and no "=", each search finds the new element and,
// within it, only what it wrote itself: the attribute is appended to the
// tag, as writing the whole tag at once does.
bool XmlWriter::WritesAttributesAtOnce(const AttributeNames& names,
                                       std::span<const std::string_view> values,
                                       bool known_first) const {
  if (!names.Plain() || names.size() != values.size() || names.size() == 0) return false;
  for (const std::string_view value : values) {
    const ValueScan scan = Scan(value);
    if (scan.escapes || !scan.ascii || scan.equals) return false;
  }
  if (known_first && !markup_written_) return true;
  const std::string_view text = Out().Bytes();
  return FindStartingBefore(text, names.Opening(), base_, text.size()) == npos;
}

void XmlWriter::AppendStartTag(const AttributeNames& names,
                               std::span<const std::string_view> values, std::string_view end) {
  for (std::size_t i = 0; i < names.size(); ++i)
    Out().AppendAscii({names.Lead(i), values[i]});
  Out().AppendAscii({"\"", end});
}

void XmlWriter::SetAttrib(std::string_view element, std::string_view attribute,
                          std::string_view value) {
  Raising(*failures_, "Let Attrib", [&] {
    // Only what this writer wrote is searched, and only the value is edited.
    const std::string_view text = Out().Bytes();
    // An element named as the last one was is found where that was (a name
    // not in ASCII may differ in the code page: it is searched again).
    const bool known = attrib_target_.start != npos && IsAscii(element) &&
                       IsForm(attrib_target_.opening, "<", element, "");
    std::size_t start = attrib_target_.start;
    if (!known) {
      const std::string& opening = InCodePage(attrib_opening_, "<", element, "");
      start = FindStartingBefore(text, opening, base_, text.size());
      if (start == npos) return;
      attrib_target_ = {opening, start};
    }
    // The tag's end is found again only when the text changed other than by
    // this element's own edits, which keep it where they moved it.
    const bool end_known = known && attrib_target_.length == text.size();
    const std::size_t tag_end = end_known ? attrib_target_.tag_end : StartTagEnd(text, start);
    if (tag_end == npos) return;
    const std::string_view name =
        IsAscii(attribute) ? attribute : InCodePage(attrib_name_, "", attribute, "");
    // Most values need neither escaping nor conversion: they are used as given.
    const ValueScan scan = Scan(value);
    const bool as_given = !scan.escapes && scan.ascii;
    const std::string converted = as_given ? std::string() : CodePageFromUtf8(EscapeValue(value));
    if (!as_given && IsMarkup(value)) markup_written_ = true;
    const std::string_view escaped = as_given ? value : std::string_view(converted);
    const std::size_t found = FindAttributeName(text, name, start, tag_end);
    if (found == npos) {
      // Only a later element has it: left alone.
      if (FindAttributeName(text, name, tag_end, text.size()) != npos) return;
      if (as_given && IsAscii(attribute)) {
        Out().ReplaceAscii(tag_end, 0, {" ", name, "=\"", escaped, "\""});
        return NoteTagEdited(tag_end, 0, name.size() + escaped.size() + 4, name);
      }
      const std::string added = " " + std::string(name) + "=" + QuotedValue(escaped);
      Out().ReplaceBytes(tag_end, 0, added);
      return NoteTagEdited(tag_end, 0, added.size(), added);
    }
    const std::size_t open_quote = found + name.size() + 1;  // after "name="
    const char quote = open_quote < text.size() ? text[open_quote] : '\0';
    if (quote != '"' && quote != '\'') return;
    const std::size_t close_quote = FindByteThrough(text, quote, open_quote + 1, tag_end);
    if (close_quote == npos) return;
    const std::size_t count = close_quote - open_quote - 1;
    Out().ReplaceBytes(open_quote + 1, count, escaped);
    NoteTagEdited(tag_end, count, escaped.size(), escaped);
  });
}

void XmlWriter::NoteTagEdited(std::size_t tag_end, std::size_t count, std::size_t size,
                              std::string_view written) {
  // What was written without a ">" leaves the tag's end where it was, moved by the edit.
  const bool keeps_end = written.find('>') == npos;
  attrib_target_.tag_end = tag_end + size - count;
  attrib_target_.length = keeps_end ? Out().Bytes().size() : npos;
}

void XmlWriter::AddXML(std::string_view text) {
  CarryingOn(*failures_, "AddXML", [&] {
    markup_written_ = true;
    Out().Append(text);
  });
}

void XmlWriter::EndGroup() {
  CarryingOn(*failures_, "EndGroup", [&] {
    if (open_groups_.empty()) return;
    Out().AppendEndTag(open_groups_.back());  // the tag is kept in code-page bytes
    open_groups_.pop_back();
  });
}

void XmlWriter::CloseOpenGroups() {
  while (!open_groups_.empty())
    EndGroup();
}

void XmlWriter::AppendTo(XmlWriter& parent) {
  attrib_target_.Reset();
  markup_written_ = false;  // what it wrote is what it writes from now on
  target_ = &parent.Out();
  base_ = static_cast<std::size_t>(target_->Length());
}

void XmlWriter::Retract(const Mark& mark) {
  attrib_target_.Reset();
  Out().ReplaceBytes(base_ + mark.length, std::string::npos, {});
  if (open_groups_.size() > mark.open_groups) open_groups_.resize(mark.open_groups);
}

std::string XmlWriter::XML() {
  return CarryingOn<std::string>(*failures_, "XMLcompleteBuild", "",
                                 [&] { return CompleteBuild(false); });
}

std::string XmlWriter::TakeXML() {
  return CarryingOn<std::string>(*failures_, "XMLcompleteBuild", "",
                                 [&] { return CompleteBuild(true); });
}

std::string XmlWriter::CompleteBuild(bool take) {
  CloseOpenGroups();
  std::string text = take && !target_ ? buffer_.TakeValue() : Utf8FromCodePage(Written());
  if (snippet_) return text;
  return "<?xml version=" + QuotedValue(kVersion) + " encoding=" + QuotedValue(kEncoding) + " ?>" +
         text;
}

void XmlWriter::Clear(bool terminating) {
  Raising(*failures_, "Clear", [&] {
    // A new writer's state, as its members start out.
    *this = XmlWriter(*failures_);
    if (terminating) buffer_.SetBufferSize(0, true);
  });
}

std::string XmlWriter::XMLcompress() {
  return Raising(*failures_, "XMLcompress", [&] {
    std::string compressed = EmptyElementCompressor::Compress(Written());
    attrib_target_.Reset();
    Out().ReplaceBytes(base_, std::string::npos, compressed);
    return Utf8FromCodePage(compressed);
  });
}

std::string XmlWriter::XMLcompress(std::string_view text) {
  return Raising(*failures_, "XMLcompress", [&] {
    return Utf8FromCodePage(EmptyElementCompressor::Compress(CodePageFromUtf8(text)));
  });
}

}  // namespace lombar
