// Every position of each plain tag ("<name>" or "</name>") of a text, found
// in one pass when first asked, and the texts being read in place that share
// it. A document is read by a reader for each element it nests, each one
// searching its own part of the same text: with the index handed from each
// reader to the readers of its parts, every tag of the document is looked at
// once instead of once for each level above it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace lombar {

// A tag's name with its hashes worked out once: a name a reader looks for in
// every record of a document (a field of a class's table) is hashed when the
// table is made instead of at every search.
class TagName {
 public:
  explicit TagName(std::string_view name = {}) noexcept;
  std::string_view Name() const noexcept { return name_; }
  // Whether the index answers for it: not empty, and none of " /<>".
  bool Indexable() const noexcept { return indexable_; }
  bool Ascii() const noexcept { return ascii_; }
  std::uint32_t Hash(bool end_tag) const noexcept { return end_tag ? end_hash_ : start_hash_; }

 private:
  std::string_view name_;
  bool indexable_ = false;
  bool ascii_ = true;
  std::uint32_t start_hash_ = 0;
  std::uint32_t end_hash_ = 0;
};

class TagIndex;

// The names a reader looks for in every record of one kind (a class's
// fields). Each is found in a document's index once, when the first record
// is read, and by its number after that; a name the document lacks is then
// known missing without a search.
class TagNames {
 public:
  explicit TagNames(std::vector<TagName> names = {});
  const TagName& operator[](std::size_t i) const noexcept { return names_[i]; }
  std::size_t size() const noexcept { return names_.size(); }
  // The first number of the set whose name is the `i`-th's.
  std::size_t Canonical(std::size_t i) const noexcept { return canonical_[i]; }

 private:
  friend class TagIndex;
  std::vector<TagName> names_;
  std::vector<std::uint32_t> canonical_;
  std::size_t id_ = 0;  // which of an index's resolutions is this set's
};

// The first of `count` ascending positions (`position_at(k)`) at or after
// `from`, searched outward from `at` in doubling steps, then by halves: a
// search near where the previous one ended costs a few steps.
template <class PositionAt>
std::size_t FirstAtOrAfter(std::size_t count, std::size_t at, std::size_t from,
                           const PositionAt& position_at) {
  at = at < count ? at : count;
  std::size_t low = 0, high = count;  // the answer is in [low, high]
  std::size_t step = 1;
  if (at < count && position_at(at) < from) {
    low = at + 1;
    while (low + step < count && position_at(low + step) < from) {
      low += step + 1;
      step *= 2;
    }
    high = low + step < count ? low + step : count;
  } else {
    high = at;
    while (high > step && position_at(high - step - 1) >= from) {
      high -= step + 1;
      step *= 2;
    }
    low = high > step ? high - step - 1 : 0;
  }
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (position_at(middle) < from) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

class TagIndex {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  // `text` must stay alive and unchanged as long as the index is used.
  explicit TagIndex(std::string_view text);

  // Find answers for a needle "<name>", "</name>" or "<name " (the start of a
  // tag with attributes) whose name has no " ", "/", "<" or ">"; for any
  // other it answers kCannotAnswer.
  static constexpr std::size_t kCannotAnswer = npos - 1;
  // The first occurrence of `needle` that starts at or after `from` and ends
  // by `end` (positions in the text), or npos: what a plain search of the
  // text between them finds.
  std::size_t Find(std::string_view needle, std::size_t from, std::size_t end) const;
  // The same for the start tag "<name>" or, with `end_tag`, the end tag
  // "</name>", without the tag written out first.
  std::size_t FindTag(const TagName& name, bool end_tag, std::size_t from, std::size_t end) const;
  // The same for the start tag of the set's `i`-th name.
  std::size_t FindTag(const TagNames& names, std::size_t i, std::size_t from, std::size_t end) const;
  std::string_view Text() const noexcept { return text_; }

  // The first start tag of each of the set's names in [from, end), as
  // FindTag(names, i, from, end) finds them, for sets of at most kWalkNames
  // names: the document's start tags there are walked once, in order,
  // instead of each name's list searched. `first` is by canonical number
  // (TagNames::Canonical), kNotThere where a name has none; false, and
  // `first` meaningless, when more than `limit` start tags lie there.
  static constexpr std::size_t kWalkNames = 64;
  static constexpr std::uint32_t kNotThere = UINT32_MAX;
  bool FirstStarts(const TagNames& names, std::size_t from, std::size_t end, std::size_t limit,
                   std::uint32_t* first) const;
  // Whether the index knows the set's `i`-th name to have no start tag
  // anywhere in the text: false until the index is made and the set was
  // first searched, so that asking never allocates.
  bool Lacks(const TagNames& names, std::size_t i) const {
    return names.id_ < resolved_.size() && !resolved_[names.id_].empty() &&
           names[i].Indexable() && resolved_[names.id_][i] == kNoSlot;
  }
  // The set's names it Lacks, as bits by number, for the first kMissingBits.
  static constexpr std::size_t kMissingBits = 64;
  std::uint64_t Missing(const TagNames& names) const {
    return names.id_ < missing_.size() ? missing_[names.id_] : 0;
  }

 private:
  // A tag and its list, as the building pass notes the tags other than
  // plain start tags and the end tags right after theirs.
  struct Start {
    std::uint32_t position = 0;
    std::uint32_t list = 0;
  };
  // The plain start tags in document order: their positions, and their
  // lists' numbers in 16 bits (6 bytes a tag instead of 8, for the largest
  // part of a document's index) until a document has more lists than that
  // holds, in 32 bits from then on.
  class StartTags {
   public:
    // Room for `count` tags; the pages not written to are not touched.
    void Reserve(std::size_t count);
    // The caller widens the lists before it adds one whose number is over 16 bits.
    void Add(std::uint32_t position, std::uint32_t list) {
      // One test for the common case: narrow lists with room for one more
      // (narrow_room_ is 0 once they are wide).
      if (size_ >= narrow_room_) {
        AddSlowly(position, list);
        return;
      }
      positions_[size_] = position;
      narrow_[size_++] = static_cast<std::uint16_t>(list);
    }
    // The lists' numbers kept in 32 bits from now on.
    void Widen();
    std::size_t size() const noexcept { return size_; }
    const std::uint32_t* Positions() const noexcept { return positions_.get(); }
    // `visit` called with the lists' numbers, an array of 16- or 32-bit numbers.
    template <class Visit>
    decltype(auto) WithLists(const Visit& visit) const {
      return wide_ ? visit(static_cast<const std::uint32_t*>(wide_.get()))
                   : visit(static_cast<const std::uint16_t*>(narrow_.get()));
    }

   private:
    void AddSlowly(std::uint32_t position, std::uint32_t list);
    std::size_t size_ = 0;
    std::size_t room_ = 0;
    std::size_t narrow_room_ = 0;
    std::unique_ptr<std::uint32_t[]> positions_;
    std::unique_ptr<std::uint16_t[]> narrow_;
    std::unique_ptr<std::uint32_t[]> wide_;  // once a list's number is over 16 bits: all of them
  };
  struct Slot {
    std::uint32_t key_start = 0;  // the key is the text between '<' and '>'
    std::uint32_t key_length = 0;
    std::uint32_t hash = 0;  // 0: an empty slot
    std::uint32_t list = 0;  // its list's number
    // The list itself, noted once the index is built: a search reads it
    // without going through positions_.
    const std::uint32_t* first = nullptr;
    std::uint32_t count = 0;
    // An end tag's list whose every tag directly follows a start tag of its
    // name (a value's "</name>" after "<name>" and its text): its positions
    // are not kept, `first` and `count` are the start tags', and each end
    // tag is the first '<' after its start tag.
    bool follows_starts = false;
    // Where in its positions the previous search ended: readers go forward,
    // so the next answer is mostly there or just after.
    mutable std::uint32_t cursor = 0;
  };

  static constexpr std::uint32_t kNoSlot = UINT32_MAX;

  void Build() const;
  std::size_t FindAttributed(std::string_view name, std::size_t from, std::size_t end) const;
  // FindInSlot for a slot that follows_starts.
  std::size_t FindFollowing(const Slot& slot, std::size_t tag_size, std::size_t from,
                            std::size_t end) const;
  // The slot whose key (the text after '<') is `prefix` + `name` + `suffix`,
  // where `prefix` and `suffix` are one character or none.
  const Slot* SlotOf(std::string_view prefix, std::string_view name, std::string_view suffix,
                     std::uint32_t hash) const;
  std::uint32_t SlotNumber(const TagName& name) const;
  // The slot of each of the set's start tags, found when the set is first used.
  const std::vector<std::uint32_t>& SlotsOf(const TagNames& names) const {
    if (names.id_ < resolved_.size() && !resolved_[names.id_].empty()) return resolved_[names.id_];
    return Resolve(names);
  }
  const std::vector<std::uint32_t>& Resolve(const TagNames& names) const;
  std::size_t FindInSlot(const Slot& slot, std::size_t tag_size, std::size_t from,
                         std::size_t end) const {
    const std::size_t first = FirstFrom(slot, from);
    if (first == slot.count || slot.first[first] + tag_size > end) return npos;
    return slot.first[first];
  }
  // The index of the first position at or after `from`, tried first where
  // the previous search of the same name ended.
  std::size_t FirstFrom(const Slot& slot, std::size_t from) const {
    const std::uint32_t* positions = slot.first;
    const std::size_t count = slot.count;
    std::size_t at = slot.cursor;
    // The cursor's own position is passed (the common step to the next
    // record), or it is the answer, or a binary search finds it.
    if (at < count && positions[at] < from) ++at;
    const bool first_from = at <= count && (at == count || positions[at] >= from) &&
                            (at == 0 || positions[at - 1] < from);
    if (!first_from)
      at = FirstAtOrAfter(count, at, from, [positions](std::size_t k) { return positions[k]; });
    slot.cursor = static_cast<std::uint32_t>(at);
    return at;
  }
  // For each list, the canonical number of the set's name it holds, plus
  // one; 0 for a list of no name of the set. Made when the set first walks.
  const std::vector<std::uint8_t>& NamesOfLists(const TagNames& names) const;
  // The index in positions_ of the key's list, made when the key is new.
  std::uint32_t ListOf(std::string_view key, std::uint32_t hash) const;
  void Grow() const;
  void FileByList(const std::vector<Start>& others) const;
  void FileFollowers(std::uint32_t list, const std::uint32_t* starts, std::uint32_t* run) const;

  std::string_view text_;
  mutable bool built_ = false;
  mutable std::vector<Slot> slots_;
  // Each list's positions, ascending, the lists one after another.
  mutable std::unique_ptr<std::uint32_t[]> positions_;
  // What the building pass knows of a list beside its positions: its key,
  // and the lists whose tags it guesses come next (kNoList: none yet).
  static constexpr std::uint32_t kNoList = UINT32_MAX;
  struct ListGuesses {
    std::string_view key;  // the text between '<' and '>'
    std::uint32_t end = kNoList;  // for a start tag's list, its end tag's
    std::uint32_t next = kNoList;  // the tag that followed one of its tags last
    std::uint32_t earlier_next = kNoList;  // and the one before that, when another did
    std::uint32_t count = 0;  // its tags
    std::uint32_t elsewhere = 0;  // of its end tags, those not right after a start tag of their name
  };
  mutable std::vector<ListGuesses> lists_;  // by list number
  mutable std::vector<std::vector<std::uint32_t>> resolved_;  // by name set
  mutable std::vector<std::uint64_t> missing_;                // by name set
  mutable StartTags starts_;
  // Where the previous walk started: the next one, in the same record or
  // the next, starts a few start tags on.
  mutable std::size_t starts_cursor_ = 0;
  mutable std::vector<std::vector<std::uint8_t>> names_of_lists_;  // by name set
};

inline std::size_t TagIndex::FindTag(const TagNames& names, std::size_t i, std::size_t from,
                                     std::size_t end) const {
  if (!names[i].Indexable()) return kCannotAnswer;
  if (!built_) Build();
  const std::uint32_t slot = SlotsOf(names)[i];
  if (slot == kNoSlot) return npos;
  return FindInSlot(slots_[slot], names[i].Name().size() + 2, from, end);
}

// A text for a reader to read where it lies, and the tag index of the
// document it is part of when the reader of that document hands it over
// (XmlReader::BlockPart): the readers of the parts of one document share
// its index, whatever the order in which they are opened. The text must
// stay alive and unchanged while it is read.
class XmlPart {
 public:
  explicit XmlPart(std::string_view text = {}) noexcept : text_(text) {}
  std::string_view Text() const noexcept { return text_; }

 private:
  friend class IndexedText;
  XmlPart(std::string_view text, std::shared_ptr<const TagIndex> index) noexcept
      : text_(text), index_(std::move(index)) {}

  std::string_view text_;
  std::shared_ptr<const TagIndex> index_;
};

// A text a reader reads where it lies instead of copying it, with the index
// of its document: the index of the part's document when it was handed
// over with one, else one of its own. Only ASCII texts are read in place:
// for them the reader's single-byte code page and UTF-8 are the same bytes.
class IndexedText {
 public:
  // False when the text cannot be read in place (it is not ASCII).
  bool Borrow(XmlPart part);
  void Release() noexcept;
  // `within`, a part of the text, handed over with the text's index.
  XmlPart Part(std::string_view within) const { return XmlPart(within, index_); }

  bool Active() const noexcept { return index_ != nullptr; }
  // The index knows the name to be nowhere in the whole text it indexes.
  bool Lacks(const TagNames& names, std::size_t i) const { return index_->Lacks(names, i); }
  std::uint64_t Missing(const TagNames& names) const { return index_->Missing(names); }
  std::string_view Text() const noexcept { return text_; }
  // A plain search of the text from `from` (0-based in it) through the
  // index: TagIndex::npos when there is none, TagIndex::kCannotAnswer for a
  // needle the index does not answer for.
  std::size_t FindTag(std::string_view needle, std::size_t from) const;
  // The same for "<name>" or "</name>".
  std::size_t FindTag(const TagName& name, bool end_tag, std::size_t from) const;
  // The same for the start tag of the set's `i`-th name. A search from the
  // text's start, as a record's reader makes one for each of its fields, is
  // answered by one walk of the text's start tags when the text is short.
  std::size_t FindTag(const TagNames& names, std::size_t i, std::size_t from) const {
    if (from > text_.size()) return TagIndex::npos;
    const std::size_t offset = Offset();
    if (from == 0 && names[i].Indexable() && Walked(names, offset)) return WalkedStart(names, i);
    const std::size_t found = index_->FindTag(names, i, offset + from, offset + text_.size());
    return found >= TagIndex::kCannotAnswer ? found : found - offset;
  }
  // Walks the text's start tags for the set's names, as the first search
  // from the text's start does: false when the text is too long to walk.
  bool WalksFor(const TagNames& names) const { return Walked(names, Offset()); }
  // FindTag(names, i, 0) of an indexable name once WalksFor(names) said yes.
  std::size_t WalkedStart(const TagNames& names, std::size_t i) const {
    const std::uint32_t first = walk_.first[names.Canonical(i)];
    const std::size_t offset = Offset();
    if (first == TagIndex::kNotThere || first + names[i].Name().size() + 2 > offset + text_.size())
      return TagIndex::npos;
    return first - offset;
  }

 private:
  // The first start tags of the set's names, walked when the set is first
  // searched; `walked` false when the text was too long to walk.
  struct Walk {
    const TagNames* names = nullptr;
    bool walked = false;
    std::array<std::uint32_t, TagIndex::kWalkNames> first;
  };
  bool Walked(const TagNames& names, std::size_t offset) const {
    if (walk_.names != &names) WalkFor(names, offset);
    return walk_.walked;
  }
  void WalkFor(const TagNames& names, std::size_t offset) const;
  // Where the text starts in its document.
  std::size_t Offset() const noexcept {
    return static_cast<std::size_t>(text_.data() - index_->Text().data());
  }

  template <class Search>
  std::size_t InText(std::size_t from, const Search& search) const;

  std::string_view text_;
  std::shared_ptr<const TagIndex> index_;
  mutable Walk walk_;
};

}  // namespace lombar
