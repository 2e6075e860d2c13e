#include "text/TagIndex.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cstring>
#include <functional>

#include "base/Text.h"
#include "base/Utf8.h"

namespace lombar {
namespace {

// A character that ends a tag's name; names of other characters only are indexed.
bool EndsName(char c) noexcept {
  return c == '>' || c == ' ' || c == '<' || c == '/';
}

// FNV-1a, one character at a time; 0 marks an empty slot, so it is never a
// finished hash.
constexpr std::uint32_t kHashSeed = 2166136261u;
std::uint32_t HashStep(std::uint32_t hash, char c) noexcept {
  return (hash ^ static_cast<unsigned char>(c)) * 16777619u;
}
std::uint32_t Finished(std::uint32_t hash) noexcept {
  return hash == 0 ? 1 : hash;
}
std::atomic<std::size_t> name_sets{0};

// Whether `part` lies inside `whole`.
bool Within(std::string_view part, std::string_view whole) noexcept {
  const std::less_equal<const char*> at_or_before;
  return at_or_before(whole.data(), part.data()) &&
         at_or_before(part.data() + part.size(), whole.data() + whole.size());
}

}  // namespace

TagNames::TagNames(std::vector<TagName> names)
    : names_(std::move(names)), canonical_(names_.size()), id_(name_sets++) {
  std::vector<std::uint32_t> order(names_.size());
  for (std::uint32_t i = 0; i < order.size(); ++i)
    order[i] = i;
  // By name, and among equal names by number: each run's first is its canonical one.
  std::stable_sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
    return names_[a].Name() < names_[b].Name();
  });
  for (std::size_t k = 0; k < order.size(); ++k) {
    const bool repeats = k > 0 && names_[order[k - 1]].Name() == names_[order[k]].Name();
    canonical_[order[k]] = repeats ? canonical_[order[k - 1]] : order[k];
  }
}

TagIndex::TagIndex(std::string_view text) : text_(text) {}

// One pass over the name: both hashes and both flags.
TagName::TagName(std::string_view name) noexcept : name_(name), indexable_(!name.empty()) {
  std::uint32_t start_hash = kHashSeed;
  std::uint32_t end_hash = HashStep(kHashSeed, '/');
  for (const char c : name) {
    start_hash = HashStep(start_hash, c);
    end_hash = HashStep(end_hash, c);
    indexable_ = indexable_ && !EndsName(c);
    ascii_ = ascii_ && static_cast<unsigned char>(c) < 0x80;
  }
  start_hash_ = Finished(start_hash);
  end_hash_ = Finished(end_hash);
}

void TagIndex::Grow() const {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(old.empty() ? 256 : old.size() * 2, Slot{});
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.hash == 0) continue;
    std::size_t i = slot.hash & mask;
    while (slots_[i].hash != 0)
      i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

std::uint32_t TagIndex::ListOf(std::string_view key, std::uint32_t hash) const {
  if ((lists_.size() + 1) * 2 > slots_.size()) Grow();
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  for (; slots_[i].hash != 0; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.hash == hash && slot.key_length == key.size() &&
        SameBytes(text_.data() + slot.key_start, key.data(), key.size()))
      return slot.list;
  }
  slots_[i] = {static_cast<std::uint32_t>(key.data() - text_.data()),
               static_cast<std::uint32_t>(key.size()), hash,
               static_cast<std::uint32_t>(lists_.size())};
  lists_.push_back({key});
  return static_cast<std::uint32_t>(lists_.size() - 1);
}

const TagIndex::Slot* TagIndex::SlotOf(std::string_view prefix, std::string_view name,
                                       std::string_view suffix, std::uint32_t hash) const {
  if (slots_.empty()) return nullptr;
  const std::size_t mask = slots_.size() - 1;
  const std::size_t length = prefix.size() + name.size() + suffix.size();
  for (std::size_t i = hash & mask; slots_[i].hash != 0; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.hash != hash || slot.key_length != length) continue;
    const std::string_view key = text_.substr(slot.key_start, slot.key_length);
    // The prefix and suffix are a character at most: compared as such, before the name.
    const bool ends_match = (prefix.empty() || key.front() == prefix.front()) &&
                            (suffix.empty() || key.back() == suffix.front());
    if (ends_match && SameBytes(key.data() + prefix.size(), name.data(), name.size())) return &slot;
  }
  return nullptr;
}

bool TagIndex::FirstStarts(const TagNames& names, std::size_t from, std::size_t end,
                           std::size_t limit, std::uint32_t* first) const {
  if (names.size() > kWalkNames) return false;
  if (!built_) Build();
  const std::uint8_t* const names_of_lists = NamesOfLists(names).data();
  const std::uint32_t* const positions = starts_.Positions();
  const std::size_t count = starts_.size();
  const std::size_t begin = FirstAtOrAfter(count, starts_cursor_, from,
                                           [positions](std::size_t k) { return positions[k]; });
  starts_cursor_ = begin;
  const std::size_t stop = count - begin > limit ? begin + limit : count;
  std::fill_n(first, names.size(), kNotThere);
  const std::size_t k = starts_.WithLists([&](const auto* lists) {
    std::size_t at = begin;
    for (; at < stop && positions[at] < end; ++at) {
      const std::uint8_t name = names_of_lists[lists[at]];
      if (name != 0 && first[name - 1] == kNotThere) first[name - 1] = positions[at];
    }
    return at;
  });
  // Stopped by the text's end, or by the limit right at it.
  return k == count || positions[k] >= end;
}

const std::vector<std::uint8_t>& TagIndex::NamesOfLists(const TagNames& names) const {
  if (names_of_lists_.size() <= names.id_) names_of_lists_.resize(names.id_ + 1);
  std::vector<std::uint8_t>& names_of_lists = names_of_lists_[names.id_];
  if (!names_of_lists.empty() || lists_.empty()) return names_of_lists;
  names_of_lists.assign(lists_.size(), 0);
  const std::vector<std::uint32_t>& slots = SlotsOf(names);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (slots[i] != kNoSlot)
      names_of_lists[slots_[slots[i]].list] =
          static_cast<std::uint8_t>(names.Canonical(i) + 1);
  }
  return names_of_lists;
}

// One pass: at each '<', the name (after a '/' for an end tag) and its hash
// together; a plain name closed by '>' is noted. Records of one kind repeat
// their tags in the same order, so guesses are tried before hashing: an
// element's end tag mostly follows its start tag at once, and a tag mostly
// follows the one that followed the previous tag last time, or the time
// before (where a record's optional element is there or not). A guess is
// confirmed by comparing the name, so it never changes what is noted.
void TagIndex::Build() const {
  built_ = true;
  // Room, once, for a start tag every 16 bytes, more than documents hold:
  // the list is not copied as it grows, and the pages it does not use are
  // never touched, which on most systems means they take no memory.
  StartTags starts;
  starts.Reserve(text_.size() / 16 + 1);
  // The end tags not right after their start tag, and the start tags with attributes.
  std::vector<Start> others;
  others.reserve(text_.size() / 16);
  const char* const data = text_.data();
  const std::size_t size = text_.size();
  std::uint32_t open_list = kNoList;  // the list of the start tag noted last
  std::uint32_t previous = kNoList;   // the list of the tag noted last
  // Whether the guessed list's tag is the one at `lt`.
  const auto is_key_at = [&](std::size_t lt, std::uint32_t list) {
    if (list == kNoList) return false;
    const std::string_view key = lists_[list].key;
    return lt + 1 + key.size() < size && data[lt + 1 + key.size()] == '>' &&
           SameBytes(data + lt + 1, key.data(), key.size());
  };
  for (std::size_t at = 0; at < size;) {
    // `at` is on the previous tag's '>' (or on what ended a name), and a tag
    // mostly follows the one before at once: the next place is looked at
    // first. Should `at` itself be a '<', one followed by '<' starts no tag.
    const void* found = at + 1 < size && data[at + 1] == '<'
                            ? data + at + 1
                            : std::memchr(data + at, '<', size - at);
    if (!found) break;
    const std::size_t lt = static_cast<std::size_t>(static_cast<const char*>(found) - data);
    const bool end_tag = lt + 1 < size && data[lt + 1] == '/';
    std::uint32_t list = kNoList;
    if (end_tag && open_list != kNoList && is_key_at(lt, lists_[open_list].end)) {
      list = lists_[open_list].end;
    } else if (previous != kNoList && is_key_at(lt, lists_[previous].next)) {
      list = lists_[previous].next;
    } else if (previous != kNoList && is_key_at(lt, lists_[previous].earlier_next)) {
      // The other of two tags that alternate after this one: it is now the latest.
      list = lists_[previous].earlier_next;
      std::swap(lists_[previous].next, lists_[previous].earlier_next);
    } else {
      std::size_t end = lt + 1;
      std::uint32_t hash = kHashSeed;
      if (end_tag) hash = HashStep(hash, data[end++]);
      const std::size_t name = end;
      for (; end < size && !EndsName(data[end]); ++end)
        hash = HashStep(hash, data[end]);
      if (end == size || data[end] != '>' || end == name) {
        // A start tag with attributes is noted as "<name ", for searches of that form.
        if (!end_tag && end < size && data[end] == ' ' && end > name) {
          const std::uint32_t spaced = Finished(HashStep(hash, ' '));
          const std::uint32_t attributed = ListOf(text_.substr(lt + 1, end - lt), spaced);
          others.push_back({static_cast<std::uint32_t>(lt), attributed});
          ++lists_[attributed].count;
        }
        at = end;
        open_list = previous = kNoList;
        continue;
      }
      list = ListOf(text_.substr(lt + 1, end - lt - 1), Finished(hash));
      if (list > UINT16_MAX) starts.Widen();
      if (previous != kNoList) {
        lists_[previous].earlier_next = lists_[previous].next;
        lists_[previous].next = list;
      }
    }
    ++lists_[list].count;
    at = lt + 1 + lists_[list].key.size();
    if (!end_tag) {
      starts.Add(static_cast<std::uint32_t>(lt), list);
      open_list = list;
      previous = list;
      continue;
    }
    // "</name>" right after "<name>" is the start tag's end tag, and its
    // position is not noted: it is the first '<' after that start tag.
    if (open_list != kNoList && lists_[open_list].end == kNoList &&
        lists_[list].key.substr(1) == lists_[open_list].key)
      lists_[open_list].end = list;
    if (open_list == kNoList || lists_[open_list].end != list) {
      ++lists_[list].elsewhere;
      others.push_back({static_cast<std::uint32_t>(lt), list});
    }
    open_list = kNoList;
    previous = list;
  }
  starts_ = std::move(starts);
  FileByList(others);
}

// Every tag's position into its list's run of positions_, a list's tags all
// start tags or all not, each kind noted in document order: a counting
// sort, which sizes the runs exactly instead of growing a vector a list.
// An end tag's list whose tags each directly followed a start tag of their
// name, as many as there are such start tags, is no list of its own: each
// start tag has its end tag right after it, so their positions answer for both.
void TagIndex::FileByList(const std::vector<Start>& others) const {
  // For each list, the list whose positions it uses: its own, or for an end
  // tag's list that follows start tags, the start tags'.
  std::vector<std::uint32_t> positions_of(lists_.size());
  for (std::uint32_t list = 0; list < lists_.size(); ++list)
    positions_of[list] = list;
  for (std::uint32_t list = 0; list < lists_.size(); ++list) {
    const std::uint32_t end = lists_[list].end;
    if (end != kNoList && lists_[end].elsewhere == 0 && lists_[end].count == lists_[list].count)
      positions_of[end] = list;
  }
  std::vector<std::uint32_t> next(lists_.size());
  std::uint32_t total = 0;
  for (std::size_t list = 0; list < lists_.size(); ++list) {
    next[list] = total;
    if (positions_of[list] == list) total += lists_[list].count;
  }
  // Every element is written below: left unset until then, not zeroed first.
  positions_ = std::make_unique_for_overwrite<std::uint32_t[]>(total);
  std::uint32_t* const positions = positions_.get();
  std::uint32_t* const next_of_list = next.data();
  const std::uint32_t* const start_positions = starts_.Positions();
  starts_.WithLists([&](const auto* lists) {
    for (std::size_t k = 0; k < starts_.size(); ++k)
      positions[next_of_list[lists[k]]++] = start_positions[k];
  });
  for (const Start& tag : others) {
    if (positions_of[tag.list] == tag.list) positions[next_of_list[tag.list]++] = tag.position;
  }
  for (std::uint32_t list = 0; list < lists_.size(); ++list) {
    const std::uint32_t end = lists_[list].end;
    if (end == kNoList || positions_of[end] != end || lists_[end].count == lists_[end].elsewhere)
      continue;
    FileFollowers(list, positions + next[list] - lists_[list].count,
                  positions + next[end] - lists_[end].elsewhere);
    next[end] += lists_[end].count - lists_[end].elsewhere;
  }
  for (Slot& slot : slots_) {
    if (slot.hash == 0) continue;
    const std::uint32_t list = positions_of[slot.list];
    slot.follows_starts = list != slot.list;
    slot.count = lists_[list].count;
    slot.first = positions_.get() + next[list] - slot.count;
  }
}

// The end tags that directly followed a start tag of `list` were not noted;
// where their list keeps positions of its own (some of its end tags came
// elsewhere), they are found again, each the first '<' after its start tag,
// and merged in document order with the others, filed from `run` on.
void TagIndex::FileFollowers(std::uint32_t list, const std::uint32_t* starts,
                             std::uint32_t* run) const {
  const std::string_view key = lists_[list].key;
  const std::uint32_t end = lists_[list].end;
  const std::string_view end_key = lists_[end].key;
  const char* const data = text_.data();
  const std::size_t size = text_.size();
  const std::uint32_t elsewhere = lists_[end].elsewhere;
  std::uint32_t* next = run + elsewhere;
  for (std::uint32_t k = 0; k < lists_[list].count; ++k) {
    const std::size_t after = starts[k] + 1 + key.size();
    const void* found = std::memchr(data + after, '<', size - after);
    if (!found) continue;
    const std::size_t lt = static_cast<std::size_t>(static_cast<const char*>(found) - data);
    if (lt + 1 + end_key.size() < size && data[lt + 1 + end_key.size()] == '>' &&
        SameBytes(data + lt + 1, end_key.data(), end_key.size()))
      *next++ = static_cast<std::uint32_t>(lt);
  }
  assert(next == run + lists_[end].count);
  std::inplace_merge(run, run + elsewhere, next);
}

namespace {

// `array`'s first `count` elements in a new array of `room` elements, the
// rest left unset.
template <class To, class From>
std::unique_ptr<To[]> Moved(const std::unique_ptr<From[]>& array, std::size_t count,
                            std::size_t room) {
  auto moved = std::make_unique_for_overwrite<To[]>(room);
  std::copy_n(array.get(), count, moved.get());
  return moved;
}

}  // namespace

void TagIndex::StartTags::Reserve(std::size_t count) {
  positions_ = Moved<std::uint32_t>(positions_, size_, count);
  if (wide_) {
    wide_ = Moved<std::uint32_t>(wide_, size_, count);
  } else {
    narrow_ = Moved<std::uint16_t>(narrow_, size_, count);
    narrow_room_ = count;
  }
  room_ = count;
}

void TagIndex::StartTags::Widen() {
  if (wide_) return;
  wide_ = Moved<std::uint32_t>(narrow_, size_, room_);
  narrow_.reset();
  narrow_room_ = 0;
}

void TagIndex::StartTags::AddSlowly(std::uint32_t position, std::uint32_t list) {
  if (size_ == room_) Reserve(room_ == 0 ? 256 : room_ * 2);
  positions_[size_] = position;
  if (wide_) {
    wide_[size_++] = list;
  } else {
    narrow_[size_++] = static_cast<std::uint16_t>(list);
  }
}

std::size_t TagIndex::FindFollowing(const Slot& slot, std::size_t tag_size, std::size_t from,
                                    std::size_t end) const {
  // The k-th end tag lies between the k-th start tag and the next one: the
  // first at or after `from` is the one of the last start tag before `from`,
  // when `from` is inside that element's text, or else that of the first
  // start tag from `from` on.
  const std::size_t start_tag_size = tag_size - 1;
  const auto end_tag_of = [&](std::size_t k) {
    const std::size_t content = slot.first[k] + start_tag_size;
    return static_cast<std::size_t>(
        static_cast<const char*>(std::memchr(text_.data() + content, '<', text_.size() - content)) -
        text_.data());
  };
  const std::size_t first = FirstFrom(slot, from);
  std::size_t found = npos;
  if (first > 0 && end_tag_of(first - 1) >= from) {
    found = end_tag_of(first - 1);
  } else if (first < slot.count) {
    found = end_tag_of(first);
  }
  return found != npos && found + tag_size <= end ? found : npos;
}

std::size_t TagIndex::Find(std::string_view needle, std::size_t from, std::size_t end) const {
  if (needle.size() < 3 || needle.front() != '<') return kCannotAnswer;
  const std::string_view key = needle.substr(1, needle.size() - 2);
  if (needle.back() == ' ') return FindAttributed(key, from, end);
  if (needle.back() != '>') return kCannotAnswer;
  const bool end_tag = key.front() == '/';
  return FindTag(TagName(key.substr(end_tag ? 1 : 0)), end_tag, from, end);
}

std::size_t TagIndex::FindAttributed(std::string_view name, std::size_t from,
                                     std::size_t end) const {
  if (std::any_of(name.begin(), name.end(), EndsName)) return kCannotAnswer;
  if (!built_) Build();
  std::uint32_t hash = kHashSeed;
  for (const char c : name)
    hash = HashStep(hash, c);
  const Slot* slot = SlotOf("", name, " ", Finished(HashStep(hash, ' ')));
  return slot ? FindInSlot(*slot, name.size() + 2, from, end) : npos;
}

std::size_t TagIndex::FindTag(const TagName& name, bool end_tag, std::size_t from,
                              std::size_t end) const {
  if (!name.Indexable()) return kCannotAnswer;
  if (!built_) Build();
  // The prefix's length is given: a choice of two literals would be measured at every call.
  const std::string_view prefix("/", end_tag ? 1 : 0);
  const Slot* slot = SlotOf(prefix, name.Name(), {}, name.Hash(end_tag));
  if (!slot) return npos;
  const std::size_t tag_size = name.Name().size() + (end_tag ? 3 : 2);
  if (slot->follows_starts) return FindFollowing(*slot, tag_size, from, end);
  return FindInSlot(*slot, tag_size, from, end);
}

const std::vector<std::uint32_t>& TagIndex::Resolve(const TagNames& names) const {
  if (resolved_.size() <= names.id_) resolved_.resize(names.id_ + 1);
  std::vector<std::uint32_t>& slots = resolved_[names.id_];
  slots.clear();
  for (std::size_t i = 0; i < names.size(); ++i)
    slots.push_back(SlotNumber(names[i]));
  if (missing_.size() <= names.id_) missing_.resize(names.id_ + 1);
  missing_[names.id_] = 0;
  for (std::size_t i = 0; i < names.size() && i < kMissingBits; ++i) {
    if (Lacks(names, i)) missing_[names.id_] |= std::uint64_t{1} << i;
  }
  return slots;
}

std::uint32_t TagIndex::SlotNumber(const TagName& name) const {
  if (!name.Indexable()) return kNoSlot;
  if (!built_) Build();
  const Slot* slot = SlotOf("", name.Name(), "", name.Hash(false));
  return slot ? static_cast<std::uint32_t>(slot - slots_.data()) : kNoSlot;
}

bool IndexedText::Borrow(XmlPart part) {
  Release();
  index_ = std::move(part.index_);
  // A text outside the document handed over with it is indexed on its own.
  if (index_ && !Within(part.text_, index_->Text())) index_.reset();
  if (!index_) {
    // Positions are kept in 32 bits.
    if (part.text_.size() >= UINT32_MAX || !IsAscii(part.text_)) return false;
    index_ = std::make_shared<const TagIndex>(part.text_);
  }
  text_ = part.text_;
  return true;
}

void IndexedText::Release() noexcept {
  index_.reset();
  text_ = {};
  walk_.names = nullptr;
}

void IndexedText::WalkFor(const TagNames& names, std::size_t offset) const {
  // Long enough for a record's fields and a few children; a text with more,
  // or a set of few names, is searched name by name, which costs less.
  const std::size_t limit = 4 * names.size();
  walk_.names = &names;
  walk_.walked =
      index_->FirstStarts(names, offset, offset + text_.size(), limit, walk_.first.data());
  // The record's fields are read next, from a text last seen when the index
  // was built: asked for now, its lines arrive while the first are read.
#if defined(__GNUC__)
  if (walk_.walked) {
    for (std::size_t at = 0; at < text_.size(); at += 64)
      __builtin_prefetch(text_.data() + at);
  }
#endif
}

// A search of the index confined to this text, its answer made relative to it.
template <class Search>
std::size_t IndexedText::InText(std::size_t from, const Search& search) const {
  if (from > text_.size()) return TagIndex::npos;
  const std::size_t offset = static_cast<std::size_t>(text_.data() - index_->Text().data());
  const std::size_t found = search(offset + from, offset + text_.size());
  return found >= TagIndex::kCannotAnswer ? found : found - offset;
}

std::size_t IndexedText::FindTag(std::string_view needle, std::size_t from) const {
  return InText(from, [&](std::size_t start, std::size_t end) {
    return index_->Find(needle, start, end);
  });
}

std::size_t IndexedText::FindTag(const TagName& name, bool end_tag, std::size_t from) const {
  return InText(from, [&](std::size_t start, std::size_t end) {
    return index_->FindTag(name, end_tag, start, end);
  });
}

}  // namespace lombar
