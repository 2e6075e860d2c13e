// A document in the plain form the library writes, read in one pass in
// document order: plain start and end tags only ("<name>", "</name>"), each
// element closed by its own end tag, values of text without markup. In that
// form what the searching reader finds (the first "<name>" of a part, the
// next member after the one before) is the element met next, so a reader
// that knows the document's shape can take each element as it meets it,
// without an index. Anything else (an attribute, a self-closing or
// unmatched tag, a comment, a declaration, a byte beyond ASCII) is NotPlain:
// the caller then reads the text with the searching reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Text.h"
#include "text/XmlEscape.h"

namespace lombar {

class PlainNames;

class PlainXmlCursor {
 public:
  // Thrown where the text leaves the plain form.
  struct NotPlain {};

  // What the searching reader looks for in the text of an element being
  // read in one pass: the first "<name>" of each of its `names` not yet met
  // (bits of `*met` by number), and the first "</element>" after its start,
  // where it takes the element's text to end (none for an empty `element`,
  // the whole text's root, which the search does not end). While a scope lives, a
  // searched block must hold none of these, or the search would find them
  // there, not where the cursor meets them.
  class Scope {
   public:
    Scope(PlainXmlCursor& cursor, std::string_view element, const PlainNames* names = nullptr,
          const std::uint64_t* met = nullptr) noexcept
        : cursor_(cursor), outer_(cursor.scope_), element_(element), names_(names), met_(met) {
      cursor.scope_ = this;
    }
    ~Scope() { cursor_.scope_ = outer_; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    friend class PlainXmlCursor;
    PlainXmlCursor& cursor_;
    const Scope* outer_;
    std::string_view element_;
    const PlainNames* names_;
    const std::uint64_t* met_;
  };

  // NotPlain at once for a text beyond ASCII, which the searching reader
  // reads through the code page, and for one with a comment, a declaration
  // or a processing instruction anywhere, which would otherwise be met only
  // as it comes, with what came before read for nothing.
  explicit PlainXmlCursor(std::string_view text);

  // The name of the next element's start tag, the cursor after it; the empty
  // name when the next tag is an end tag, the cursor left before it. The
  // name is all up to '>': one with a space, a '/' or any other byte no
  // plain name holds is known to no reader, which then gives up.
  std::string_view NextChild() {
    const char* lt = NextMarkup();
    const char* name = lt + 1;
    if (name < end_ && *name == '/') return {};
    const char* gt = name;
    while (gt < end_ && *gt != '>')
      ++gt;
    if (gt == end_) throw NotPlain{};
    at_ = gt + 1;
    return {name, static_cast<std::size_t>(gt - name)};
  }
  // Whether the next tag, right at the cursor, is the start tag "<name>";
  // the cursor goes after it when it is. NextChild's common case for a
  // reader that knows which element mostly comes next: no scan for the
  // tag's end, no look-up of the name.
  bool NextChildIs(std::string_view name) noexcept {
    const std::size_t length = name.size() + 2;  // "<name>"
    if (Left() < length || at_[0] != '<' || at_[length - 1] != '>' ||
        !SameBytes(at_ + 1, name.data(), name.size()))
      return false;
    at_ += length;
    return true;
  }
  // The value of the element whose start tag `name` was just read, as the
  // searching reader gives it: entities decoded (into `decoded`, when there
  // are any), outer spaces trimmed. Its end tag must come next; the cursor
  // goes after it.
  std::string_view LeafValue(std::string_view name, std::string& decoded) {
    std::string_view text = LeafText(name);
    if (entities_ && text.find('&') != std::string_view::npos) {
      decoded = UnescapeValue(text);
      text = decoded;
    }
    return TrimSpaces(text);
  }
  // The same without the value: a leaf met before, which is not read again.
  void SkipLeaf(std::string_view name) { LeafText(name); }
  // The element whose start tag `name` was just read, as the searching
  // reader takes a block: through the first "</name>" after it, whatever
  // lies between, which is only looked at for what the scopes around it
  // forbid. The cursor goes after it.
  std::string_view SearchedBlock(std::string_view name);
  // Reads the end tag "</name>", after any text without markup.
  void EndOf(std::string_view name);
  // The bytes left after the cursor.
  std::size_t Left() const noexcept { return static_cast<std::size_t>(end_ - at_); }
  // Whether what is left holds no markup.
  bool OnlyTextLeft() const noexcept;

 private:
  // The next '<' at or after the cursor; NotPlain at the end of the text.
  // Mostly a tag follows the one before at once.
  const char* NextMarkup() const { return at_ < end_ && *at_ == '<' ? at_ : MarkupFurther(); }
  const char* MarkupFurther() const;
  std::string_view LeafText(std::string_view name) {
    const char* text = at_;
    const char* lt = NextMarkup();
    ReadEndTag(lt, name);
    return {text, static_cast<std::size_t>(lt - text)};
  }
  void ReadEndTag(const char* lt, std::string_view name) {
    const std::size_t length = name.size() + 3;  // "</name>"
    if (static_cast<std::size_t>(end_ - lt) < length || lt[1] != '/' || lt[length - 1] != '>')
      throw NotPlain{};
    if (!SameBytes(lt + 2, name.data(), name.size())) throw NotPlain{};
    at_ = lt + length;
  }

  // NotPlain when a tag of the block is one a scope forbids.
  void CheckScopes(std::string_view block) const;

  const char* at_;
  const char* end_;
  const Scope* scope_ = nullptr;  // the innermost
  // Whether the document holds an entity: most do not, and their values
  // need no look.
  bool entities_;
};

// The names the reader of one shape of element knows, each to its number in
// the list it was made from: a table of twice as many places or more, by a
// hash of a name's length and three of its bytes. The names must outlive it.
class PlainNames {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);
  explicit PlainNames(const std::vector<std::string_view>& names = {});
  // The name of a number.
  std::string_view Name(std::size_t number) const noexcept { return names_[number]; }
  std::size_t Find(std::string_view name) const noexcept {
    if (name.empty()) return npos;
    for (std::size_t at = PlaceOf(name);; at = (at + 1) & (places_.size() - 1)) {
      const Place& place = places_[at];
      if (place.name.empty()) return npos;
      if (place.name.size() == name.size() &&
          SameBytes(place.name.data(), name.data(), name.size()))
        return place.number;
    }
  }

 private:
  std::size_t PlaceOf(std::string_view name) const noexcept {
    const auto byte = [&](std::size_t i) {
      return static_cast<std::size_t>(static_cast<unsigned char>(name[i]));
    };
    return (name.size() * 31 + byte(0) * 7 + byte(name.size() / 2) * 3 + byte(name.size() - 1)) &
           (places_.size() - 1);
  }
  struct Place {
    std::string_view name;  // empty: a free place
    std::size_t number = npos;
  };
  std::vector<Place> places_;
  std::vector<std::string_view> names_;
};

}  // namespace lombar
