// The library's XML writer and text-search reader.
//
// As a writer it appends element text to a buffer in call order, keeping a
// stack of the groups still open; its output is compact. As a reader (after
// SetXML) it finds elements and attributes by plain case-sensitive search,
// takes the first match in document order and never fails on malformed text:
// what it cannot find comes back empty. The reader keeps the position where
// its previous search ended, so reading consecutive members is one pass.
//
// Texts enter and leave as UTF-8; the buffer holds them one byte a character.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lombar/Variant.h"
#include "text/CString.h"
#include "text/TagIndex.h"

namespace lombar {

class clsXML {
 public:
  clsXML();

  // ---- writing ----
  void SetSnippet(bool snippet) { snippet_ = snippet; }
  void SetCompress(bool compress) { compress_ = compress; }
  // Switching zero suppression on switches compression on too.
  void SetZeroSuppress(bool zero_suppress);

  // One element: a leaf "<tag>value</tag>", or with `open_group` a group start
  // "<tag>" left open. Under Compress an empty leaf is not written, and under
  // ZeroSuppress neither is a numeric leaf equal to 0.
  void Add(std::string_view tag, std::string_view value, bool open_group = false,
           bool close_group = false);
  // Add(tag, value) for a leaf whose tag is known up front (and so hashed and
  // checked for ASCII once): the writing of a class's fields. Most fields
  // are empty, and an empty one under Compress is left out here, inline.
  void AddLeaf(const TagName& tag, std::string_view value) {
    if (DropsEmpty(value)) return;
    AddKnownLeaf(tag, value);
  }
  // Add(tag, "", true) for a group whose tag is known up front, as AddLeaf's is.
  void OpenGroup(const TagName& tag);
  // Whether a numeric leaf equal to 0 is left out.
  bool DropsZero() const { return compress_ && zero_suppress_; }
  // "<tag attribute="value"/>", or with `open_group` a group start carrying the attribute.
  void AddAttrVal(std::string_view tag, std::string_view attribute, std::string_view value,
                  bool open_group = false);
  // Sets an attribute on the first element already written whose start tag
  // begins with "<" + element: replaces its value, or appends the attribute.
  void SetAttrib(std::string_view element, std::string_view attribute, std::string_view value);
  // Appends text as it is.
  void AddXML(std::string_view text);
  // Closes the innermost open group; nothing when none is open.
  void EndGroup();
  // The document: open groups closed, with the XML declaration unless Snippet.
  // After SetXML, the assigned text unchanged.
  std::string XML();
  // The same text from a writer that is not used again: its buffer is handed
  // over instead of copied when the text is ASCII.
  std::string TakeXML();
  // From now on what this writer writes lands at the end of `parent`'s text
  // instead of in a text of its own for the parent to copy in, so a document
  // is written once rather than once per level of nesting. Its switches and
  // open groups stay its own, and SetAttrib and XMLcompress see only what it
  // wrote itself. `parent` must outlive it and write nothing until it is Closed.
  void AppendTo(clsXML& parent);
  // Closes the groups still open: what the writer wrote is complete.
  void Close() { CloseOpenGroups(); }
  // What a writer appended to this one would write, written by this one: its
  // switches are the part's while the part lasts, and Close closes the
  // groups the part opened. A part that ends without Close (a failure) drops
  // its groups unclosed, as a writer of its own would. Only for parts that
  // use neither SetAttrib nor XMLcompress, which would see the whole text.
  class Part {
   public:
    Part(clsXML& writer, bool compress, bool zero_suppress) noexcept
        : writer_(writer),
          compress_(writer.compress_),
          zero_suppress_(writer.zero_suppress_),
          depth_(writer.open_groups_.size()) {
      writer.compress_ = compress || zero_suppress;
      writer.zero_suppress_ = zero_suppress;
    }
    Part(const Part&) = delete;
    Part& operator=(const Part&) = delete;
    ~Part() {
      writer_.open_groups_.resize(depth_);
      writer_.compress_ = compress_;
      writer_.zero_suppress_ = zero_suppress_;
    }
    void Close() {
      while (writer_.open_groups_.size() > depth_)
        writer_.EndGroup();
    }

   private:
    clsXML& writer_;
    bool compress_;
    bool zero_suppress_;
    std::size_t depth_;
  };
  // A point in what the writer has written, to take back what follows it.
  struct Mark {
    std::size_t length = 0;
    std::size_t open_groups = 0;
  };
  Mark Position() const { return {Written().size(), open_groups_.size()}; }
  void Retract(const Mark& mark);
  // Makes room for about `bytes` more to be written (the document's buffer,
  // when writing into a parent's): a writer that knows what is coming grows
  // the buffer while it is small, instead of copying it when it is full.
  void ExpectMore(std::size_t bytes) { Out().ReserveFor(bytes); }
  // Resets writer and reader to a new object's state.
  void Clear(bool terminating = false);
  // Removes elements with neither content nor attributes, again and again
  // until none is left, from the buffer (which keeps the result) or from `text`.
  std::string XMLcompress();
  std::string XMLcompress(std::string_view text);

  // ---- reading ----
  // Gives the reader its text and resets every reading position.
  void SetXML(std::string_view text);
  // Like SetXML, but an ASCII text is read where it lies: it must stay alive
  // and unchanged while the reader reads it, and reading it shares one tag
  // index with the texts around it that are read in place too.
  void ReadInPlace(std::string_view text);
  // The content of the `occurrence`-th "<tag>" element, unescaped and trimmed.
  std::string Value(std::string_view tag, Short occurrence = 1);
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
    if (const std::optional<std::string_view> plain = PlainFirstValue(names, i)) return *plain;
    return SearchFirstValue(names, i, unescaped);
  }
  // The set's names that FirstValue knows to be in no record of the
  // document, as bits by number (TagIndex::Missing): each would come back
  // empty without a search. None until the set was first asked for.
  std::uint64_t MissingNames(const TagNames& names) const {
    return ReadsIndexedText() ? borrowed_.Missing(names) : 0;
  }
  // The whole `occurrence`-th element, also one written with attributes or
  // self-closing, trimmed and not unescaped.
  std::string Block(std::string_view tag, Short occurrence);
  // The same block, valid until the reader is next used: a part of the text
  // itself when it is read in place, so a nested element's reader can read
  // it in place too.
  std::string_view BlockView(std::string_view tag, Short occurrence);
  // The same by a name hashed once, for the member element of every block of a collection.
  std::string_view BlockView(const TagName& tag, Short occurrence);
  // An attribute of the first element whose name starts with `element`.
  // Attributes of one element must be read in written order.
  std::string Attrib(std::string_view element, std::string_view attribute);
  // The text with the five entities decoded, unless it is markup.
  std::string GetFieldValue(std::string_view text);

  // Escaping for element and attribute values; markup ("<...>") stays as it is.
  static std::string EscapeValue(std::string_view value);
  static std::string UnescapeValue(std::string_view value);

 private:
  // Where the previous successful search of one kind ended, 0-based; npos for none.
  struct SearchMark {
    std::size_t end = std::string::npos;
    Short occurrence = 0;
    std::string tag;
    // The tag, when it is one of a set of names that outlives the reader:
    // records' fields are found by those, and their tags are not copied.
    const TagName* named = nullptr;
    std::string_view Tag() const noexcept { return named ? named->Name() : tag; }
    void Remember(std::string_view name) {
      named = nullptr;
      tag = name;
    }
    bool Continues(std::string_view next_tag, Short next_occurrence) const;
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
  // one can be found either, while the text stays as it was (text replaced
  // whole forgets it; text appended to changes its size).
  struct MissingMark {
    std::string tag;
    Short from_occurrence = 0;  // 0: none known
    std::size_t size = 0;       // of the text searched
    bool Covers(std::string_view name, Short occurrence, std::size_t text_size) const;
    // Notes the miss of a fresh search.
    void Note(std::string_view name, Short occurrence, bool continued,
                     std::size_t text_size);
    void Reset() noexcept {
      tag.clear();
      from_occurrence = 0;
      size = 0;
    }
  };
  struct AttribMark {
    std::string element;  // "<" + element of the last successful read
    std::size_t cursor = 0;
    std::size_t tag_end = 0;
    void Reset() noexcept {
      element.clear();
      cursor = tag_end = 0;
    }
  };

  // Whether the set's `i`-th name has no "<name>" anywhere in the indexed
  // document the text read in place is part of. Such a name was never found,
  // so there is no earlier search of it to continue either.
  bool NowhereInText(const TagNames& names, std::size_t i) const {
    return ReadsIndexedText() && borrowed_.Lacks(names, i);
  }
  // Whether the reader reads a text in place, through its document's index.
  bool ReadsIndexedText() const { return borrowed_.Active() && !borrowed_.Text().empty(); }
  std::string_view SearchFirstValue(const TagNames& names, std::size_t i, std::string& unescaped);
  // FirstValue's common case answered straight from the index: a text read
  // in place, no earlier search to go on with, the element's end tag next
  // after its start and no entity in it. Nothing when any of that fails.
  std::optional<std::string_view> PlainFirstValue(const TagNames& names, std::size_t i);
  // A value found with its end tag at `end`: the next occurrence's search
  // goes on after it. `named`: the tag is one of a set of names that
  // outlives the reader. Inline, as every field read notes one.
  void NoteValueFound(const TagName& tag, bool named, Short occurrence, std::size_t end) {
    value_mark_.end = end + tag.Name().size() + 3;  // after "</name>"
    value_mark_.occurrence = occurrence;
    if (named) {
      value_mark_.named = &tag;
    } else {
      value_mark_.Remember(tag.Name());
    }
  }
  // Compress leaves out an empty leaf: the first test of Suppressed, inline.
  bool DropsEmpty(std::string_view value) const { return compress_ && value.empty(); }
  bool Suppressed(std::string_view value) const {
    if (DropsEmpty(value)) return true;
    return DropsZero() && SuppressedAsZero(value);
  }
  bool SuppressedAsZero(std::string_view value) const;
  void WriteLeafOrGroup(std::string_view tag, std::string_view value, bool open_group,
                        bool tag_is_ascii);
  void AddKnownLeaf(const TagName& tag, std::string_view value);
  void PushGroup(std::string_view tag, bool tag_is_ascii);
  void CloseOpenGroups();
  std::string CompleteBuild(bool take);
  std::size_t SkipEndTags(const TagName& name, Short count);
  std::string_view Bytes() const noexcept {
    return borrowed_.Active() ? borrowed_.Text() : buffer_.Bytes();
  }
  std::size_t Find(std::string_view needle, std::size_t from) const;
  // The first "<name>", or with `end_tag` "</name>", at or after `from`.
  std::size_t FindTag(const TagName& name, bool end_tag, std::size_t from);
  std::size_t FindEndTag(const TagName& name, std::size_t from);
  std::string_view ValueView(const TagName& tag, Short occurrence, std::string& unescaped);
  // `named`: the tag is one of a set of names that outlives the reader.
  std::optional<std::string_view> ValueAt(const TagName& tag, bool named, Short occurrence,
                                          std::size_t start,
                                          std::string& unescaped);
  // Where the writer's text goes: its own buffer or the end of a parent's.
  CString& Out() noexcept { return target_ ? *target_ : buffer_; }
  const CString& Out() const noexcept { return target_ ? *target_ : buffer_; }
  // What this writer wrote itself.
  std::string_view Written() const noexcept { return Out().Bytes().substr(base_); }
  // The block in the reader's code page, trimmed; empty when there is none.
  std::string_view BlockBytes(std::string_view tag, Short occurrence);
  std::string_view BlockBytes(const TagName& tag, Short occurrence);
  // The search of BlockBytes by its name in code-page bytes.
  std::string_view BlockOf(const TagName& plain, Short occurrence);
  // A block the reader found, in UTF-8.
  std::string_view InUtf8(std::string_view block);
  // The text was replaced: what was learnt about it is forgotten.
  void ForgetText();
  // A new text is given: every reading position starts again, and what was learnt is forgotten.
  void ForgetReading();
  // Before the text changes, a text read in place becomes the reader's own.
  // Inline, as every write asks it.
  void OwnText() {
    if (borrowed_.Active()) CopyBorrowedText();
  }
  void CopyBorrowedText();

  // What the XML declaration of a whole document says.
  static constexpr std::string_view kVersion = "1.0";
  static constexpr std::string_view kEncoding = "UTF-8";

  CString buffer_;
  CString* target_ = nullptr;  // a parent's buffer written into; null for its own
  std::size_t base_ = 0;       // where this writer's text starts in Out()
  bool assigned_ = false;
  // The tags of the groups still open, in code-page bytes, innermost last.
  // A writer mostly has one or two open: those are kept without allocating.
  class OpenGroups {
   public:
    std::size_t size() const noexcept { return size_; }
    bool empty() const noexcept { return size_ == 0; }
    const std::string& back() const { return size_ <= kNear ? near_[size_ - 1] : far_.back(); }
    void push_back(std::string tag) {
      (size_ < kNear ? near_[size_] : far_.emplace_back()) = std::move(tag);
      ++size_;
    }
    void pop_back() {
      if (size_ > kNear) far_.pop_back();
      --size_;
    }
    void resize(std::size_t size) {
      while (size_ > size)
        pop_back();
    }

   private:
    static constexpr std::size_t kNear = 2;
    std::string near_[kNear];
    std::vector<std::string> far_;
    std::size_t size_ = 0;
  };
  OpenGroups open_groups_;
  bool snippet_ = false;
  bool compress_ = false;
  bool zero_suppress_ = false;
  SearchMark value_mark_;
  BlockMark block_mark_;
  MissingMark value_missing_;
  MissingMark block_missing_;
  AttribMark attrib_mark_;
  // Where SetAttrib last found its element ("<" + element, in code-page
  // bytes). The next SetAttrib of the same element starts there: since then
  // the writer has only appended, or edited that element's own tag, so
  // nothing before it changed. Whatever else changes the text forgets it.
  struct AttribTarget {
    std::string opening;
    std::size_t start = std::string::npos;
    void Reset() noexcept {
      opening.clear();
      start = std::string::npos;
    }
  };
  AttribTarget attrib_target_;
  BorrowedText borrowed_;
  std::string block_copy_;  // what BlockView returns for a text the reader owns
  std::string tag_scratch_;  // a tag written out for a search without the index
};

}  // namespace lombar
