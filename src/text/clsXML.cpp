#include "text/clsXML.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

#include "frame/ErrorTrap.h"
#include "frame/NumberParse.h"
#include "text/EmptyElementCompressor.h"
#include "base/CodePage.h"
#include "base/Text.h"
#include "base/Utf8.h"

namespace lombar {
namespace {

constexpr std::string_view kClass = "clsXML";
constexpr auto npos = std::string::npos;

Operation Op(std::string_view name) {
  return {kClass, name};
}

bool IsMarkup(std::string_view value) {
  return !value.empty() && value.front() == '<' && value.back() == '>';
}

constexpr bool IsEscaped(char c) {
  return c == '&' || c == '<' || c == '>' || c == '\'' || c == '"';
}

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
};
// For each byte: 1 when it is escaped, 2 when it is not ASCII. One look-up a
// byte, every value written passing through here.
constexpr std::array<std::uint8_t, 256> kByteKinds = [] {
  std::array<std::uint8_t, 256> kinds{};
  for (int c = 0; c < 256; ++c) {
    kinds[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(
        (IsEscaped(static_cast<char>(c)) ? 1 : 0) | (c >= 0x80 ? 2 : 0));
  }
  return kinds;
}();
ValueScan Scan(std::string_view value) {
  std::uint8_t kinds = 0;
  for (const char c : value)
    kinds |= kByteKinds[static_cast<unsigned char>(c)];
  return {(kinds & 1) != 0, (kinds & 2) == 0};
}

// `prefix` + name + `suffix` in a buffer kept between calls, so building the
// forms of each search allocates nothing once the buffer has grown: sized
// once, then the three copied in.
const std::string& Form(std::string& buffer, std::string_view prefix, std::string_view name,
                        std::string_view suffix) {
  buffer.resize(prefix.size() + name.size() + suffix.size());
  char* out = std::copy(prefix.begin(), prefix.end(), buffer.data());
  out = std::copy(name.begin(), name.end(), out);
  std::copy(suffix.begin(), suffix.end(), out);
  return buffer;
}

// prefix + name + suffix in the code page, in `buffer`: the name is copied
// as it is when it is ASCII, the same bytes in both.
const std::string& InCodePage(std::string& buffer, std::string_view prefix, std::string_view name,
                              std::string_view suffix) {
  if (IsAscii(name)) return Form(buffer, prefix, name, suffix);
  return Form(buffer, prefix, CodePageFromUtf8(name), suffix);
}

// Whether the "<" at `at` starts "</name>".
inline bool IsEndTagAt(std::string_view text, std::size_t at, std::string_view name) {
  return text.size() - at >= name.size() + 3 && text[at + 1] == '/' &&
         SameBytes(text.data() + at + 2, name.data(), name.size()) && text[at + 2 + name.size()] == '>';
}

// glibc's memmem skips ahead by the needle as a whole, where
// string_view::find stops at every '<' of the document to compare; reading
// spent most of its time there.
std::size_t FindBytes(std::string_view text, std::string_view needle, std::size_t from) {
  if (from > text.size()) return npos;
  if (needle.empty()) return from;
#if defined(__GLIBC__)
  const void* found = memmem(text.data() + from, text.size() - from, needle.data(), needle.size());
  return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) : npos;
#else
  return text.find(needle, from);
#endif
}

// The end of the start tag that begins at `element`: its "/>", or else its
// ">"; npos when there is neither.
std::size_t StartTagEnd(std::string_view text, std::size_t element) {
  const std::size_t self_closing = FindBytes(text, "/>", element);
  return self_closing != npos ? self_closing : FindBytes(text, ">", element);
}

// Occurrence arithmetic is 16-bit: stepping past either end overflows (error 6).
Short ShortStep(Short occurrence, Long step) {
  const Long next = Long{occurrence} + step;
  if (next >= std::numeric_limits<Short>::min() && next <= std::numeric_limits<Short>::max())
    return static_cast<Short>(next);
  return Variant(next).ToShort();  // raises the overflow
}

}  // namespace

clsXML::clsXML() = default;

std::string clsXML::EscapeValue(std::string_view value) {
  if (IsMarkup(value)) return std::string(value);
  std::string escaped;
  escaped.reserve(value.size());
  for (const char c : value) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '\'':
        escaped += "&apos;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string clsXML::UnescapeValue(std::string_view value) {
  if (IsMarkup(value) || value.find('&') == std::string_view::npos) return std::string(value);
  // Decoded one entity at a time, "&amp;" last, so "&amp;lt;" stays "&lt;".
  std::string text = ReplaceAll(value, "&lt;", "<");
  text = ReplaceAll(text, "&gt;", ">");
  text = ReplaceAll(text, "&apos;", "'");
  text = ReplaceAll(text, "&quot;", "\"");
  return ReplaceAll(text, "&amp;", "&");
}

// ---- writing ----

void clsXML::SetZeroSuppress(bool zero_suppress) {
  zero_suppress_ = zero_suppress;
  if (zero_suppress) compress_ = true;
}

bool clsXML::SuppressedAsZero(std::string_view value) const {
  // A leading number that starts with 1 to 9 is not 0, whatever follows it.
  // After its blanks a number starts with a digit, a point, a sign, "(", "$"
  // or "&", never with a letter: a text that does is no number at all.
  const char first = value.front();
  const char lower = static_cast<char>(first | 0x20);
  if ((first >= '1' && first <= '9') || (lower >= 'a' && lower <= 'z')) return false;
  return IsZeroNumber(value);
}

void clsXML::Add(std::string_view tag, std::string_view value, bool open_group, bool close_group) {
  Trapped(Op("Add"), [&] {
    OwnText();
    if (tag.empty()) return;
    if (!open_group && Suppressed(value)) return;
    WriteLeafOrGroup(tag, value, open_group, IsAscii(tag));
    if (close_group) EndGroup();
  });
}

void clsXML::AddKnownLeaf(const TagName& tag, std::string_view value) {
  if (tag.Name().empty()) return Add(tag.Name(), value);
  Trapped(Op("Add"), [&] {
    OwnText();
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

void clsXML::OpenGroup(const TagName& tag) {
  if (!tag.Ascii() || tag.Name().empty()) return Add(tag.Name(), "", true);
  Trapped(Op("Add"), [&] {
    OwnText();
    Out().AppendAscii({"<", tag.Name(), ">"});
    PushGroup(tag.Name(), true);
  });
}

void clsXML::WriteLeafOrGroup(std::string_view tag, std::string_view value, bool open_group,
                              bool tag_is_ascii) {
  // Markup, often a whole collection's members, and a value with nothing to
  // escape go in as they are, without an escaped copy.
  const ValueScan scan = Scan(value);
  const bool as_is = !scan.escapes || IsMarkup(value);
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
void clsXML::PushGroup(std::string_view tag, bool tag_is_ascii) {
  open_groups_.push_back(tag_is_ascii ? std::string(tag) : CodePageFromUtf8(tag));
}

void clsXML::AddAttrVal(std::string_view tag, std::string_view attribute, std::string_view value,
                        bool open_group) {
  Trapped(Op("AddAttrVal"), [&] {
    OwnText();
    Out().Append("<").Append(tag).Append(" ").Append(attribute).Append("=");
    Out().Append(str_Quote(EscapeValue(value))).Append(open_group ? ">" : "/>");
    if (open_group) PushGroup(tag, false);
  });
}

std::size_t clsXML::Find(std::string_view needle, std::size_t from) const {
  const std::string_view text = Bytes();
  if (borrowed_.Active() && from <= text.size() && !needle.empty()) {
    const std::size_t found = borrowed_.FindTag(needle, from);
    if (found != TagIndex::kCannotAnswer) return found;
  }
  return FindBytes(text, needle, from);
}

void clsXML::ForgetText() {
  value_missing_.Reset();
  block_missing_.Reset();
}

void clsXML::ForgetReading() {
  attrib_target_.Reset();
  value_mark_.Reset();
  block_mark_.Reset();
  ForgetText();
  attrib_mark_.Reset();
}

void clsXML::CopyBorrowedText() {
  buffer_ = CString::FromBytes(borrowed_.Text());
  borrowed_.Release();
}


void clsXML::SetAttrib(std::string_view element, std::string_view attribute,
                       std::string_view value) {
  Trapped(Op("Let Attrib"), [&] {
    OwnText();
    // Only what this writer wrote is searched, and only the value is edited.
    const std::string_view text = Out().Bytes();
    std::string opening;
    InCodePage(opening, "<", element, "");
    const bool known = attrib_target_.start != npos && attrib_target_.opening == opening;
    const std::size_t start = known ? attrib_target_.start : FindBytes(text, opening, base_);
    if (start == npos) return;
    if (!known) attrib_target_ = {opening, start};
    const std::size_t tag_end = StartTagEnd(text, start);
    if (tag_end == npos) return;
    std::string name;
    InCodePage(name, "", attribute, "=");
    // Most values need neither escaping nor conversion: they are used as given.
    const ValueScan scan = Scan(value);
    const bool as_given = !scan.escapes && scan.ascii;
    const std::string converted = as_given ? std::string() : CodePageFromUtf8(EscapeValue(value));
    const std::string_view escaped = as_given ? value : std::string_view(converted);
    const std::size_t found = FindBytes(text, name, start);
    if (found == npos) {
      ForgetText();
      Out().ReplaceBytes(tag_end, 0, " " + name + str_Quote(escaped));
      return;
    }
    if (found >= tag_end) return;  // only a later element has it: left alone
    const std::size_t open_quote = found + name.size();
    const char quote = open_quote < text.size() ? text[open_quote] : '\0';
    if (quote != '"' && quote != '\'') return;
    const std::size_t close_quote = text.find(quote, open_quote + 1);
    if (close_quote == npos || close_quote > tag_end) return;
    ForgetText();
    Out().ReplaceBytes(open_quote + 1, close_quote - open_quote - 1, escaped);
  });
}

void clsXML::AddXML(std::string_view text) {
  Swallowed(Op("AddXML"), [&] {
    OwnText();
    Out().Append(text);
  });
}

void clsXML::EndGroup() {
  Swallowed(Op("EndGroup"), [&] {
    OwnText();
    if (open_groups_.empty()) return;
    Out().AppendEndTag(open_groups_.back());  // the tag is kept in code-page bytes
    open_groups_.pop_back();
  });
}

void clsXML::CloseOpenGroups() {
  while (!open_groups_.empty())
    EndGroup();
}

void clsXML::AppendTo(clsXML& parent) {
  OwnText();
  attrib_target_.Reset();
  target_ = &parent.Out();
  base_ = static_cast<std::size_t>(target_->Length());
}

void clsXML::Retract(const Mark& mark) {
  attrib_target_.Reset();
  Out().ReplaceBytes(base_ + mark.length, std::string::npos, {});
  if (open_groups_.size() > mark.open_groups) open_groups_.resize(mark.open_groups);
}

std::string clsXML::XML() {
  if (assigned_) return Utf8FromCodePage(Bytes());
  return SwallowedOr<std::string>(Op("XMLcompleteBuild"), "", [&] { return CompleteBuild(false); });
}

std::string clsXML::TakeXML() {
  if (assigned_) return XML();
  return SwallowedOr<std::string>(Op("XMLcompleteBuild"), "", [&] { return CompleteBuild(true); });
}

std::string clsXML::CompleteBuild(bool take) {
  CloseOpenGroups();
  std::string text = take && !target_ ? buffer_.TakeValue() : Utf8FromCodePage(Written());
  if (snippet_) return text;
  return "<?xml version=" + str_Quote(kVersion) + " encoding=" + str_Quote(kEncoding) + " ?>" +
         text;
}

void clsXML::Clear(bool terminating) {
  Trapped(Op("Clear"), [&] {
    // A new writer's state, as its members start out.
    *this = clsXML();
    if (terminating) buffer_.SetBufferSize(0, true);
  });
}

std::string clsXML::XMLcompress() {
  return Trapped(Op("XMLcompress"), [&] {
    OwnText();
    std::string compressed = EmptyElementCompressor::Compress(Written());
    ForgetText();
    attrib_target_.Reset();
    Out().ReplaceBytes(base_, std::string::npos, compressed);
    return Utf8FromCodePage(compressed);
  });
}

std::string clsXML::XMLcompress(std::string_view text) {
  return Trapped(Op("XMLcompress"), [&] {
    return Utf8FromCodePage(EmptyElementCompressor::Compress(CodePageFromUtf8(text)));
  });
}

// ---- reading ----

void clsXML::SetXML(std::string_view text) {
  Swallowed(Op("Let XML"), [&] {
    borrowed_.Release();
    ForgetReading();
    buffer_.SetValue(text);
    assigned_ = true;
  });
}

// A search that starts afresh for occurrence k finds nothing only when there
// are too few end tags before it, no start tag after them, or no end after
// that start; each of these holds for every later occurrence too, as their
// searches start no earlier. So one miss answers for all that follow.
bool clsXML::MissingMark::Covers(std::string_view name, Short occurrence,
                                  std::size_t text_size) const {
  return from_occurrence > 0 && occurrence >= from_occurrence && name == tag &&
         text_size == size;
}

void clsXML::MissingMark::Note(std::string_view name, Short occurrence, bool continued,
                                      std::size_t text_size) {
  // A search that continued used the forms of the previous find, not the fresh ones.
  if (!continued && occurrence > 0 && !Covers(name, occurrence, text_size)) {
    tag = name;
    from_occurrence = occurrence;
    size = text_size;
  }
}

bool clsXML::SearchMark::Continues(std::string_view next_tag, Short next_occurrence) const {
  // Every part of the test is evaluated, the step past the last occurrence
  // (which overflows) too, whatever the other parts say.
  const bool is_next = next_occurrence == (occurrence < std::numeric_limits<Short>::max()
                                               ? occurrence + 1
                                               : ShortStep(occurrence, 1));
  return is_next && end != npos && end > 0 && next_tag == Tag();
}

// The position just after the `count`-th "</name>" from the start; npos when
// there are fewer.
std::size_t clsXML::SkipEndTags(const TagName& name, Short count) {
  std::size_t position = 0;
  for (Short i = 0; i < count && position != npos; ++i) {
    const std::size_t found = FindTag(name, true, position);
    position = found == npos ? npos : found + name.Name().size() + 3;
  }
  return position;
}

std::size_t clsXML::FindTag(const TagName& name, bool end_tag, std::size_t from) {
  if (borrowed_.Active()) {
    const std::size_t found = borrowed_.FindTag(name, end_tag, from);
    if (found != TagIndex::kCannotAnswer) return found;
  }
  return FindBytes(Bytes(), Form(tag_scratch_, end_tag ? "</" : "<", name.Name(), ">"), from);
}

// A value's end tag is mostly the very next tag: that one is looked at
// before any search. No end tag can start before the next "<".
std::size_t clsXML::FindEndTag(const TagName& tag, std::size_t from) {
  const std::string_view text = Bytes();
  const std::string_view name = tag.Name();
  const std::size_t next_tag = text.find('<', std::min(from, text.size()));
  if (next_tag == npos) return npos;
  if (IsEndTagAt(text, next_tag, name)) return next_tag;
  return FindTag(tag, true, next_tag);
}

std::string clsXML::Value(std::string_view tag, Short occurrence) {
  return Trapped(Op("Get Value"), [&]() -> std::string {
    if (Bytes().empty() || tag.empty()) return "";
    const std::string converted = IsAscii(tag) ? std::string() : CodePageFromUtf8(tag);
    std::string unescaped;
    return std::string(ValueView(TagName(converted.empty() ? tag : converted), occurrence, unescaped));
  });
}

std::string_view clsXML::SearchFirstValue(const TagNames& names, std::size_t i,
                                           std::string& unescaped) {
  const TagName& tag = names[i];
  if (Bytes().empty() || tag.Name().empty()) return {};
  return Trapped(Op("Get Value"), [&] {
    // Only a search that found occurrence 0 continues into occurrence 1; the
    // step past the last occurrence is taken (and overflows) as it always is.
    const Short last = value_mark_.occurrence;
    if ((last == 0 || last == std::numeric_limits<Short>::max()) &&
        value_mark_.Continues(tag.Name(), 1))
      return ValueView(tag, 1, unescaped);
    // A record's reader asks for each name once: noting a miss would never pay.
    value_mark_.end = npos;
    std::size_t start = borrowed_.Active() ? borrowed_.FindTag(names, i, 0) : TagIndex::kCannotAnswer;
    if (start == TagIndex::kCannotAnswer) start = FindTag(tag, false, 0);
    return ValueAt(tag, true, 1, start, unescaped).value_or(std::string_view());
  });
}

std::optional<std::string_view> clsXML::PlainFirstValue(const TagNames& names, std::size_t i) {
  const TagName& tag = names[i];
  const std::string_view text = borrowed_.Text();
  const Short last = value_mark_.occurrence;
  const bool may_continue =
      value_mark_.end != npos && (last == 0 || last == std::numeric_limits<Short>::max());
  if (!borrowed_.Active() || text.empty() || !tag.Indexable() || may_continue) return std::nullopt;
  const std::size_t start = borrowed_.FindTag(names, i, 0);
  if (start == npos) {
    value_mark_.end = npos;
    return std::string_view();
  }
  const std::string_view name = tag.Name();
  const std::size_t content = start + name.size() + 2;
  const char* const stop =
      FirstOfEither(text.data() + content, text.data() + text.size(), '<', '&');
  const std::size_t end = static_cast<std::size_t>(stop - text.data());
  // A value with an entity in it is read by the general way, which unescapes.
  if (end == text.size() || text[end] == '&' || !IsEndTagAt(text, end, name)) return std::nullopt;
  const std::string_view found = text.substr(content, end - content);
  NoteValueFound(tag, true, 1, end);
  return TrimSpaces(found);
}

std::string_view clsXML::ValueView(const TagName& tag, Short occurrence, std::string& unescaped) {
  const std::string_view name = tag.Name();
  const bool continues = value_mark_.Continues(name, occurrence);
  if (!continues && value_missing_.Covers(name, occurrence, Bytes().size())) {
    value_mark_.end = npos;
    return {};
  }
  const std::size_t from = continues ? value_mark_.end : SkipEndTags(tag, ShortStep(occurrence, -1));
  value_mark_.end = npos;
  const std::optional<std::string_view> found =
      ValueAt(tag, false, occurrence, from == npos ? npos : FindTag(tag, false, from), unescaped);
  if (!found) value_missing_.Note(name, occurrence, continues, Bytes().size());
  return found.value_or(std::string_view());
}

// The element whose start tag "<tag>" is at `start`, its place remembered for
// the next occurrence's search; nothing when there is none.
std::optional<std::string_view> clsXML::ValueAt(const TagName& tag, bool named, Short occurrence,
                                                std::size_t start, std::string& unescaped) {
  if (start == npos) return std::nullopt;
  const std::string_view name = tag.Name();
  const std::size_t content = start + name.size() + 2;  // after "<name>"
  const std::size_t end = FindEndTag(tag, content);
  if (end == npos) return std::nullopt;
  NoteValueFound(tag, named, occurrence, end);
  const std::string_view found = Bytes().substr(content, end - content);
  // A text read in place is ASCII, so already UTF-8: without an entity it is
  // only trimmed, where it lies.
  const bool has_entity = found.find('&') != std::string_view::npos;
  if (!has_entity && borrowed_.Active()) return TrimSpaces(found);
  unescaped = Utf8FromCodePage(found);
  if (has_entity) unescaped = UnescapeValue(unescaped);
  return TrimSpaces(unescaped);
}

std::string_view clsXML::BlockBytes(std::string_view tag, Short occurrence) {
  return Trapped(Op("Get Block"), [&]() -> std::string_view {
    const std::string converted = IsAscii(tag) ? std::string() : CodePageFromUtf8(tag);
    return BlockOf(TagName(converted.empty() ? tag : converted), occurrence);
  });
}

std::string_view clsXML::BlockBytes(const TagName& tag, Short occurrence) {
  if (!tag.Ascii()) return BlockBytes(tag.Name(), occurrence);
  return Trapped(Op("Get Block"), [&] { return BlockOf(tag, occurrence); });
}

std::string_view clsXML::BlockOf(const TagName& plain, Short occurrence) {
  const std::string_view name = plain.Name();
  if (Bytes().empty() || name.empty()) return {};
  const bool continues = block_mark_.Continues(name, occurrence);
  if (!continues && block_missing_.Covers(name, occurrence, Bytes().size())) {
    block_mark_.end = npos;
    return {};
  }
  const auto missing = [&]() -> std::string_view {
    block_missing_.Note(name, occurrence, continues, Bytes().size());
    return {};
  };
  // A continued search uses the forms of the one before; a fresh one
  // starts from the plain ones (the mark only counts once its end is set).
  bool& attributed = block_mark_.attributed_start;
  bool& self_closing = block_mark_.self_closing;
  if (!continues) attributed = self_closing = false;
  // The plain forms are searched by the name, hashed once for all of them.
  const auto find_start = [&](std::size_t at) {
    return attributed ? Find(Form(tag_scratch_, "<", name, " "), at) : FindTag(plain, false, at);
  };
  const auto find_end = [&](std::size_t at) {
    return self_closing ? Find("/>", at) : FindTag(plain, true, at);
  };
  const std::size_t from =
      continues ? block_mark_.end : SkipEndTags(plain, ShortStep(occurrence, -1));
  block_mark_.end = npos;
  if (from == npos) return missing();
  std::size_t start = find_start(from);
  if (start == npos && !continues) {
    attributed = true;
    start = find_start(from);
  }
  if (start == npos) return missing();
  std::size_t end = find_end(start);
  if (end == npos && !continues) {
    self_closing = true;
    end = find_end(start);
  }
  if (end == npos) return missing();
  block_mark_.end = end + (self_closing ? 2 : name.size() + 3);  // after "/>" or "</name>"
  block_mark_.occurrence = occurrence;
  if (!continues) block_mark_.Remember(name);
  return TrimSpaces(Bytes().substr(start, block_mark_.end - start));
}

std::string clsXML::Block(std::string_view tag, Short occurrence) {
  return Utf8FromCodePage(BlockBytes(tag, occurrence));
}

std::string_view clsXML::BlockView(std::string_view tag, Short occurrence) {
  return InUtf8(BlockBytes(tag, occurrence));
}

std::string_view clsXML::BlockView(const TagName& tag, Short occurrence) {
  return InUtf8(BlockBytes(tag, occurrence));
}

std::string_view clsXML::InUtf8(std::string_view block) {
  if (borrowed_.Active()) return block;  // ASCII: already UTF-8
  block_copy_ = Utf8FromCodePage(block);
  return block_copy_;
}

void clsXML::ReadInPlace(std::string_view text) {
  Swallowed(Op("Let XML"), [&] {
    ForgetReading();
    if (!borrowed_.Borrow(text)) return SetXML(text);
    buffer_ = CString();
    assigned_ = true;
  });
}

std::string clsXML::Attrib(std::string_view element, std::string_view attribute) {
  return Trapped(Op("Get Attrib"), [&]() -> std::string {
    std::string opening;
    InCodePage(opening, "<", element, "");
    std::string name;
    InCodePage(name, "", attribute, "=");
    std::size_t from = attrib_mark_.cursor, tag_end = attrib_mark_.tag_end;
    if (opening != attrib_mark_.element) {
      from = Find(opening, 0);
      if (from == npos) return "";
      tag_end = StartTagEnd(Bytes(), from);
      if (tag_end == npos) return "";
    }
    const std::size_t found = Find(name, from);
    if (found == npos || found >= tag_end) return "";
    const std::size_t open_quote = found + name.size();
    const char quote = open_quote < Bytes().size() ? Bytes()[open_quote] : '\0';
    if (quote != '"' && quote != '\'') return "";
    const std::size_t close_quote = Find(std::string_view(&quote, 1), open_quote + 1);
    if (close_quote == npos || close_quote > tag_end) return "";
    attrib_mark_ = {opening, close_quote, tag_end};
    const std::string_view found_value = Bytes().substr(open_quote + 1, close_quote - open_quote - 1);
    // Most values hold no entity and are ASCII: the same text in UTF-8.
    if (found_value.find('&') == npos && IsAscii(found_value)) return std::string(found_value);
    return UnescapeValue(Utf8FromCodePage(found_value));
  });
}

std::string clsXML::GetFieldValue(std::string_view text) {
  return SwallowedOr<std::string>(Op("GetFieldValue"), "", [&] { return UnescapeValue(text); });
}

}  // namespace lombar
