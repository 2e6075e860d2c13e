// The library's XML writer: element text appended to a buffer in call
// order, with a stack of the groups still open; its output is compact.
//
// Texts enter as UTF-8; the buffer holds them one byte a character.
#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/TagIndex.h"
#include "text/TextBuffer.h"
#include "text/XmlBytes.h"
#include "text/XmlEscape.h"
#include "text/XmlFailures.h"

namespace lombar {

class XmlWriter {
 public:
  explicit XmlWriter(const XmlFailures& failures = XmlFailures::AsTheyAre()) noexcept
      : failures_(&failures) {}

  void SetSnippet(bool snippet) { snippet_ = snippet; }
  void SetCompress(bool compress) { compress_ = compress; }
  // Switching zero suppression on switches compression on too.
  void SetZeroSuppress(bool zero_suppress);

  // One element: a leaf "<tag>value</tag>", or with `open_group` a group start
  // "<tag>" left open. Under Compress an empty leaf is not written, and under
  // ZeroSuppress neither is a numeric leaf equal to 0. Raises its failure.
  void Add(std::string_view tag, std::string_view value, bool open_group = false,
           bool close_group = false);
  // Add(tag, value) for a leaf whose tag is known up front (and so hashed and
  // checked for ASCII once): the writing of a class's fields. Most fields
  // are empty, and an empty one under Compress is left out here, inline.
  // Most of the rest are plain texts the buffer has room for, written here too.
  void AddLeaf(const TagName& tag, std::string_view value) {
    if (DropsEmpty(value)) return;
    if (!MayBeDroppedAsZero(value) && IsPlainValue(value) && AddedInRoom(tag, value)) return;
    AddKnownLeaf(tag, value);
  }
  // AddLeaf of a value the library wrote out itself (a whole number, an
  // amount, a flag): ASCII with nothing to escape, never empty, and not a 0
  // that the switches leave out (its caller sees to that). Such a value needs
  // none of AddLeaf's looks at its bytes.
  void AddPlainLeaf(const TagName& tag, std::string_view value) {
    if (!AddedInRoom(tag, value)) AddKnownLeaf(tag, value);
  }
  // Add(tag, "", true) for a group whose tag is known up front, as AddLeaf's
  // is; the tag's name must outlive the group (a table's or a static name).
  void OpenGroup(const TagName& tag);
  // Whether a numeric leaf equal to 0 is left out.
  bool DropsZero() const { return compress_ && zero_suppress_; }
  // Whether a leaf of this value is left out for being empty (Compress).
  bool DropsEmpty(std::string_view value) const { return DropsEmpties() && value.empty(); }
  bool DropsEmpties() const { return compress_; }
  // "<tag attribute="value"/>", or with `open_group` a group start carrying
  // the attribute. Raises its failure.
  void AddAttrVal(std::string_view tag, std::string_view attribute, std::string_view value,
                  bool open_group = false);
  // Sets an attribute on the first element already written whose start tag
  // begins with "<" + element: replaces its value, or appends the attribute.
  // Raises its failure.
  void SetAttrib(std::string_view element, std::string_view attribute, std::string_view value);
  // AddAttrVal(element, the first name, its value), then SetAttrib of each
  // further name and value on that element: one value a name. Mostly the
  // same text is written at once, without a search for each attribute.
  // `known_first`: the caller knows that no element it wrote through this
  // writer (since it was made, cleared or appended) begins with "<" + the
  // element's name; values written as markup, whose "<" might begin one,
  // the writer notes itself. The writer then does not search for one.
  void AddAttributes(const AttributeNames& names, std::span<const std::string_view> values,
                     bool known_first = false);
  // OpenGroup(tag), then SetAttrib of each name and value on that group's
  // start tag (`names` of the tag's element), the same way.
  void OpenGroup(const TagName& tag, const AttributeNames& names,
                 std::span<const std::string_view> values, bool known_first = false);
  // Appends text as it is; carries on after a failure.
  void AddXML(std::string_view text);
  // Closes the innermost open group; nothing when none is open. Carries on
  // after a failure, the group left open.
  void EndGroup();
  // The document: open groups closed, with the XML declaration unless
  // Snippet. Carries on after a failure with the empty text.
  std::string XML();
  // The same text from a writer that is not used again: its buffer is handed
  // over instead of copied when the text is ASCII.
  std::string TakeXML();
  // From now on what this writer writes lands at the end of `parent`'s text
  // instead of in a text of its own for the parent to copy in, so a document
  // is written once rather than once per level of nesting. Its switches and
  // open groups stay its own, and SetAttrib and XMLcompress see only what it
  // wrote itself. `parent` must outlive it and write nothing until it is Closed.
  void AppendTo(XmlWriter& parent);
  // Closes the groups still open: what the writer wrote is complete.
  void Close() { CloseOpenGroups(); }
  // What a writer appended to this one would write, written by this one: its
  // switches are the part's while the part lasts, and Close closes the
  // groups the part opened. A part that ends without Close (a failure) drops
  // its groups unclosed, as a writer of its own would. Only for parts that
  // use neither SetAttrib nor XMLcompress, which would see the whole text.
  class Part {
   public:
    Part(XmlWriter& writer, bool compress, bool zero_suppress) noexcept
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
    XmlWriter& writer_;
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
  // Resets the writer to a new one's state, its failures kept. Raises its failure.
  void Clear(bool terminating = false);
  // Removes elements with neither content nor attributes, again and again
  // until none is left, from the buffer (which keeps the result) or from
  // `text`. Raises its failure.
  std::string XMLcompress();
  std::string XMLcompress(std::string_view text);

 private:
  bool Suppressed(std::string_view value) const {
    if (DropsEmpty(value)) return true;
    return DropsZero() && SuppressedAsZero(value);
  }
  bool SuppressedAsZero(std::string_view value) const;
  // A plain leaf written where the buffer already has room for it, with
  // nothing that can fail; false, nothing written, when the tag is not a
  // plain one or the room is not there.
  bool AddedInRoom(const TagName& tag, std::string_view value) noexcept {
    return tag.Ascii() && !tag.Name().empty() && Out().AppendElementInRoom(tag.Name(), value);
  }
  // Whether a value not empty may be a number equal to 0 that is left out:
  // not when it starts with 1 to 9 or a letter (SuppressedAsZero).
  bool MayBeDroppedAsZero(std::string_view value) const noexcept {
    if (!DropsZero()) return false;
    const char first = value.front();
    const char lower = static_cast<char>(first | 0x20);
    return !((first >= '1' && first <= '9') || (lower >= 'a' && lower <= 'z'));
  }
  void WriteLeafOrGroup(std::string_view tag, std::string_view value, bool open_group,
                        bool tag_is_ascii);
  void AddKnownLeaf(const TagName& tag, std::string_view value);
  // Whether an element with these attributes, started at the end of the
  // text, is written as setting them one after another would write it.
  bool WritesAttributesAtOnce(const AttributeNames& names,
                              std::span<const std::string_view> values, bool known_first) const;
  // The element's start tag with " name=\"value\"" of each, ended by `end`.
  void AppendStartTag(const AttributeNames& names, std::span<const std::string_view> values,
                      std::string_view end);
  void PushGroup(std::string_view tag, bool tag_is_ascii);
  void CloseOpenGroups();
  std::string CompleteBuild(bool take);
  // Where the writer's text goes: its own buffer or the end of a parent's.
  TextBuffer& Out() noexcept { return target_ ? *target_ : buffer_; }
  const TextBuffer& Out() const noexcept { return target_ ? *target_ : buffer_; }
  // What this writer wrote itself.
  std::string_view Written() const noexcept { return Out().Bytes().substr(base_); }

  // What the XML declaration of a whole document says.
  static constexpr std::string_view kVersion = "1.0";
  static constexpr std::string_view kEncoding = "UTF-8";

  const XmlFailures* failures_;
  TextBuffer buffer_;
  TextBuffer* target_ = nullptr;  // a parent's buffer written into; null for its own
  std::size_t base_ = 0;          // where this writer's text starts in Out()
  // The tags of the groups still open, in code-page bytes, innermost last.
  // A writer mostly has one or two open: those are kept without allocating.
  // A tag known to outlive its group (a TagName's) is kept as a view, the
  // others as a copy; a closed group's place is kept for the next one, so
  // that nesting as deep as before allocates nothing.
  class OpenGroups {
   public:
    std::size_t size() const noexcept { return size_; }
    bool empty() const noexcept { return size_ == 0; }
    std::string_view back() const { return At(size_ - 1).Tag(); }
    void push_back(std::string tag) { Next().Keep(std::move(tag)); }
    void push_lasting(std::string_view tag) { Next().lasting = tag; }
    void pop_back() { --size_; }
    void resize(std::size_t size) { size_ = std::min(size_, size); }

   private:
    struct Group {
      std::string_view lasting;  // empty when the tag is the copy
      std::string copy;
      std::string_view Tag() const noexcept { return lasting.empty() ? copy : lasting; }
      void Keep(std::string tag) {
        lasting = {};
        copy = std::move(tag);
      }
    };
    const Group& At(std::size_t i) const { return i < kNear ? near_[i] : far_[i - kNear]; }
    // The place of the group opened next, counted once it is there.
    Group& Next() {
      if (size_ >= kNear && size_ - kNear == far_.size()) far_.emplace_back();
      Group& next = size_ < kNear ? near_[size_] : far_[size_ - kNear];
      ++size_;
      return next;
    }

    static constexpr std::size_t kNear = 2;
    Group near_[kNear];
    std::vector<Group> far_;
    std::size_t size_ = 0;
  };
  OpenGroups open_groups_;
  bool snippet_ = false;
  // Whether a value went into what this writer wrote as markup, as it is:
  // its "<"s may begin any element.
  bool markup_written_ = false;
  bool compress_ = false;
  bool zero_suppress_ = false;
  // Where SetAttrib last found its element ("<" + element, in code-page
  // bytes). The next SetAttrib of the same element starts there: since then
  // the writer has only appended, or edited that element's own tag, so
  // nothing before it changed. Whatever else changes the text forgets it.
  // With it, where its start tag ended after the last edit and how long the
  // text then was: while the length is the same, nothing else was written.
  struct AttribTarget {
    std::string opening;
    std::size_t start = std::string::npos;
    std::size_t tag_end = std::string::npos;
    std::size_t length = std::string::npos;
    void Reset() noexcept {
      opening.clear();
      start = tag_end = length = std::string::npos;
    }
  };
  AttribTarget attrib_target_;
  // Notes where the start tag that ended at `tag_end` ends now that `count`
  // bytes in it became `size` bytes, of which `written` holds every one
  // that might be a ">".
  void NoteTagEdited(std::size_t tag_end, std::size_t count, std::size_t size,
                     std::string_view written);
  // SetAttrib's element and name written out in the code page.
  std::string attrib_opening_;
  std::string attrib_name_;
};

}  // namespace lombar
