// The library's XML reader, a text search: it finds elements and attributes
// by plain case-sensitive search, takes the first match in document order
// and never fails on malformed text: what it cannot find comes back empty.
// It keeps the position where its previous search ended, so reading
// consecutive members is one pass.
//
// A text is read where it lies when it is ASCII (then the same in UTF-8 and
// in the code page), through the tag index of the document it is part of;
// any other text is copied into the code page, one byte a character. Texts
// come back as UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "base/Text.h"
#include "base/Words.h"
#include "text/TagIndex.h"
#include "text/XmlBytes.h"
#include "text/XmlFailures.h"

namespace lombar {

class XmlReader {
 public:
  explicit XmlReader(const XmlFailures& failures = XmlFailures::AsTheyAre()) noexcept
      : failures_(&failures) {}
  // A reader of `part`, as ReadPart reads it.
  explicit XmlReader(XmlPart part, const XmlFailures& failures = XmlFailures::AsTheyAre())
      : failures_(&failures) {
    Open(std::move(part));
  }

  // Gives the reader a copy of `text` and resets every reading position.
  // Carries on after a failure, with whatever text it then holds.
  void SetXML(std::string_view text);
  // Like SetXML, but an ASCII text is read where it lies: it must stay alive
  // and unchanged while the reader reads it. A part handed over by another
  // reader is read through that reader's index.
  void ReadPart(XmlPart part);
  void ReadInPlace(std::string_view text) { ReadPart(XmlPart(text)); }
  // The length of the text being read.
  std::size_t TextSize() const noexcept { return Bytes().size(); }

  // The content of the `occurrence`-th "<tag>" element, unescaped and
  // trimmed. Raises its failure (error 6 for an occurrence stepped past the
  // 16-bit range).
  std::string Value(std::string_view tag, std::int16_t occurrence = 1);
  // Value(names[i]) as a view, valid until the reader is next used: a part
  // of the text itself when it is read in place and holds no entity, else
  // `unescaped`. For the (ASCII) names a reader looks for in every record;
  // the reader may keep a reference to them, so they must outlive it.
  std::string_view FirstValue(const TagNames& names, std::size_t i, std::string& unescaped) {
    // Most names a record's reader asks for are in no record of the document:
    // the index knows them, and they are answered here without a search.
    if (NowhereInText(names, i)) {
      value_mark_.end = std::string::npos;
      return {};
    }
    return FirstValueSearched(names, i, unescaped);
  }
  // FirstValue of a name the caller found outside MissingNames: the same
  // answer, without asking the index again (a name nowhere in the text is
  // then not found by the search either).
  std::string_view FirstValueSearched(const TagNames& names, std::size_t i,
                                      std::string& unescaped) {
    if (const std::optional<std::string_view> plain = PlainFirstValue(names, i)) return *plain;
    return SearchFirstValue(names, i, unescaped);
  }
  // For a record's reader, before its fields are read: whether WalkedValue
  // can answer FirstValue for the set's names, the text being read in place
  // and its start tags walked once for all of them.
  bool WalksFields(const TagNames& names) {
    return ReadsIndexedText() && !MayContinueValue() && indexed_.WalksFor(names);
  }
  // FirstValue(names, i) once WalksFields(names) said yes, without its checks
  // for each field: false when the field needs FirstValue after all (its
  // name is not one the index knows, its end tag is not next, or an entity
  // is in it).
  bool WalkedValue(const TagNames& names, std::size_t i, std::string_view& value) {
    if (!names[i].Indexable() || MayContinueValue()) return false;
    const std::size_t start = indexed_.WalkedStart(names, i);
    if (start == TagIndex::npos) {
      value_mark_.end = std::string::npos;
      value = {};
      return true;
    }
    const std::optional<std::string_view> plain = PlainValueAt(names[i], start);
    if (plain) value = *plain;
    return plain.has_value();
  }
  // The set's names that FirstValue knows to be in no record of the
  // document, as bits by number (TagIndex::Missing): each would come back
  // empty without a search. None until the set was first asked for.
  std::uint64_t MissingNames(const TagNames& names) const {
    return ReadsIndexedText() ? indexed_.Missing(names) : 0;
  }
  // The whole `occurrence`-th element, also one written with attributes or
  // self-closing, trimmed and not unescaped. Raises its failure, as Value.
  std::string Block(std::string_view tag, std::int16_t occurrence);
  // The same block, valid until the reader is next used: a part of the text
  // itself when it is read in place.
  std::string_view BlockView(std::string_view tag, std::int16_t occurrence);
  // The same by a name hashed once, for the member element of every block of a collection.
  std::string_view BlockView(const TagName& tag, std::int16_t occurrence);
  // The same block handed over for a nested element's reader, which then
  // reads it through this reader's index; valid as BlockView's.
  XmlPart BlockPart(std::string_view tag, std::int16_t occurrence) {
    return PartOf(BlockView(tag, occurrence));
  }
  XmlPart BlockPart(const TagName& tag, std::int16_t occurrence) {
    return PartOf(BlockView(tag, occurrence));
  }
  // A text to hand over to another reader: with this reader's index when it
  // lies in the text this reader reads in place, else as it is.
  XmlPart PartOf(std::string_view text) const { return indexed_.Part(text); }
  // An attribute of the first element whose name starts with `element`.
  // Attributes of one element must be read in written order. Raises its failure.
  std::string Attrib(std::string_view element, std::string_view attribute);
  // The same as a view, valid until the reader is next used: a part of the
  // text itself when it is ASCII and holds no entity, else `unescaped`.
  std::string_view AttribView(std::string_view element, std::string_view attribute,
                              std::string& unescaped);
  // AttribView of each of `names` in turn, the element found once: each
  // value is given to take(i, value) before the next is read. `apart`: the
  // caller knows the element to be named apart from every element it found
  // through this reader before (a value's, an attribute's), neither name
  // beginning with the other; the element is then looked for only after
  // the text those found lay in, when they lay one after another.
  template <class Take>
  void AttribViews(const AttributeNames& names, std::string& unescaped, Take&& take,
                   bool apart = false) {
    if (!names.Plain()) {
      for (std::size_t i = 0; i < names.size(); ++i)
        take(i, AttribView(names.Element(), names[i], unescaped));
      return;
    }
    AttribWalk walk = WalkAttribs(names.Opening(), apart);
    for (std::size_t i = 0; i < names.size(); ++i) {
      take(i, Raising(*failures_, "Get Attrib", [&] {
             if (walk.from != std::string::npos) {
               const auto plain = NextPlainAttrib(walk, names.Opening(), names[i]);
               if (plain) return *plain;
             }
             return NextAttrib(walk, names.Opening(), names[i], false, unescaped);
           }));
    }
  }
  // The text with the five entities decoded, unless it is markup. Carries on
  // after a failure with the empty text.
  std::string GetFieldValue(std::string_view text);

 private:
  // Where the previous successful search of one kind ended, 0-based; npos for none.
  struct SearchMark {
    std::size_t end = std::string::npos;
    std::int16_t occurrence = 0;
    std::string tag;
    // The tag, when it is one of a set of names that outlives the reader:
    // records' fields are found by those, and their tags are not copied.
    const TagName* named = nullptr;
    std::string_view Tag() const noexcept { return named ? named->Name() : tag; }
    void Remember(std::string_view name) {
      named = nullptr;
      tag = name;
    }
    bool Continues(std::string_view next_tag, std::int16_t next_occurrence) const;
    // As made, its text's storage kept: readers are reset once per record.
    void Reset() noexcept {
      end = std::string::npos;
      occurrence = 0;
      tag.clear();
      named = nullptr;
    }
  };
  // A block's search also keeps the forms it found the block by, which the
  // next occurrence's search goes on with.
  struct BlockMark : SearchMark {
    bool attributed_start = false;  // "<name " rather than "<name>"
    bool self_closing = false;      // ended by "/>" rather than "</name>"
    void Reset() noexcept {
      SearchMark::Reset();
      attributed_start = self_closing = false;
    }
  };
  // The first occurrence of a tag that a fresh search did not find: no later
  // one can be found either, while the reader reads the same text.
  struct MissingMark {
    std::string tag;
    std::int16_t from_occurrence = 0;  // 0: none known
    bool Covers(std::string_view name, std::int16_t occurrence) const;
    // Notes the miss of a fresh search.
    void Note(std::string_view name, std::int16_t occurrence, bool continued);
    void Reset() noexcept {
      tag.clear();
      from_occurrence = 0;
    }
  };
  // The end of an element's start tag that is not looked for until needed.
  static constexpr std::size_t kUnknownEnd = std::string::npos - 1;
  // Where the next attribute of an element is searched: from the previous
  // one's closing quote, or from the element's start while none was found.
  struct AttribWalk {
    std::size_t from = std::string::npos;  // npos: there is no such element
    // The end of its start tag (StartTagEnd), or kUnknownEnd: then no ">"
    // lies between the element's start and `from`, so it is found from either.
    std::size_t tag_end = kUnknownEnd;
    // The first ">" after the element's start: the tag ends there at the
    // earliest, so a value closed before it is within the tag.
    std::size_t first_close = 0;
    bool marked = false;  // the attribute mark is on this element
  };
  // The walk of the first element that begins with `opening` ("<" + its
  // name, in the code page), or of the element of the last attribute read
  // when that is the same. `apart`: as AttribViews's.
  AttribWalk WalkAttribs(std::string_view opening, bool apart = false);
  // The next attribute `name` (in the code page) of the walk's element;
  // `try_plain`: NextPlainAttrib is tried first (the name holds no "=").
  std::string_view NextAttrib(AttribWalk& walk, std::string_view opening, std::string_view name,
                              bool try_plain, std::string& unescaped);
  // NextAttrib's common case: the attribute written next, as a writer
  // writes it (' name="value"'), its name plain and its value plain (ASCII,
  // no entity) and closed before the first ">"; nothing when it is not so.
  // The walk must be of an element (`from` not npos).
  std::optional<std::string_view> NextPlainAttrib(AttribWalk& walk, std::string_view opening,
                                                  std::string_view name);
  // Notes the attribute whose value closed at `close_quote` as the walk's last.
  void NoteAttribRead(AttribWalk& walk, std::string_view opening, std::size_t close_quote);
  struct AttribMark {
    std::string element;  // "<" + element of the last successful read
    std::size_t cursor = 0;
    std::size_t tag_end = 0;
    std::size_t first_close = 0;
    void Reset() noexcept {
      element.clear();
      cursor = tag_end = first_close = 0;
    }
  };

  // Whether the set's `i`-th name has no "<name>" anywhere in the indexed
  // document the text read in place is part of. Such a name was never found,
  // so there is no earlier search of it to continue either.
  bool NowhereInText(const TagNames& names, std::size_t i) const {
    return ReadsIndexedText() && indexed_.Lacks(names, i);
  }
  // Whether the reader reads a text in place, through its document's index.
  bool ReadsIndexedText() const { return indexed_.Active() && !indexed_.Text().empty(); }
  std::string_view SearchFirstValue(const TagNames& names, std::size_t i, std::string& unescaped);
  // FirstValue's common case answered straight from the index: a text read
  // in place, no earlier search to go on with, the element's end tag next
  // after its start and no entity in it. Nothing when any of that fails.
  std::optional<std::string_view> PlainFirstValue(const TagNames& names, std::size_t i);
  // Whether the next FirstValue may go on from the previous search: only
  // one that found occurrence 0 (or the last one) is continued.
  bool MayContinueValue() const noexcept {
    const std::int16_t last = value_mark_.occurrence;
    return value_mark_.end != std::string::npos &&
           (last == 0 || last == std::numeric_limits<std::int16_t>::max());
  }
  // The value of the element whose start tag "<tag>" is at `start` of the
  // text read in place, when its end tag is the next tag and no entity is in
  // it; nothing otherwise.
  std::optional<std::string_view> PlainValueAt(const TagName& tag, std::size_t start) {
    const std::string_view text = indexed_.Text();
    const std::string_view name = tag.Name();
    const std::size_t content = start + name.size() + 2;  // after "<name>"
    const char* const stop =
        FirstOfEither(text.data() + content, text.data() + text.size(), '<', '&');
    const std::size_t end = static_cast<std::size_t>(stop - text.data());
    if (end == text.size() || text[end] == '&' || !IsEndTagAt(text, end, name)) return std::nullopt;
    NoteValueFound(tag, true, 1, end);
    Chart(start, end + name.size() + 3);
    return TrimSpaces(text.substr(content, end - content));
  }
  // A value found with its end tag at `end`: the next occurrence's search
  // goes on after it. `named`: the tag is one of a set of names that
  // outlives the reader. Inline, as every field read notes one.
  void NoteValueFound(const TagName& tag, bool named, std::int16_t occurrence, std::size_t end) {
    value_mark_.end = end + tag.Name().size() + 3;  // after "</name>"
    value_mark_.occurrence = occurrence;
    if (named) {
      value_mark_.named = &tag;
    } else {
      value_mark_.Remember(tag.Name());
    }
  }
  // Notes that [start, end) of the text holds an element found by its name
  // there, with no "<" in it but its tags' own: when it follows the text
  // charted so far, the chart goes on to its end.
  void Chart(std::size_t start, std::size_t end) noexcept {
    if (start == charted_) charted_ = end;
  }
  std::size_t SkipEndTags(const TagName& name, std::int16_t count);
  std::string_view Bytes() const noexcept {
    return indexed_.Active() ? indexed_.Text() : std::string_view(owned_);
  }
  std::size_t Find(std::string_view needle, std::size_t from) const;
  // The first "<name>", or with `end_tag` "</name>", at or after `from`.
  std::size_t FindTag(const TagName& name, bool end_tag, std::size_t from);
  std::size_t FindEndTag(const TagName& name, std::size_t from);
  std::string_view ValueView(const TagName& tag, std::int16_t occurrence, std::string& unescaped);
  // `named`: the tag is one of a set of names that outlives the reader.
  std::optional<std::string_view> ValueAt(const TagName& tag, bool named,
                                          std::int16_t occurrence, std::size_t start,
                                          std::string& unescaped);
  // The block in the reader's code page, trimmed; empty when there is none.
  std::string_view BlockBytes(std::string_view tag, std::int16_t occurrence);
  std::string_view BlockBytes(const TagName& tag, std::int16_t occurrence);
  // The search of BlockBytes by its name in code-page bytes.
  std::string_view BlockOf(const TagName& plain, std::int16_t occurrence);
  // A block the reader found, in UTF-8.
  std::string_view InUtf8(std::string_view block);
  // A new text is given: every reading position starts again, and what was learnt is forgotten.
  void ForgetReading();
  // ReadPart after ForgetReading, or for a reader just made, which has read nothing yet.
  void Open(XmlPart part);

  const XmlFailures* failures_;
  IndexedText indexed_;  // the text read in place, with its document's index
  std::string owned_;    // else the reader's copy of its text, in code-page bytes
  SearchMark value_mark_;
  BlockMark block_mark_;
  MissingMark value_missing_;
  MissingMark block_missing_;
  AttribMark attrib_mark_;
  // The text before it is charted: each "<" there begins an end tag or the
  // start tag of an element found there by its name (Chart).
  std::size_t charted_ = 0;
  std::string block_copy_;   // what BlockView returns for a text the reader owns
  std::string tag_scratch_;  // a tag written out for a search without the index
  // An attribute's element and name written out for its search.
  std::string attrib_opening_;
  std::string attrib_name_;
};

// Inline, as AttribViews's step for each attribute. NextAttrib's search
// would find the name here: from the walk's start (the element's start or
// the previous value's closing quote) to this "=", the text holds the
// element's or the name itself and no "=", and the name starts before the
// tag's end, which lies beyond the first ">". The value's closing quote is
// the first after it, also before that ">".
inline std::optional<std::string_view> XmlReader::NextPlainAttrib(AttribWalk& walk,
                                                                  std::string_view opening,
                                                                  std::string_view name) {
  const std::string_view text = Bytes();
  const std::size_t at = walk.from + (walk.marked ? 1 : opening.size());  // ' name="'
  const std::size_t value = at + name.size() + 3;
  if (value > walk.first_close || text[at] != ' ' || text[value - 2] != '=' ||
      !SameBytes(text.data() + at + 1, name.data(), name.size()))
    return std::nullopt;
  const char quote = text[value - 1];
  if (quote != '"' && quote != '\'') return std::nullopt;
  const char* const end = text.data() + walk.first_close;
  const char* const stop = PlainValueEnd(text.data() + value, end, quote);
  if (stop == end || *stop != quote) return std::nullopt;
  const std::size_t close_quote = static_cast<std::size_t>(stop - text.data());
  NoteAttribRead(walk, opening, close_quote);
  return text.substr(value, close_quote - value);
}

inline void XmlReader::NoteAttribRead(AttribWalk& walk, std::string_view opening,
                                      std::size_t close_quote) {
  if (!walk.marked) attrib_mark_.element = opening;
  walk.marked = true;
  walk.from = attrib_mark_.cursor = close_quote;
  attrib_mark_.tag_end = walk.tag_end;
  attrib_mark_.first_close = walk.first_close;
}

}  // namespace lombar
