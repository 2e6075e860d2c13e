#include "text/XmlReader.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "base/CodePage.h"
#include "base/Text.h"
#include "base/Utf8.h"
#include "text/TextError.h"
#include "text/XmlBytes.h"
#include "text/XmlEscape.h"

namespace lombar {
namespace {

constexpr auto npos = std::string::npos;

// Occurrence arithmetic is 16-bit: stepping past either end overflows (error 6).
std::int16_t ShortStep(std::int16_t occurrence, std::int32_t step) {
  const std::int32_t next = std::int32_t{occurrence} + step;
  if (next >= std::numeric_limits<std::int16_t>::min() &&
      next <= std::numeric_limits<std::int16_t>::max())
    return static_cast<std::int16_t>(next);
  throw TextError(kTextOverflow);
}

}  // namespace

void XmlReader::SetXML(std::string_view text) {
  CarryingOn(*failures_, "Let XML", [&] {
    indexed_.Release();
    ForgetReading();
    owned_ = CodePageFromUtf8(text);
  });
}

void XmlReader::ReadPart(XmlPart part) {
  ForgetReading();
  Open(std::move(part));
}

void XmlReader::Open(XmlPart part) {
  CarryingOn(*failures_, "Let XML", [&] {
    const std::string_view text = part.Text();
    if (!indexed_.Borrow(std::move(part))) return SetXML(text);
    owned_.clear();
  });
}

void XmlReader::ForgetReading() {
  value_mark_.Reset();
  block_mark_.Reset();
  value_missing_.Reset();
  block_missing_.Reset();
  attrib_mark_.Reset();
  charted_ = 0;
}

std::size_t XmlReader::Find(std::string_view needle, std::size_t from) const {
  const std::string_view text = Bytes();
  if (indexed_.Active() && from <= text.size() && !needle.empty()) {
    const std::size_t found = indexed_.FindTag(needle, from);
    if (found != TagIndex::kCannotAnswer) return found;
  }
  return FindBytes(text, needle, from);
}

// A search that starts afresh for occurrence k finds nothing only when there
// are too few end tags before it, no start tag after them, or no end after
// that start; each of these holds for every later occurrence too, as their
// searches start no earlier. So one miss answers for all that follow.
bool XmlReader::MissingMark::Covers(std::string_view name, std::int16_t occurrence) const {
  return from_occurrence > 0 && occurrence >= from_occurrence && name == tag;
}

void XmlReader::MissingMark::Note(std::string_view name, std::int16_t occurrence,
                                  bool continued) {
  // A search that continued used the forms of the previous find, not the fresh ones.
  if (!continued && occurrence > 0 && !Covers(name, occurrence)) {
    tag = name;
    from_occurrence = occurrence;
  }
}

bool XmlReader::SearchMark::Continues(std::string_view next_tag,
                                      std::int16_t next_occurrence) const {
  // Every part of the test is evaluated, the step past the last occurrence
  // (which overflows) too, whatever the other parts say.
  const bool is_next =
      next_occurrence == (occurrence < std::numeric_limits<std::int16_t>::max()
                              ? occurrence + 1
                              : ShortStep(occurrence, 1));
  return is_next && end != npos && end > 0 && next_tag == Tag();
}

// The position just after the `count`-th "</name>" from the start; npos when
// there are fewer.
std::size_t XmlReader::SkipEndTags(const TagName& name, std::int16_t count) {
  std::size_t position = 0;
  for (std::int16_t i = 0; i < count && position != npos; ++i) {
    const std::size_t found = FindTag(name, true, position);
    position = found == npos ? npos : found + name.Name().size() + 3;
  }
  return position;
}

std::size_t XmlReader::FindTag(const TagName& name, bool end_tag, std::size_t from) {
  if (indexed_.Active()) {
    const std::size_t found = indexed_.FindTag(name, end_tag, from);
    if (found != TagIndex::kCannotAnswer) return found;
  }
  return FindBytes(Bytes(), Form(tag_scratch_, end_tag ? "</" : "<", name.Name(), ">"), from);
}

// A value's end tag is mostly the very next tag: that one is looked at
// before any search. No end tag can start before the next "<".
std::size_t XmlReader::FindEndTag(const TagName& tag, std::size_t from) {
  const std::string_view text = Bytes();
  const std::string_view name = tag.Name();
  const std::size_t next_tag = text.find('<', std::min(from, text.size()));
  if (next_tag == npos) return npos;
  if (IsEndTagAt(text, next_tag, name)) return next_tag;
  return FindTag(tag, true, next_tag);
}

std::string XmlReader::Value(std::string_view tag, std::int16_t occurrence) {
  return Raising(*failures_, "Get Value", [&]() -> std::string {
    if (Bytes().empty() || tag.empty()) return "";
    const std::string converted = IsAscii(tag) ? std::string() : CodePageFromUtf8(tag);
    std::string unescaped;
    return std::string(
        ValueView(TagName(converted.empty() ? tag : converted), occurrence, unescaped));
  });
}

std::string_view XmlReader::SearchFirstValue(const TagNames& names, std::size_t i,
                                             std::string& unescaped) {
  const TagName& tag = names[i];
  if (Bytes().empty() || tag.Name().empty()) return {};
  return Raising(*failures_, "Get Value", [&] {
    // Only a search that found occurrence 0 continues into occurrence 1; the
    // step past the last occurrence is taken (and overflows) as it always is.
    const std::int16_t last = value_mark_.occurrence;
    if ((last == 0 || last == std::numeric_limits<std::int16_t>::max()) &&
        value_mark_.Continues(tag.Name(), 1))
      return ValueView(tag, 1, unescaped);
    // A record's reader asks for each name once: noting a miss would never pay.
    value_mark_.end = npos;
    std::size_t start =
        indexed_.Active() ? indexed_.FindTag(names, i, 0) : TagIndex::kCannotAnswer;
    if (start == TagIndex::kCannotAnswer) start = FindTag(tag, false, 0);
    return ValueAt(tag, true, 1, start, unescaped).value_or(std::string_view());
  });
}

std::optional<std::string_view> XmlReader::PlainFirstValue(const TagNames& names,
                                                           std::size_t i) {
  const TagName& tag = names[i];
  if (!ReadsIndexedText() || !tag.Indexable() || MayContinueValue()) return std::nullopt;
  const std::size_t start = indexed_.FindTag(names, i, 0);
  if (start == npos) {
    value_mark_.end = npos;
    return std::string_view();
  }
  return PlainValueAt(tag, start);
}

std::string_view XmlReader::ValueView(const TagName& tag, std::int16_t occurrence,
                                      std::string& unescaped) {
  const std::string_view name = tag.Name();
  const bool continues = value_mark_.Continues(name, occurrence);
  if (!continues && value_missing_.Covers(name, occurrence)) {
    value_mark_.end = npos;
    return {};
  }
  const std::size_t from =
      continues ? value_mark_.end : SkipEndTags(tag, ShortStep(occurrence, -1));
  value_mark_.end = npos;
  const std::optional<std::string_view> found =
      ValueAt(tag, false, occurrence, from == npos ? npos : FindTag(tag, false, from), unescaped);
  if (!found) value_missing_.Note(name, occurrence, continues);
  return found.value_or(std::string_view());
}

// The element whose start tag "<tag>" is at `start`, its place remembered for
// the next occurrence's search; nothing when there is none.
std::optional<std::string_view> XmlReader::ValueAt(const TagName& tag, bool named,
                                                   std::int16_t occurrence, std::size_t start,
                                                   std::string& unescaped) {
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
  if (!has_entity && indexed_.Active()) return TrimSpaces(found);
  unescaped = Utf8FromCodePage(found);
  if (has_entity) unescaped = UnescapeValue(unescaped);
  return TrimSpaces(unescaped);
}

std::string_view XmlReader::BlockBytes(std::string_view tag, std::int16_t occurrence) {
  return Raising(*failures_, "Get Block", [&]() -> std::string_view {
    const std::string converted = IsAscii(tag) ? std::string() : CodePageFromUtf8(tag);
    return BlockOf(TagName(converted.empty() ? tag : converted), occurrence);
  });
}

std::string_view XmlReader::BlockBytes(const TagName& tag, std::int16_t occurrence) {
  if (!tag.Ascii()) return BlockBytes(tag.Name(), occurrence);
  return Raising(*failures_, "Get Block", [&] { return BlockOf(tag, occurrence); });
}

std::string_view XmlReader::BlockOf(const TagName& plain, std::int16_t occurrence) {
  const std::string_view name = plain.Name();
  if (Bytes().empty() || name.empty()) return {};
  const bool continues = block_mark_.Continues(name, occurrence);
  if (!continues && block_missing_.Covers(name, occurrence)) {
    block_mark_.end = npos;
    return {};
  }
  const auto missing = [&]() -> std::string_view {
    block_missing_.Note(name, occurrence, continues);
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
  // A collection's next member mostly starts right where the previous one ended.
  std::size_t start = !attributed && IsStartTagAt(Bytes(), from, name) ? from : find_start(from);
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

std::string XmlReader::Block(std::string_view tag, std::int16_t occurrence) {
  return Utf8FromCodePage(BlockBytes(tag, occurrence));
}

std::string_view XmlReader::BlockView(std::string_view tag, std::int16_t occurrence) {
  return InUtf8(BlockBytes(tag, occurrence));
}

std::string_view XmlReader::BlockView(const TagName& tag, std::int16_t occurrence) {
  return InUtf8(BlockBytes(tag, occurrence));
}

std::string_view XmlReader::InUtf8(std::string_view block) {
  if (indexed_.Active()) return block;  // ASCII: already UTF-8
  block_copy_ = Utf8FromCodePage(block);
  return block_copy_;
}

std::string XmlReader::Attrib(std::string_view element, std::string_view attribute) {
  std::string unescaped;
  return std::string(AttribView(element, attribute, unescaped));
}

std::string_view XmlReader::AttribView(std::string_view element, std::string_view attribute,
                                       std::string& unescaped) {
  return Raising(*failures_, "Get Attrib", [&]() -> std::string_view {
    const std::string& opening = InCodePage(attrib_opening_, "<", element, "");
    AttribWalk walk = WalkAttribs(opening);
    const std::string_view name =
        IsAscii(attribute) ? attribute : InCodePage(attrib_name_, "", attribute, "");
    return NextAttrib(walk, opening, name, name.find('=') == std::string_view::npos, unescaped);
  });
}

XmlReader::AttribWalk XmlReader::WalkAttribs(std::string_view opening, bool apart) {
  // The element of the last attribute read goes on from there; another is searched for.
  if (opening == attrib_mark_.element)
    return {attrib_mark_.cursor, attrib_mark_.tag_end, attrib_mark_.first_close, true};
  const std::string_view text = Bytes();
  // "<element" is a prefix of tags the index does not answer for: a plain
  // search, mostly short, since it is the text of one record. In the text
  // charted so far, an element named apart begins at none of the "<"s, and
  // mostly it comes right after.
  const std::size_t from = apart ? charted_ : 0;
  const bool next = text.size() - from >= opening.size() &&
                    SameBytes(text.data() + from, opening.data(), opening.size());
  const std::size_t start = next ? from : FindStartingBefore(text, opening, from, text.size());
  if (start == npos) return {};
  // A tag without a ">" after it has no end (StartTagEnd): no attributes.
  const std::size_t first_close = FindByteThrough(text, '>', start, text.size());
  if (first_close == npos) return {};
  if (start == charted_ && FindByteThrough(text, '<', start + 1, first_close) == npos)
    Chart(start, first_close + 1);
  return {start, kUnknownEnd, first_close, false};
}

std::string_view XmlReader::NextAttrib(AttribWalk& walk, std::string_view opening,
                                       std::string_view name, bool try_plain,
                                       std::string& unescaped) {
  if (walk.from == npos) return {};
  if (try_plain) {
    if (const std::optional<std::string_view> plain = NextPlainAttrib(walk, opening, name))
      return *plain;
  }
  const std::string_view text = Bytes();
  if (walk.tag_end == kUnknownEnd) walk.tag_end = StartTagEnd(text, walk.from);
  // A name found at or after the tag's end counts as none: only the tag
  // is searched, and the next attribute's search goes on from this one's.
  const std::size_t found = FindAttributeName(text, name, walk.from, walk.tag_end);
  if (found == npos) return {};
  const std::size_t open_quote = found + name.size() + 1;  // after "name="
  const char quote = open_quote < text.size() ? text[open_quote] : '\0';
  if (quote != '"' && quote != '\'') return {};
  const std::size_t close_quote = FindByteThrough(text, quote, open_quote + 1, walk.tag_end);
  if (close_quote == npos) return {};
  NoteAttribRead(walk, opening, close_quote);
  const std::string_view found_value = text.substr(open_quote + 1, close_quote - open_quote - 1);
  // Most values hold no entity and are ASCII: the same text in UTF-8.
  if (found_value.find('&') == npos && IsAscii(found_value)) return found_value;
  unescaped = UnescapeValue(Utf8FromCodePage(found_value));
  return unescaped;
}

std::string XmlReader::GetFieldValue(std::string_view text) {
  return CarryingOn<std::string>(*failures_, "GetFieldValue", "",
                                 [&] { return UnescapeValue(text); });
}

}  // namespace lombar
