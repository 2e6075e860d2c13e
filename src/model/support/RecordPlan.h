// The compiled form of a record class's property table (RecordTable.h,
// where a class declares it): the values' rows in slot order, and from them,
// once, the steps that write, read and clear a record, each kind in one
// small array. The record base reaches a record's XML through it.
#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <deque>
#include <functional>
#include <iterator>
#include <limits>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "base/Utf8.h"
#include "frame/DiagnosticLog.h"
#include "frame/ErrorTrap.h"
#include "frame/NumberParse.h"
#include "frame/NumberText.h"
#include "lombar/StoredText.h"
#include "lombar/XmlShape.h"
#include "lombar/internal/Record.h"
#include "model/support/ClassAccess.h"
#include "model/support/CollectionXml.h"
#include "model/support/Packing.h"
#include "model/support/RecordShape.h"
#include "text/PlainXml.h"
#include "text/XmlReader.h"
#include "text/XmlWriter.h"

namespace lombar {

// Where a stored value goes in its class's XML.
struct XmlPlace {
  enum class Form { kNone, kLeaf, kAttribute, kFirstAttribute, kChild };
  Form form = Form::kNone;
  std::string_view element;  // an attribute's element; a child object's root element
  std::string_view name;     // a leaf's tag; an attribute's name
  bool strict_number = false;
};


// How an operation of the class is guarded: not at all, by the common error
// trap, or by the trace line and the trap.
enum class Guard { kNone, kTrapped, kTraced };

template <class Body>
decltype(auto) Guarded(Guard guard, const Operation& operation, Body&& body) {
  switch (guard) {
    case Guard::kTrapped:
      return Trapped(operation, std::forward<Body>(body));
    case Guard::kTraced:
      return TracedAndTrapped(operation, std::forward<Body>(body));
    case Guard::kNone:
      break;
  }
  return body();
}

// The writer settings of a record's XML.
enum class WriterSwitches { kOfThread, kAllOn };

struct RecordXmlForm {
  // The group element holding the values; empty when a first attribute
  // writes the record's only element.
  std::string_view group;
  WriterSwitches switches = WriterSwitches::kOfThread;
  Guard guard = Guard::kTrapped;
  // Cuts the empty elements the switches let through from the finished text.
  bool cut_empty_elements = false;
};

// The kind of a stored value, as tools describing the XML name it.
template <class V>
constexpr XmlValueKind KindOfValue() {
  if constexpr (std::is_same_v<V, bool>) return XmlValueKind::kFlag;
  if constexpr (std::is_same_v<V, Short>) return XmlValueKind::kShort;
  if constexpr (std::is_same_v<V, Long>) return XmlValueKind::kLong;
  if constexpr (std::is_same_v<V, float>) return XmlValueKind::kSingle;
  if constexpr (std::is_same_v<V, Currency>) return XmlValueKind::kCurrency;
  if constexpr (std::is_same_v<V, Variant>) return XmlValueKind::kVariant;
  return XmlValueKind::kText;
}

// How each kind of value is written to the XML and read back from the text
// the reader finds (empty when the element or attribute is missing).
template <class V>
struct XmlValue;

template <>
struct XmlValue<StoredText> {
  static std::string Write(const StoredText& value) { return value.String(); }
  // A view, assigned to the member in place: a short text over a short one without a call.
  static std::string_view Read(std::string_view text) { return text; }
};
template <>
struct XmlValue<bool> {
  static std::string_view Text(bool value) { return value ? "True" : "False"; }
  static std::string Write(bool value) { return std::string(Text(value)); }
  static bool Read(std::string_view text) { return EqualsIgnoringCase(text, "TRUE"); }
};
// Whole numbers are read half to even; error 6 beyond the type's range.
template <class Integer>
struct XmlInteger {
  // The decimal digits, written into `buffer`.
  static std::string_view Text(Integer value, char (&buffer)[12]) {
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return {buffer, static_cast<std::size_t>(end - buffer)};
  }
  static std::string Write(Integer value) {
    char buffer[12];
    return std::string(Text(value, buffer));
  }
  static Integer Read(std::string_view text) {
    return static_cast<Integer>(LeadingInteger(text, std::numeric_limits<Integer>::min(),
                                               std::numeric_limits<Integer>::max()));
  }
};
template <>
struct XmlValue<Short> : XmlInteger<Short> {};
template <>
struct XmlValue<Long> : XmlInteger<Long> {};
template <>
struct XmlValue<float> {
  static std::string Write(float value) { return PlainSingleText(value); }
  static float Read(std::string_view text) { return LeadingSingle(text); }
};
template <>
struct XmlValue<Currency> {
  static std::string Write(Currency value) { return CurrencyText(value); }
  static Currency Read(std::string_view text) { return LeadingCurrency(text); }
};
// A variant is written as its text form (Null fails with error 94) and read
// back as the text itself.
template <>
struct XmlValue<Variant> {
  static std::string Write(const Variant& value) { return value.ToText(); }
  static Variant Read(std::string_view text) { return Variant(text); }
};

// Writes a value as the leaf `tag`: texts (variants holding one too) from
// where they are kept, flags, whole numbers and amounts from a small
// buffer, the rest through their text. A whole number or amount of 0 is
// written "0", which zero suppression leaves out: most amounts are 0, and
// their text is not made. The texts of flags, whole numbers and amounts
// are plain (XmlWriter::AddPlainLeaf): "True", "False", digits with a sign
// and a point, and one that is not 0 is no zero either.
template <class V>
void WriteLeaf(XmlWriter& writer, const TagName& tag, const V& value) {
  if constexpr (std::is_same_v<V, StoredText>) {
    writer.AddLeaf(tag, value.View());
  } else if constexpr (std::is_same_v<V, bool>) {
    writer.AddPlainLeaf(tag, XmlValue<bool>::Text(value));
  } else if constexpr (std::is_same_v<V, Short> || std::is_same_v<V, Long>) {
    if (value == 0 && writer.DropsZero()) return;
    char buffer[12];
    writer.AddPlainLeaf(tag, XmlValue<V>::Text(value, buffer));
  } else if constexpr (std::is_same_v<V, Currency>) {
    if (value.units == 0 && writer.DropsZero()) return;
    CurrencyBuffer buffer;
    writer.AddPlainLeaf(tag, CurrencyText(value, buffer));
  } else if constexpr (std::is_same_v<V, Variant>) {
    std::string converted;
    writer.AddLeaf(tag, value.ToText(converted));
  } else {
    writer.AddLeaf(tag, XmlValue<V>::Write(value));
  }
}

// A value as a packed record keeps it (RecordPlan::ReadPlainPacked): read
// from its XML text as a record reads it, and kept unless it is its kind's
// own, after its leaf number: a number or flag as its bytes, a text as its
// length before its bytes. A variant read from the XML holds the text itself.
template <class V>
struct PackedValue {
  static_assert(std::is_trivially_copyable_v<V>);
  static void PackRead(std::string_view text, unsigned char number, std::string& packed) {
    const V value = XmlValue<V>::Read(text);
    const V own{};  // compared as bytes, so that a single's -0 is kept
    if (std::memcmp(&value, &own, sizeof value) == 0) return;
    packed += static_cast<char>(number);
    packed.append(reinterpret_cast<const char*>(&value), sizeof value);
  }
  static V Take(std::string_view& packed) noexcept {
    V value;
    std::memcpy(&value, packed.data(), sizeof value);
    packed.remove_prefix(sizeof value);
    return value;
  }
};
struct PackedText {
  static void PackRead(std::string_view text, unsigned char number, std::string& packed) {
    if (text.empty()) return;
    packed += static_cast<char>(number);
    AppendPackedText(packed, text);
  }
  static std::string_view Take(std::string_view& packed) noexcept { return TakePackedText(packed); }
};
template <>
struct PackedValue<StoredText> : PackedText {};
template <>
struct PackedValue<Variant> : PackedText {};

// What a packed record holds, as ReadPlainPacked packed it: its leaves with
// a value, as bits by plain number, and where each value starts.
struct PackedLeaves {
  std::uint64_t held = 0;
  std::size_t values = 0;            // where the values start in the packed text
  std::array<std::uint32_t, 64> at;  // each held value's place among them
  // A held text, or the empty text.
  std::string_view Text(std::string_view packed, std::size_t known) const {
    if (!Holds(known)) return {};
    std::string_view value = packed.substr(values + at[known]);
    return TakePackedText(value);
  }
  // A held number, or 0.
  template <class V>
  V Number(std::string_view packed, std::size_t known) const {
    if (!Holds(known)) return V{};
    std::string_view value = packed.substr(values + at[known]);
    return PackedValue<V>::Take(value);
  }
  bool Holds(std::size_t known) const { return (held & (std::uint64_t{1} << known)) != 0; }
};

// The value Clear gives a stored value unless the row says otherwise: empty,
// false or 0; a variant holds the empty text.
template <class V>
V InitialValue() {
  if constexpr (std::is_same_v<V, Variant>) {
    return Variant(std::string());
  } else {
    return V{};
  }
}
template <class T>
class RecordPlan : public RecordShape {
 public:
  // ---- what the record base uses ----
  const ClassInfo& Surface() const override { return surface_; }
  const RecordXmlForm& Form() const { return form_; }
  void WriteRecord(XmlWriter& parent, const Record& record) const override {
    Guarded(form_.guard, {T::kClassName, "Get XML"},
            [&] { Write(parent, static_cast<const T&>(record)); });
  }
  void ReadRecord(Record& record, XmlPart xml, bool reset) const override {
    Guarded(form_.guard, {T::kClassName, "Let XML"}, [&] {
      if (reset) Reset(static_cast<T&>(record), false);
      if (!xml.Text().empty()) Read(static_cast<T&>(record), std::move(xml));
    });
  }
  void ResetRecord(Record& record, bool destroy) const override {
    Reset(static_cast<T&>(record), destroy);
  }
  void ResetNewRecord(Record& record) const override { ResetNew(static_cast<T&>(record)); }
  void ReadPlainRecord(Record& record, PlainXmlCursor& cursor,
                       std::string_view element) const override {
    ReadPlain(static_cast<T&>(record), cursor, element);
  }

  // Writes the record's XML at the end of `parent`'s text: by `parent`
  // itself, as a part with the record's switches, unless the record edits
  // what it wrote (attributes set on its elements, empty elements cut),
  // which needs a writer that sees only that.
  void Write(XmlWriter& parent, const T& record) const {
    if (silent_when_ && silent_when_(record)) return;
    const XmlSwitches switches =
        form_.switches == WriterSwitches::kAllOn ? XmlSwitches::AllOn() : XmlSwitches::OfThread();
    if (edits_its_text_) {
      XmlWriter writer = SnippetWriter(switches);
      writer.AppendTo(parent);
      WriteValues(writer, record);
      if (form_.cut_empty_elements) writer.XMLcompress();
      return writer.Close();
    }
    XmlWriter::Part part(parent, switches.compress, switches.zero_suppress);
    WriteValues(parent, record);
    part.Close();
  }
  // Kept out of Write, which would take it in twice: the record's loop ran slower there.
  [[gnu::noinline]] void WriteValues(XmlWriter& writer, const T& record) const {
    if (group_attributes_) {
      WriteAttributes(*group_attributes_, record, [&](std::span<const std::string_view> values) {
        writer.OpenGroup(group_tag_, group_attributes_->names, values,
                         WritesApart(*group_attributes_));
      });
    } else if (!form_.group.empty()) {
      writer.OpenGroup(group_tag_);
    }
    if constexpr (kKeepsRareValues) {
      const auto& rare = detail::ClassAccess::Rare(record);
      // Without the block every rarely set value is an empty text or a 0,
      // which such a writer leaves out: their steps are passed over.
      if (!rare.Made() && writer.DropsZero()) {
        WriteSteps<false>(writer, record, writing_common_, kNoRareValues);
      } else {
        WriteSteps<true>(writer, record, writing_, &rare.Get());
      }
    } else {
      WriteSteps<false>(writer, record, writing_, kNoRareValues);
    }
    if (!form_.group.empty()) writer.EndGroup();
  }
  // Reads `record`, just reset or made, from `xml`.
  void Read(T& record, XmlPart xml) const {
    XmlReader reader = ReaderOf(std::move(xml));
    std::string unescaped;  // each field's text, when it cannot be read where it lies
    // A leaf that no record of the document holds would read as the value
    // the record already has: it is passed over. Only values are read here,
    // each a first occurrence, so passing one over changes no later answer.
    const std::uint64_t missing = reader.MissingNames(leaf_tags_);
    // Mostly every field's start is found by one walk of the record's tags.
    const bool walked = leaf_tags_.size() != 0 && reader.WalksFields(leaf_tags_);
    for (const ReadStep& step : reading_) {
      if (step.field) {
        if (!step.attributes) {
          step.field->ReadOtherThanLeaf(reader, record);
          continue;
        }
        const std::vector<const Field*>& fields = step.attributes->fields;
        reader.AttribViews(step.attributes->names, unescaped,
                           [&](std::size_t i, std::string_view text) {
                             fields[i]->read_value(record, text, fields[i]->member);
                           },
                           step.attributes->apart);
        continue;
      }
      if ((missing & step.passed_when_missing) != 0) continue;
      std::string_view content;
      if (!walked || !reader.WalkedValue(leaf_tags_, step.leaf, content)) {
        content = step.passed_when_missing != 0
                      ? reader.FirstValueSearched(leaf_tags_, step.leaf, unescaped)
                      : reader.FirstValue(leaf_tags_, step.leaf, unescaped);
      }
      if (content.empty() && step.empty_reads_as_reset) continue;
      step.read_value(record, content, step.member);
    }
  }
  // Reads `record`, just made, from its element in the plain form, whose
  // start tag `element` was just read: each value and each child object as
  // it comes, then what a missing one reads as. A leaf met twice keeps its
  // first text, as the search finds it; anything Read would find elsewhere
  // than the plain form has it is NotPlain, as is a class whose values are
  // not all leaves and children. The values are set in the order they come,
  // not Read's: the order tells only when a value raises an error, and then
  // the caller reads the text again by the search.
  void ReadPlain(T& record, PlainXmlCursor& cursor, std::string_view element) const {
    const std::uint64_t met = WalkPlain(
        cursor, element,
        [&](const Field& field, std::size_t, std::string_view value) {
          field.read_value(record, value, field.member);
        },
        [&](const Field& field, std::size_t) { field.read_child_plain(record, cursor); });
    for (const std::size_t known : read_when_missing_) {
      if ((met & (std::uint64_t{1} << known)) != 0) continue;
      const Field& field = *plain_fields_[known];
      if (field.read_child) {
        field.read_child(record, XmlPart());
      } else {
        field.read_value(record, {}, field.member);
      }
    }
  }
  // ReadPlain without a record, for a class whose XML is a record of leaves
  // and child collections that pack their members, each starting at its
  // kind's own value (an empty collection) and reading so when missing: the
  // values not at their kind's own, appended to `packed` as one packed record
  // (a length, then each value after its plain number as PackedValue keeps
  // it, a child's members as a text), in writing order; elements in another
  // order are NotPlain. What the packed record holds, or NotPlain for a class
  // or value that cannot be packed (a variant holding other than a text).
  PackedLeaves ReadPlainPacked(PlainXmlCursor& cursor, std::string_view element,
                               std::string& packed) const {
    static const bool kept_values_start_own = KeptValuesStartOwn();
    if (!packs_ || !kept_values_start_own) throw PlainXmlCursor::NotPlain{};
    PackedLeaves leaves;
    const std::size_t start = packed.size();
    int rank = 0;
    // Packs a leaf's or a child's value in writing order, noting where it went.
    const auto pack_in_order = [&](const Field& field, std::size_t known, const auto& pack) {
      if (field.write_rank < rank) throw PlainXmlCursor::NotPlain{};
      rank = field.write_rank;
      const std::size_t before = packed.size();
      pack(static_cast<unsigned char>(known));
      if (packed.size() == before) return;
      leaves.held |= std::uint64_t{1} << known;
      leaves.at[known] = static_cast<std::uint32_t>(before + 1 - start);
    };
    WalkPlain(
        cursor, element,
        [&](const Field& field, std::size_t known, std::string_view value) {
          pack_in_order(field, known,
                        [&](unsigned char number) { field.pack_text(value, number, packed); });
        },
        [&](const Field& field, std::size_t known) {
          pack_in_order(field, known,
                        [&](unsigned char number) { field.pack_child(cursor, number, packed); });
        });
    leaves.values = start + InsertPackedLength(packed, start);
    return leaves;
  }
  // The plain number of the leaf written as `tag` (the bit of its packed value).
  std::size_t LeafNumber(std::string_view tag) const {
    const std::size_t known = plain_names_.Find(tag);
    if (known == PlainNames::npos) throw std::logic_error("no such leaf");
    return known;
  }
  // Gives `record` the values of the packed record `packed` starts with,
  // leaving the others as they are; `packed` then starts after it.
  void Unpack(std::string_view& packed, T& record) const {
    std::string_view values = TakePackedText(packed);
    while (!values.empty()) {
      const auto known = static_cast<unsigned char>(values.front());
      values.remove_prefix(1);
      const Field& field = *plain_fields_[known];
      field.unpack(record, field.member, values);
    }
  }
  // Writes the packed record `packed` starts with as a record of its values
  // writes itself; `packed` then starts after it.
  void WritePacked(XmlWriter& parent, std::string_view& packed) const {
    std::string_view values = TakePackedText(packed);
    Guarded(form_.guard, {T::kClassName, "Get XML"}, [&] {
      const XmlSwitches switches =
          form_.switches == WriterSwitches::kAllOn ? XmlSwitches::AllOn() : XmlSwitches::OfThread();
      XmlWriter::Part part(parent, switches.compress, switches.zero_suppress);
      parent.OpenGroup(group_tag_);
      const bool drops_zero = parent.DropsZero();
      for (const unsigned char known : packed_order_) {
        const Field& field = *plain_fields_[known];
        const bool held = !values.empty() && static_cast<unsigned char>(values.front()) == known;
        if (held) {
          values.remove_prefix(1);
        } else if (drops_zero && field.own_value_dropped) {
          continue;
        }
        field.write_packed(parent, known < leaf_tags_.size() ? leaf_tags_[known] : field.child_tag,
                           held ? &values : nullptr);
      }
      parent.EndGroup();
      part.Close();
    });
  }
  // The walk of ReadPlain: `take_value(field, number, text)` for each leaf
  // met first, whose text is not the empty one its reset already gives;
  // `take_child(field, number)` for each child, the cursor after its start tag. The
  // names met, as bits by plain number.
  template <class TakeValue, class TakeChild>
  std::uint64_t WalkPlain(PlainXmlCursor& cursor, std::string_view element,
                          const TakeValue& take_value, const TakeChild& take_child) const {
    if (!reads_plain_) throw PlainXmlCursor::NotPlain{};
    std::string decoded;
    std::uint64_t met = 0;
    // What a child's searched block must not hold: this record's names not
    // yet met, its end tag. A record of leaves holds no such block.
    std::optional<PlainXmlCursor::Scope> scope;
    if (has_children_) scope.emplace(cursor, element, &plain_names_, &met);
    bool child_read = false;
    std::size_t expected = next_written_.back();
    for (;;) {
      std::size_t known = ExpectedNext(cursor, expected);
      std::string_view name;
      if (known != PlainNames::npos) {
        name = plain_names_.Name(known);
      } else {
        name = cursor.NextChild();
        if (name.empty()) break;
        known = plain_names_.Find(name);
        if (known == PlainNames::npos) throw PlainXmlCursor::NotPlain{};
      }
      expected = next_written_[known];
      const Field& field = *plain_fields_[known];
      const std::uint64_t bit = std::uint64_t{1} << known;
      if (field.read_child_plain) {
        // The search would read the first only, and not look into a second.
        if ((met & bit) != 0) throw PlainXmlCursor::NotPlain{};
        met |= bit;
        take_child(field, known);
        child_read = true;
        continue;
      }
      // A class written with its leaves first may have a child holding an
      // element of a leaf's name, which the search would find there first:
      // a leaf after a child, or one missing once a child was read.
      if (child_read && leaves_first_) throw PlainXmlCursor::NotPlain{};
      if ((met & bit) != 0) {
        cursor.SkipLeaf(name);
        continue;
      }
      met |= bit;
      const std::string_view value = cursor.LeafValue(name, decoded);
      if (value.empty() && field.empty_reads_as_reset) continue;
      take_value(field, known, value);
    }
    cursor.EndOf(element);
    if (child_read && leaves_first_ && (met & all_leaves_) != all_leaves_)
      throw PlainXmlCursor::NotPlain{};
    return met;
  }
  // The number of the element whose start tag is at the cursor, the cursor
  // then after it, when it is `expected` or one of the few written after it:
  // mostly the one written after the one before comes next, or one a few
  // places on when those between were left out as empty. Else npos.
  std::size_t ExpectedNext(PlainXmlCursor& cursor, std::size_t expected) const noexcept {
    for (int tries = 0; expected != PlainNames::npos && tries < 8; ++tries) {
      if (cursor.NextChildIs(plain_names_.Name(expected))) return expected;
      expected = next_written_[expected];
    }
    return PlainNames::npos;
  }
  // The values the XML carries, in writing order.
  std::string_view Group() const override { return form_.group; }
  std::vector<XmlValueShape> Shape() const override {
    std::vector<XmlValueShape> shape;
    for (const Field* field : InRankOrder(&Field::write_rank)) shape.push_back(field->Shape());
    return shape;
  }
  bool RenewsChildren() const override { return renews_children_; }
  void Reset(T& record, bool destroy) const {
    for (const auto& reset : resetting_)
      reset(record, destroy);
  }
  // Reset of a record just made, whose members still hold their kinds' own values.
  void ResetNew(T& record) const {
    for (const auto& reset : resetting_new_)
      reset(record, false);
  }

 protected:
  // A pointer to a stored value of any kind, kept as one to a char member
  // and converted back to its own kind before use (a round trip the
  // language keeps exact): the leaf steps hold it beside plain functions
  // made for the kind, cheaper to call than a std::function each.
  // A value of the record's block of rarely set values (RareValues) is
  // kept the same way, as a pointer to a member of the block.
  using AnyMember = char T::*;
  using LeafWriter = void (*)(const T&, XmlWriter&, const TagName&, AnyMember);
  using LeafReader = void (*)(T&, std::string_view, AnyMember);
  using ValueView = std::string_view (*)(const T&, AnyMember, std::string& scratch);
  using TextPacker = void (*)(std::string_view text, unsigned char number, std::string& packed);
  using ValueUnpacker = void (*)(T&, AnyMember, std::string_view& packed);
  using PackedWriter = void (*)(XmlWriter&, const TagName&, std::string_view* packed);
  using ChildPacker = void (*)(PlainXmlCursor&, unsigned char number, std::string& packed);
  enum class Held { kInRecord, kRarely };
  static constexpr const char* kNoRareValues = nullptr;  // what steps without them are given
  static constexpr bool kKeepsRareValues = detail::ClassAccess::KeepsRareValues<T>();
  template <class V>
  static V T::*MemberOfKind(AnyMember member) {
    return reinterpret_cast<V T::*>(member);
  }
  template <class V, class Record = T>
  static auto RareMemberOfKind(AnyMember member) {
    using Block = decltype(detail::ClassAccess::Rare(std::declval<Record&>()).Set());
    return reinterpret_cast<V std::remove_reference_t<Block>::*>(member);
  }
  template <class V, Held where>
  static const V& StoredValue(const T& record, AnyMember member) {
    if constexpr (where == Held::kInRecord) {
      return record.*MemberOfKind<V>(member);
    } else {
      return detail::ClassAccess::Rare(record).Get().*RareMemberOfKind<V>(member);
    }
  }
  // The value to set, the block of rarely set values made for it when need be.
  template <class V, Held where>
  static V& ValueToSet(T& record, AnyMember member) {
    if constexpr (where == Held::kInRecord) {
      return record.*MemberOfKind<V>(member);
    } else {
      return detail::ClassAccess::Rare(record).Set().*RareMemberOfKind<V>(member);
    }
  }
  template <class V, Held where>
  static void WriteValue(const T& record, XmlWriter& writer, const TagName& tag, AnyMember member) {
    WriteLeaf(writer, tag, StoredValue<V, where>(record, member));
  }
  // A value's XML text as a view: of a text where it is kept, of a flag its
  // word, of other values `scratch` holding it.
  template <class V, Held where>
  static std::string_view ViewOfValue(const T& record, AnyMember member, std::string& scratch) {
    const V& value = StoredValue<V, where>(record, member);
    if constexpr (std::is_same_v<V, StoredText>) {
      return value.View();
    } else if constexpr (std::is_same_v<V, bool>) {
      return XmlValue<bool>::Text(value);
    } else {
      scratch = XmlValue<V>::Write(value);
      return scratch;
    }
  }
  template <class V, Held where>
  static void ReadValue(T& record, std::string_view text, AnyMember member) {
    SetValue<V, where>(record, member, XmlValue<V>::Read(text));
  }
  template <class V, Held where>
  static void UnpackValue(T& record, AnyMember member, std::string_view& packed) {
    SetValue<V, where>(record, member, PackedValue<V>::Take(packed));
  }
  // Writes a packed value, or without one the kind's own, as WriteSteps
  // writes a record's.
  template <class V>
  static void WritePackedValue(XmlWriter& writer, const TagName& tag, std::string_view* packed) {
    if constexpr (std::is_base_of_v<PackedText, PackedValue<V>>) {
      const std::string_view text = packed ? TakePackedText(*packed) : std::string_view();
      writer.AddLeaf(tag, text);
    } else {
      WriteLeaf(writer, tag, packed ? PackedValue<V>::Take(*packed) : InitialValue<V>());
    }
  }
  template <class V, Held where>
  static void ReadStrictNumber(T& record, std::string_view text, AnyMember member) {
    SetValue<V, where>(record, member, static_cast<V>(Variant(text).ToLong()));
  }
  template <class V, Held where, class Value>
  static void SetValue(T& record, AnyMember member, Value&& value) {
    if constexpr (where == Held::kRarely) {
      // A record without the block holds the initial values already: giving
      // it one (Clear, or the empty text of a kept value read on every
      // record) makes no block.
      if (!detail::ClassAccess::Rare(record).Made() && InitialValue<V>() == value) return;
    }
    ValueToSet<V, where>(record, member) = std::forward<Value>(value);
  }

  struct Field {
    XmlPlace place;
    std::size_t leaf = 0;  // a leaf's number among the table's leaf tags
    int write_rank = 0;
    int read_rank = 0;
    bool kept = false;
    // A stored value and how it is written and read: plain functions of its
    // kind, which the leaf steps and the attributes call with the member.
    AnyMember member = nullptr;
    LeafWriter write_value = nullptr;
    LeafReader read_value = nullptr;
    ValueView view = nullptr;  // an attribute's XML text
    // A leaf's packed value (ReadPlainPacked), read, unpacked and written.
    TextPacker pack_text = nullptr;
    ChildPacker pack_child = nullptr;  // a child object's, after its start tag
    ValueUnpacker unpack = nullptr;
    PackedWriter write_packed = nullptr;
    // Its kind's own value is left out by a writer that drops zeros (and empties).
    bool own_value_dropped = false;
    // A missing element reads as its kind's own value.
    bool missing_reads_as_own = false;
    bool (*holds_own)(const T&, AnyMember) = nullptr;  // the value is its kind's own
    bool spelled_out = false;  // whose view is of the scratch text it is given
    bool stored_text = false;  // the member is a StoredText
    bool rare = false;         // of the block of rarely set values
    std::function<void(const T&, XmlWriter&)> write_child;  // a child object's XML, written in
    std::function<void(T&, XmlPart)> read_child;           // a child object's XML, read in
    std::function<void(T&, PlainXmlCursor&)> read_child_plain;  // the same in the plain form
    std::function<void(T&, bool destroy)> reset;           // what Clear does to it
    std::function<void(T&)> reset_in_place;                // for child objects
    bool renews_child = false;  // a child object that Clear replaces with a new one
    // An empty text reads as the value Clear gives, which a record being read
    // already holds: nothing to set when the text is empty.
    bool empty_reads_as_reset = false;
    // A value Clear sets to its kind's own value: a new record's member already holds it.
    bool made_as_reset = false;
    XmlValueKind kind = XmlValueKind::kText;
    std::string_view child_class;
    TagName child_tag;  // a child object's root element, hashed once for every record read

    // Its name in an XML order: a leaf's tag, "element/@name" for an
    // attribute, a child object's root element.
    std::string XmlName() const {
      if (place.name.empty()) return std::string(place.element);
      if (place.element.empty()) return std::string(place.name);
      return Concat({place.element, "/@", place.name});
    }
    XmlValueShape Shape() const { return {ShapeForm(), place.element, place.name, kind, child_class}; }
    XmlValueShape::Form ShapeForm() const {
      using F = XmlValueShape::Form;
      switch (place.form) {
        case XmlPlace::Form::kAttribute:
          return F::kAttribute;
        case XmlPlace::Form::kFirstAttribute:
          return F::kElementAttribute;
        case XmlPlace::Form::kChild:
          return F::kChild;
        case XmlPlace::Form::kLeaf:
        case XmlPlace::Form::kNone:  // not in the XML: never asked
          break;
      }
      return F::kLeaf;
    }

    // Leaves are written and read by their steps (WriteStep, ReadStep).
    void WriteOtherThanLeaf(XmlWriter& writer, const T& record) const {
      std::string scratch;  // the attribute's text, when it is not kept as one
      switch (place.form) {
        case XmlPlace::Form::kAttribute:
          return writer.SetAttrib(place.element, place.name, view(record, member, scratch));
        case XmlPlace::Form::kFirstAttribute:
          return writer.AddAttrVal(place.element, place.name, view(record, member, scratch));
        case XmlPlace::Form::kChild:
          return write_child(record, writer);
        case XmlPlace::Form::kLeaf:
        case XmlPlace::Form::kNone:
          return;
      }
    }
    void ReadOtherThanLeaf(XmlReader& reader, T& record) const {
      switch (place.form) {
        case XmlPlace::Form::kAttribute:
        case XmlPlace::Form::kFirstAttribute: {
          std::string unescaped;
          return read_value(record, reader.AttribView(place.element, place.name, unescaped),
                            member);
        }
        case XmlPlace::Form::kChild:
          return read_child(record, reader.BlockPart(child_tag, 1));
        case XmlPlace::Form::kLeaf:
        case XmlPlace::Form::kNone:
          return;
      }
    }
  };

  template <class V>
  static Field ValueField(V T::*field, XmlPlace place, V initial) {
    return HeldField<V, Held::kInRecord>(reinterpret_cast<AnyMember>(field), place,
                                         std::move(initial));
  }
  // A value of the block of rarely set values. A record without the block
  // holds the block's initial values, each its kind's own, which Clear
  // gives back without making the block for it (SetValue).
  template <class V, class Block>
  static Field RareField(V Block::*field, XmlPlace place) {
    if (!(Block{}.*field == InitialValue<V>()))
      throw std::logic_error("a rarely set value starts at its kind's own value");
    Field row =
        HeldField<V, Held::kRarely>(reinterpret_cast<AnyMember>(field), place, InitialValue<V>());
    row.rare = true;
    return row;
  }
  template <class V, Held where>
  static Field HeldField(AnyMember member, XmlPlace place, V initial) {
    Field row;
    row.place = place;
    row.member = member;
    row.write_value = &WriteValue<V, where>;
    row.read_value = &ReadValue<V, where>;
    row.view = &ViewOfValue<V, where>;
    if (!place.strict_number) row.pack_text = &PackedValue<V>::PackRead;
    row.unpack = &UnpackValue<V, where>;
    row.write_packed = &WritePackedValue<V>;
    row.own_value_dropped = !std::is_same_v<V, bool> && !std::is_same_v<V, float>;
    row.missing_reads_as_own = !place.strict_number && XmlValue<V>::Read("") == InitialValue<V>();
    row.holds_own = [](const T& record, AnyMember value) {
      return StoredValue<V, where>(record, value) == InitialValue<V>();
    };
    row.spelled_out = !std::is_same_v<V, StoredText> && !std::is_same_v<V, bool>;
    row.stored_text = std::is_same_v<V, StoredText>;
    if constexpr (std::is_integral_v<V> && !std::is_same_v<V, bool>) {
      // The locale's conversion: a missing or non-numeric text is a type mismatch.
      if (place.strict_number) row.read_value = &ReadStrictNumber<V, where>;
    }
    row.kind = KindOfValue<V>();
    row.empty_reads_as_reset = !place.strict_number && XmlValue<V>::Read("") == initial;
    // Members start at the value Clear gives unless a row says otherwise (an
    // empty text, zero, a variant holding the empty text): a new record
    // already holds it.
    row.made_as_reset = initial == InitialValue<V>();
    row.reset = [member, initial = std::move(initial)](T& record, bool) {
      SetValue<V, where>(record, member, initial);
    };
    return row;
  }
  template <class Child>
  static Field ChildField(Ref<Child> T::*field, XmlPlace place) {
    Field row;
    row.place = place;
    row.write_child = [field](const T& record, XmlWriter& writer) {
      detail::ClassAccess::AppendXML(*(record.*field), writer);
    };
    row.read_child = [field](T& record, XmlPart part) {
      detail::ClassAccess::ReadXML(*(record.*field), std::move(part));
    };
    row.read_child_plain = [field, element = place.element](T& record, PlainXmlCursor& cursor) {
      ReadPlainPart(*(record.*field), cursor, element);
    };
    row.child_tag = TagName(place.element);
    row.reset = [field](T& record, bool destroy) {
      record.*field = destroy ? Ref<Child>() : MakeRef<Child>();
    };
    row.reset_in_place = [field](T& record) { (record.*field)->Clear(false); };
    row.renews_child = true;
    row.kind = XmlValueKind::kObject;
    row.child_class = Child::kClassName;
    if constexpr (detail::ClassAccess::PacksPlainXml<Child>()) {
      row.member = reinterpret_cast<AnyMember>(field);
      row.pack_child = &PackChild<Child>;
      row.unpack = &UnpackChild<Child>;
      row.write_packed = &WritePackedChild<Child>;
      row.missing_reads_as_own = true;  // an empty collection, as a new one
    }
    return row;
  }
  // A child collection's packed members (ClassAccess::PacksPlainXml), kept
  // as a text after its number unless there are none.
  template <class Child>
  static void PackChild(PlainXmlCursor& cursor, unsigned char number, std::string& packed) {
    const std::size_t mark = packed.size();
    packed += static_cast<char>(number);
    const std::size_t start = packed.size();
    detail::ClassAccess::PackPlainXml<Child>(cursor, packed);
    if (packed.size() == start) return packed.resize(mark);
    InsertPackedLength(packed, start);
  }
  template <class Child>
  static void UnpackChild(T& record, AnyMember member, std::string_view& packed) {
    const auto field = reinterpret_cast<Ref<Child> T::*>(member);
    detail::ClassAccess::TakePackedMembers(*(record.*field), TakePackedText(packed));
  }
  template <class Child>
  static void WritePackedChild(XmlWriter& writer, const TagName&, std::string_view* packed) {
    detail::ClassAccess::WritePackedXml<Child>(
        writer, packed ? TakePackedText(*packed) : std::string_view());
  }

  void AddField(Field field) {
    const int rank = static_cast<int>(fields_.size()) + 1;
    field.write_rank = field.read_rank = rank;
    fields_.push_back(std::move(field));
  }

  // Turns the rows into the steps, once the declaration is complete.
  void Compile() {
    for (const Field& field : fields_) {
      if (field.kept) continue;
      resetting_.push_back(field.reset);
      if (!field.made_as_reset) resetting_new_.push_back(field.reset);
      renews_children_ = renews_children_ || field.renews_child;
    }
    leaf_tags_ = LeafTags();
    KnowPlainNames();
    edits_its_text_ = form_.cut_empty_elements ||
                      std::any_of(fields_.begin(), fields_.end(), [](const Field& field) {
                        return field.place.form == XmlPlace::Form::kAttribute;
                      });
    const std::vector<const Field*> written = InRankOrder(&Field::write_rank);
    std::size_t next = 0;
    // The group's attributes are set on its start tag right after it.
    if (!written.empty() && written[0]->place.form == XmlPlace::Form::kAttribute &&
        !form_.group.empty() && written[0]->place.element == form_.group) {
      next = AttributesEnd(written, 0, false);
      group_attributes_ = &KeepAttributes(written, 0, next);
    }
    while (next < written.size()) {
      const Field* field = written[next];
      // A first attribute writes its element, whose further attributes are set on it next.
      const std::size_t end = field->place.form == XmlPlace::Form::kFirstAttribute
                                  ? AttributesEnd(written, next, false)
                                  : next + 1;
      if (end - next > 1) {
        writing_.push_back({.field = field, .attributes = &KeepAttributes(written, next, end)});
      } else if (field->place.form != XmlPlace::Form::kLeaf) {
        writing_.push_back({.field = field});
      } else {
        writing_.push_back({nullptr, field->leaf, field->write_value, field->member,
                            field->stored_text, field->rare});
      }
      next = end;
    }
    std::copy_if(writing_.begin(), writing_.end(), std::back_inserter(writing_common_),
                 [](const WriteStep& step) { return !step.rare; });
    KnowPackedFields();
    const std::vector<const Field*> read = InRankOrder(&Field::read_rank);
    for (next = 0; next < read.size(); ++next) {
      const Field* field = read[next];
      if (field->place.form != XmlPlace::Form::kLeaf) {
        const std::size_t end = field->place.form == XmlPlace::Form::kChild
                                    ? next + 1
                                    : AttributesEnd(read, next, true);
        if (end - next > 1) {
          reading_.push_back({.field = field, .attributes = &KeepAttributes(read, next, end)});
          next = end - 1;
        } else {
          reading_.push_back({.field = field});
        }
        continue;
      }
      const bool passable = field->empty_reads_as_reset && field->leaf < TagIndex::kMissingBits;
      reading_.push_back({nullptr, nullptr, passable ? std::uint64_t{1} << field->leaf : 0,
                          field->leaf, field->empty_reads_as_reset, field->read_value,
                          field->member});
    }
  }

  void SetForm(RecordXmlForm form) {
    form_ = form;
    group_tag_ = TagName(form.group);
  }

  // The ranks `order` gives, read ranks swapped as `swaps` asks; a value
  // the order misses, repeats or does not have is named in the failure.
  void RankByXmlOrder(const std::vector<std::string_view>& order,
                      const std::vector<std::pair<std::string_view, std::string_view>>& swaps) {
    if (order.empty() && swaps.empty()) return;
    std::unordered_map<std::string, Field*> unplaced, placed;
    for (Field& field : fields_) {
      if (field.place.form != XmlPlace::Form::kNone) unplaced.emplace(field.XmlName(), &field);
    }
    for (std::size_t at = 0; at < order.size(); ++at) {
      auto entry = unplaced.extract(std::string(order[at]));
      if (entry.empty()) throw std::logic_error("XML order: no value or twice: " + std::string(order[at]));
      entry.mapped()->write_rank = entry.mapped()->read_rank = static_cast<int>(at) + 1;
      placed.insert(std::move(entry));
    }
    if (!unplaced.empty()) throw std::logic_error("XML order: missing " + unplaced.begin()->first);
    const auto read_rank = [&](std::string_view name) -> int& {
      const auto found = placed.find(std::string(name));
      if (found == placed.end()) throw std::logic_error("XML order: no value " + std::string(name));
      return found->second->read_rank;
    };
    for (const auto& [first, second] : swaps) std::swap(read_rank(first), read_rank(second));
  }

  // The names the plain reader knows: the leaves by their numbers, the
  // child objects after them (ReadPlainPart). A class read by the plain
  // form holds nothing else in its XML.
  void KnowPlainNames() {
    std::vector<std::string_view> names(leaf_tags_.size());
    plain_fields_.resize(leaf_tags_.size());
    reads_plain_ = !form_.group.empty();
    for (Field& field : fields_) {
      std::size_t number = field.leaf;
      if (field.place.form == XmlPlace::Form::kChild) {
        number = names.size();
        names.push_back(field.place.element);
        plain_fields_.push_back(&field);
      } else if (field.place.form == XmlPlace::Form::kLeaf) {
        names[number] = field.place.name;
        plain_fields_[number] = &field;
      } else if (field.place.form != XmlPlace::Form::kNone) {
        reads_plain_ = false;
      }
    }
    reads_plain_ = reads_plain_ && names.size() <= TagIndex::kMissingBits;
    plain_names_ = PlainNames(names);
    ChainInWritingOrder();
    has_children_ = names.size() > leaf_tags_.size();
    leaves_first_ = LeavesWrittenFirst();
    all_leaves_ = leaf_tags_.size() < 64 ? (std::uint64_t{1} << leaf_tags_.size()) - 1 : ~0ULL;
    for (std::size_t known = 0; known < plain_fields_.size(); ++known) {
      const Field& field = *plain_fields_[known];
      if (field.read_child || !field.empty_reads_as_reset) read_when_missing_.push_back(known);
    }
  }
  // next_written_: by number, the name written next; last, the one written
  // first.
  void ChainInWritingOrder() {
    next_written_.assign(plain_fields_.size() + 1, PlainNames::npos);
    std::size_t previous = plain_fields_.size();
    for (const Field* field : InRankOrder(&Field::write_rank)) {
      const auto at = std::find(plain_fields_.begin(), plain_fields_.end(), field);
      if (at == plain_fields_.end()) continue;
      const auto number = static_cast<std::size_t>(at - plain_fields_.begin());
      next_written_[previous] = number;
      previous = number;
    }
  }
  // Whether every leaf is written before every child object.
  bool LeavesWrittenFirst() const {
    int last_leaf = 0, first_child = std::numeric_limits<int>::max();
    for (const Field& field : fields_) {
      if (field.place.form == XmlPlace::Form::kLeaf)
        last_leaf = std::max(last_leaf, field.write_rank);
      if (field.place.form == XmlPlace::Form::kChild)
        first_child = std::min(first_child, field.write_rank);
    }
    return last_leaf < first_child;
  }
  // The leaves' tags, numbered for the reader.
  TagNames LeafTags() {
    std::vector<TagName> tags;
    for (Field& field : fields_) {
      if (field.place.form != XmlPlace::Form::kLeaf) continue;
      field.leaf = tags.size();
      tags.emplace_back(field.place.name);
    }
    return TagNames(std::move(tags));
  }

  // The values the XML carries, ordered by one of their ranks.
  std::vector<const Field*> InRankOrder(int Field::*rank) const {
    std::vector<const Field*> ordered;
    for (const Field& field : fields_) {
      if (field.place.form != XmlPlace::Form::kNone) ordered.push_back(&field);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [rank](const Field* a, const Field* b) { return a->*rank < b->*rank; });
    return ordered;
  }

  std::vector<Field> fields_;  // slot order
  std::function<bool(const T&)> silent_when_;
  ClassInfo surface_;

 private:
  // The values in writing and in reading order. A leaf's step holds what
  // the loop needs for it, so that the loop runs through one small array:
  // going to each field's large row cost more than writing most leaves.
  // Other values are written and read by their row (`field`).
  // Attributes of one element written or read together, in their order.
  struct Attributes {
    AttributeNames names;
    std::vector<const Field*> fields;
    // The element is named apart from those written or read before it (NamedApart).
    bool apart = false;
  };
  // The most attributes one step writes, and of them the most spelled out
  // (numbers and the like): their texts are kept on the stack.
  static constexpr std::size_t kMostAttributes = 16;
  static constexpr std::size_t kMostSpelledOut = 4;
  struct WriteStep {
    const Field* field = nullptr;
    std::size_t leaf = 0;
    LeafWriter write_value = nullptr;
    AnyMember member = nullptr;
    bool text = false;  // the member is a StoredText
    bool rare = false;  // of the block of rarely set values
    const Attributes* attributes = nullptr;
  };
  std::vector<WriteStep> writing_;
  // The steps but those of rarely set values, for a record that sets none.
  std::vector<WriteStep> writing_common_;
  // The text of a leaf step; `rare`: the record's rarely set values, when the steps hold any.
  template <bool with_rare, class Values>
  static const StoredText& TextOf(const T& record, const Values* rare, const WriteStep& step) {
    if constexpr (with_rare) {
      if (step.rare) return rare->*RareMemberOfKind<StoredText>(step.member);
    }
    return record.*MemberOfKind<StoredText>(step.member);
  }
  template <bool with_rare, class Values>
  void WriteSteps(XmlWriter& writer, const T& record, const std::vector<WriteStep>& steps,
                  const Values* rare) const {
    for (const WriteStep& step : steps) {
      // A run of attributes is a step of its first field: a leaf pays no further test.
      if (step.field) {
        if (!step.attributes) {
          step.field->WriteOtherThanLeaf(writer, record);
          continue;
        }
        WriteAttributes(*step.attributes, record, [&](std::span<const std::string_view> values) {
          writer.AddAttributes(step.attributes->names, values, WritesApart(*step.attributes));
        });
        continue;
      }
      // Most texts are empty, and left out under Compress: seen here, without a call.
      if (step.text && writer.DropsEmpties() && TextOf<with_rare>(record, rare, step).empty())
        continue;
      step.write_value(record, writer, leaf_tags_[step.leaf], step.member);
    }
  }
  struct ReadStep {
    const Field* field = nullptr;
    const Attributes* attributes = nullptr;
    // The bit of the leaf's name among the reader's missing names when the
    // leaf is passed over for it (else 0).
    std::uint64_t passed_when_missing = 0;
    std::size_t leaf = 0;
    bool empty_reads_as_reset = false;
    LeafReader read_value = nullptr;
    AnyMember member = nullptr;
  };
  std::vector<ReadStep> reading_;
  // What Clear does to each value it resets, and to those of them a new
  // record does not hold already: a new record is reset without walking
  // every row, and from one small array, as leaves are written and read.
  using ValueReset = std::function<void(T&, bool destroy)>;
  std::vector<ValueReset> resetting_;
  std::vector<ValueReset> resetting_new_;
  bool renews_children_ = false;
  TagNames leaf_tags_;
  RecordXmlForm form_;
  TagName group_tag_;            // form_.group's, hashed once
  std::deque<Attributes> attributes_;  // the steps' (a deque keeps their places)
  const Attributes* group_attributes_ = nullptr;  // set on the group's start tag

  // The end of the attributes one step takes from fields[from], an
  // attribute: after it, those of its element that follow it, as many as
  // fit; `first_too`: first attributes among them too.
  static std::size_t AttributesEnd(const std::vector<const Field*>& fields, std::size_t from,
                                   bool first_too) {
    const std::string_view element = fields[from]->place.element;
    std::size_t end = from;
    std::size_t spelled_out = 0;
    while (end < fields.size() && end - from < kMostAttributes) {
      const Field& field = *fields[end];
      const XmlPlace::Form form = field.place.form;
      const bool follows = end == from || (field.place.element == element &&
                                           (form == XmlPlace::Form::kAttribute ||
                                            (first_too && form == XmlPlace::Form::kFirstAttribute)));
      spelled_out += field.spelled_out;
      if (!follows || spelled_out > kMostSpelledOut) break;
      ++end;
    }
    return end;
  }
  // Whether fields[at]'s element is named apart from the elements before
  // it in `fields` and from the group's: neither name begins with the other.
  // The record's writer writes, and its reader finds, no elements but those
  // and a child object's, whose are not known.
  bool NamedApart(const std::vector<const Field*>& fields, std::size_t at) const {
    const std::string_view element = fields[at]->place.element;
    const auto related = [&](std::string_view name) {
      return !IsAscii(name) || name.starts_with(element) || element.starts_with(name);
    };
    if (!form_.group.empty() && element != form_.group && related(form_.group)) return false;
    return std::none_of(fields.begin(), fields.begin() + static_cast<std::ptrdiff_t>(at),
                        [&](const Field* field) {
                          const XmlPlace& place = field->place;
                          return place.form == XmlPlace::Form::kChild ||
                                 related(place.form == XmlPlace::Form::kLeaf ? place.name
                                                                              : place.element);
                        });
  }
  // Whether the writer may take the attributes' element for the first it
  // wrote of its name: only a writer of the record's own sees just that.
  bool WritesApart(const Attributes& attributes) const {
    return edits_its_text_ && attributes.apart;
  }
  const Attributes& KeepAttributes(const std::vector<const Field*>& fields, std::size_t from,
                                   std::size_t end) {
    Attributes& kept = attributes_.emplace_back();
    std::vector<std::string_view> names;
    for (std::size_t i = from; i < end; ++i) {
      kept.fields.push_back(fields[i]);
      names.push_back(fields[i]->place.name);
    }
    kept.names = AttributeNames(fields[from]->place.element, std::move(names));
    kept.apart = NamedApart(fields, from);
    return kept;
  }
  // Hands the attributes' texts to `write`, as views.
  template <class Write>
  static void WriteAttributes(const Attributes& attributes, const T& record, Write&& write) {
    const std::size_t count = attributes.fields.size();
    std::array<std::string_view, kMostAttributes> values;
    std::array<std::string, kMostSpelledOut> scratch;
    std::string unused;  // what a text or flag, viewed where it is, is given
    std::size_t spelled_out = 0;
    for (std::size_t i = 0; i < count; ++i) {
      const Field& field = *attributes.fields[i];
      values[i] = field.view(record, field.member,
                             field.spelled_out ? scratch[spelled_out++] : unused);
    }
    write(std::span<const std::string_view>(values.data(), count));
  }
  bool edits_its_text_ = false;  // sets attributes or cuts empty elements in what it wrote
  bool packs_ = false;
  std::vector<unsigned char> packed_order_;  // plain numbers in writing order
  void KnowPackedFields() {
    packs_ = reads_plain_ && !edits_its_text_ &&
             std::all_of(plain_fields_.begin(), plain_fields_.end(), [](const Field* field) {
               // A child starts as a new, empty collection: its own value.
               return (field->pack_child || (field->pack_text && field->made_as_reset)) &&
                      (field->empty_reads_as_reset || field->missing_reads_as_own);
             });
    for (std::size_t known = next_written_.back(); known != PlainNames::npos;
         known = next_written_[known])
      packed_order_.push_back(static_cast<unsigned char>(known));
  }
  // A value Clear keeps is not reset either when a record is made: the
  // class's member initialiser gives it, and a packed record leaves out only
  // what a record just made holds.
  bool KeptValuesStartOwn() const {
    const auto made = MakeRef<T>();
    return std::all_of(plain_fields_.begin(), plain_fields_.end(), [&](const Field* field) {
      return !field->kept || field->holds_own(*made, field->member);
    });
  }
  // The plain reader's names: leaves by number, then child objects.
  PlainNames plain_names_;
  std::vector<std::size_t> next_written_;     // PlainNames numbers (KnowPlainNames)
  std::vector<const Field*> plain_fields_;
  // The names whose elements, when missing, still read as something: a
  // child object, from nothing; a value whose empty text is not its reset.
  std::vector<std::size_t> read_when_missing_;
  bool reads_plain_ = false;
  bool has_children_ = false;
  bool leaves_first_ = false;  // written so: every leaf before every child
  std::uint64_t all_leaves_ = 0;
};

}  // namespace lombar
