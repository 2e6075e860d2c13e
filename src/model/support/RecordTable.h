// The one way a record class declares its values: a property table beside
// the class, in slot order, from which both its automation surface and its
// XML come. A row names the property, its dispatch id, the member that holds
// it and where it goes in the XML; the kind of value (text, flag, 16- or
// 32-bit number, single, currency, variant, child object) comes from the
// member's type, and with it how the value is written, read and cleared.
//
// A small class as the example (the accessors live in its header, nothing
// else about a property is written anywhere):
//
//   const RecordShape& ICatPreset::Table() {
//     using P = ICatPreset;
//     static const auto table =
//         RecordTable<P>(kClassName, "{B5941FB4-...}", "{2FBBF3A5-...}",
//                        "One preset: a category, group and description to look up.")
//             .Xml(PropertyId(3), {.group = kClassName})
//             .Property("Category", PropertyId(2), &P::category_, Leaf("Category"))
//             .Help("The preset's category.")
//             .Property("Group", PropertyId(1), &P::group_, Leaf("Group"))
//             .Property("Description", PropertyId(0), &P::description_, Leaf("Description"))
//             .Method("Clear", MethodId(4), &P::Clear)
//             .Build();
//     return table;
//   }
//
// The class declares Table() privately and passes it to its Record base.
// A value few records set may live in the class's block of rarely set
// values (a RareValues member named rare_, made when one of them is set):
// its row names Rarely(&Block::member) in place of the member, and the value
// starts, and Clear sets it, at its kind's own value.
// A value property is a let then a get; an object property (a Ref member) a
// get then a set taking its object by reference. Modifiers follow the row
// they change: Kept() (Clear leaves the value), GetFirst() / SetFirst(),
// ReadOnly(), LetByRef(), SetByValue(), Getter() / Setter() (accessors of
// the class's own in place of the stored value), ClearedInPlace() (a child
// object Clear empties instead of renewing), Help() (the text of the row's
// property or method; see TypeInfo.h). XmlOrder() and ReadSwapped(), once
// for the table, give the XML's order when it is not the slot order. Build()
// compiles the rows into the steps that write, read and clear a record
// (RecordPlan.h).
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "frame/ClassBuilder.h"
#include "model/support/RecordPlan.h"
#include "model/support/SharedHelp.h"

namespace lombar {


inline constexpr XmlPlace kNotInXml{};
// An element of its own, left out by the writer's Compress when empty.
constexpr XmlPlace Leaf(std::string_view tag) {
  return {XmlPlace::Form::kLeaf, {}, tag};
}
// A leaf whose number is read by the locale's conversion: a text that is not
// a number (the empty text too) is a type mismatch.
constexpr XmlPlace StrictLeaf(std::string_view tag) {
  return {XmlPlace::Form::kLeaf, {}, tag, true};
}
// A further attribute of an element already written; attributes of one
// element are read back in the order they are written.
constexpr XmlPlace Attribute(std::string_view element, std::string_view name) {
  return {XmlPlace::Form::kAttribute, element, name};
}
// The attribute that writes its attribute-only element.
constexpr XmlPlace FirstAttribute(std::string_view element, std::string_view name) {
  return {XmlPlace::Form::kFirstAttribute, element, name};
}
// A child object's own XML, inserted as it is; read back from the first
// element of its root name.
constexpr XmlPlace Child(std::string_view root) {
  return {XmlPlace::Form::kChild, root, {}};
}
// A value of the record's block of rarely set values (RareValues), as a
// row names it: Rarely(&Block::member).
template <class V, class Block>
struct RareMember {
  V Block::*member;
};
template <class V, class Block>
constexpr RareMember<V, Block> Rarely(V Block::*member) {
  return {member};
}

template <class T>
class RecordTable final : public RecordPlan<T> {
  using Plan = RecordPlan<T>;
  using typename Plan::Field;
  using Plan::AddField;
  using Plan::ChildField;
  using Plan::fields_;
  using Plan::ValueField;

 public:
  RecordTable(std::string_view name, std::string_view clsid, std::string_view iid,
              std::string_view help = {})
      : builder_(name, clsid, iid, help) {
    builder_.SharedHelp(kRecordHelp);
  }

  // The XML get and let of the record, written and read as `form` says.
  RecordTable& Xml(DispId id, RecordXmlForm form = {}) {
    Flush();
    this->SetForm(form);
    builder_.Get("XML", id, &Record::XML).Let("XML", id, &Record::SetXML);
    return *this;
  }

  // A stored value and its property: let then get.
  template <class V>
  RecordTable& Property(std::string_view name, DispId id, V T::*field, XmlPlace place,
                        std::type_identity_t<V> initial = InitialValue<V>()) {
    Flush();
    pending_ = {LetMember<V>(name, id, field), GetMember<V>(name, id, field)};
    AddField(ValueField(field, place, std::move(initial)));
    return *this;
  }
  // A value of the block of rarely set values and its property; it starts,
  // and Clear sets it, at its kind's own value.
  template <class V, class Block>
  RecordTable& Property(std::string_view name, DispId id, RareMember<V, Block> field,
                        XmlPlace place) {
    Flush();
    pending_ = {LetRare<V>(name, id, field.member), GetRare<V>(name, id, field.member)};
    AddField(this->RareField(field.member, place));
    return *this;
  }
  // A child object and its property: get then set by reference. Clear
  // renews it (releases it for good when destroying).
  template <class Child>
  RecordTable& Property(std::string_view name, DispId id, Ref<Child> T::*field, XmlPlace place) {
    Flush();
    pending_ = {GetMember<Ref<Child>>(name, id, field), SetMember<Child>(name, id, field)};
    AddField(ChildField(field, place));
    return *this;
  }
  // A stored value the XML carries but no property shows.
  template <class V>
  RecordTable& Unnamed(V T::*field, XmlPlace place) {
    Flush();
    AddField(ValueField(field, place, InitialValue<V>()));
    return *this;
  }
  template <class V, class Block>
  RecordTable& Unnamed(RareMember<V, Block> field, XmlPlace place) {
    Flush();
    AddField(this->RareField(field.member, place));
    return *this;
  }

  // ---- modifiers of the row declared last ----
  RecordTable& Kept() {
    fields_.back().kept = true;
    fields_.back().empty_reads_as_reset = false;  // Clear leaves it as it was
    return *this;
  }
  // The help text of the row's property (all its accessors) or method.
  RecordTable& Help(std::string_view text) {
    if (pending_.empty()) {
      builder_.Help(text);
    } else {
      for (Member& member : pending_)
        member.help = text;
    }
    return *this;
  }
  RecordTable& GetFirst() { return Swap(MemberKind::Get, MemberKind::Let); }
  RecordTable& SetFirst() { return Swap(MemberKind::Set, MemberKind::Get); }
  RecordTable& ReadOnly() {
    std::erase_if(pending_, [](const Member& member) { return member.kind == MemberKind::Let; });
    return *this;
  }
  RecordTable& LetByRef() {
    for (Member& member : pending_) {
      if (member.kind == MemberKind::Let) member.params.back().by_ref = true;
    }
    return *this;
  }
  RecordTable& SetByValue() {
    for (Member& member : pending_) {
      if (member.kind == MemberKind::Set) member.params.back().by_ref = false;
    }
    return *this;
  }
  // The class's own get in place of the stored value (the XML still writes the stored value).
  template <class Fn>
  RecordTable& Getter(Fn fn) {
    return Replace(MemberKind::Get, binding::Bind<T>(fn));
  }
  // The class's own let in place of storing the value as given.
  template <class Fn>
  RecordTable& Setter(Fn fn) {
    return Replace(MemberKind::Let, binding::Bind<T>(fn));
  }
  // Clear empties the child object in place instead of renewing it.
  RecordTable& ClearedInPlace() {
    fields_.back().renews_child = false;
    fields_.back().reset = [reset = std::move(fields_.back().reset_in_place)](T& record, bool) {
      reset(record);
    };
    return *this;
  }
  // The XML values in the order they are written, by their XML names (a
  // leaf's tag, "element/@name" for an attribute, a child's root element),
  // when that differs from the slot order: every value the XML carries is
  // named once.
  RecordTable& XmlOrder(std::initializer_list<std::string_view> names) {
    xml_order_.assign(names.begin(), names.end());
    return *this;
  }
  // Two values read each in the other's place.
  RecordTable& ReadSwapped(std::string_view first, std::string_view second) {
    read_swaps_.emplace_back(first, second);
    return *this;
  }

  // ---- the rest of the surface ----
  template <class Fn>
  RecordTable& Method(std::string_view name, DispId id, Fn fn, std::vector<ParamSpec> specs = {}) {
    Flush();
    builder_.Method(name, id, fn, std::move(specs));
    return *this;
  }
  // A property of the class's own: derived, or with rules of its own.
  template <class Fn>
  RecordTable& Get(std::string_view name, DispId id, Fn fn, std::vector<ParamSpec> specs = {}) {
    Flush();
    builder_.Get(name, id, fn, std::move(specs));
    return *this;
  }
  template <class Fn>
  RecordTable& Let(std::string_view name, DispId id, Fn fn, std::vector<ParamSpec> specs = {}) {
    Flush();
    builder_.Let(name, id, fn, std::move(specs));
    return *this;
  }
  RecordTable& EarlierInterface(std::string_view iid) {
    builder_.EarlierInterface(iid);
    return *this;
  }

  RecordTable&& Build() {
    Flush();
    this->RankByXmlOrder(xml_order_, read_swaps_);
    this->surface_ = builder_.Build();
    this->Compile();
    return std::move(*this);
  }

  // The record writes nothing at all while `silent` says so.
  RecordTable& WritesNothingWhen(bool (T::*silent)() const) {
    this->silent_when_ = [silent](const T& record) { return (record.*silent)(); };
    return *this;
  }

 private:
  // The get of a stored value, which `stored` finds in the record.
  template <class V, class Stored>
  static Member GetOf(std::string_view name, DispId id, Stored stored) {
    Member member;
    member.name = name;
    member.kind = MemberKind::Get;
    member.dispid = id;
    member.result = binding::Traits<V>::kType;
    member.result_class = binding::ClassOf<V>();
    member.invoke = [stored](AutomationObject& self, Args&) {
      return binding::Traits<V>::To(stored(static_cast<const T&>(self)));
    };
    return member;
  }
  // The let of a stored value, which `to_set` finds in the record.
  template <class V, class ToSet>
  static Member LetOf(std::string_view name, DispId id, ToSet to_set) {
    Member member;
    member.name = name;
    member.kind = MemberKind::Let;
    member.dispid = id;
    member.params = {binding::ParamOf<V>()};
    member.params.back().name = "RHS";
    member.invoke = [to_set](AutomationObject& self, Args& args) {
      to_set(static_cast<T&>(self)) = binding::Traits<V>::From(args.back());
      return Variant();
    };
    return member;
  }
  template <class V>
  static Member GetMember(std::string_view name, DispId id, V T::*field) {
    return GetOf<V>(name, id, [field](const T& record) -> const V& { return record.*field; });
  }
  template <class V>
  static Member LetMember(std::string_view name, DispId id, V T::*field) {
    return LetOf<V>(name, id, [field](T& record) -> V& { return record.*field; });
  }
  template <class V, class Block>
  static Member GetRare(std::string_view name, DispId id, V Block::*field) {
    return GetOf<V>(name, id, [field](const T& record) -> const V& {
      return detail::ClassAccess::Rare(record).Get().*field;
    });
  }
  template <class V, class Block>
  static Member LetRare(std::string_view name, DispId id, V Block::*field) {
    return LetOf<V>(name, id, [field](T& record) -> V& {
      return detail::ClassAccess::Rare(record).Set().*field;
    });
  }
  template <class Child>
  static Member SetMember(std::string_view name, DispId id, Ref<Child> T::*field) {
    Member member = LetMember<Ref<Child>>(name, id, field);
    member.kind = MemberKind::Set;
    member.params.back().by_ref = true;
    return member;
  }

  RecordTable& Swap(MemberKind first, MemberKind second) {
    if (pending_.size() != 2 || pending_[0].kind != second || pending_[1].kind != first) {
      throw std::logic_error("GetFirst/SetFirst need a property of both kinds");
    }
    std::swap(pending_[0], pending_[1]);
    return *this;
  }
  RecordTable& Replace(MemberKind kind, Member replacement) {
    for (Member& member : pending_) {
      if (member.kind != kind) continue;
      replacement.name = member.name;
      replacement.kind = kind;
      replacement.dispid = member.dispid;
      replacement.help = member.help;
      if (kind != MemberKind::Get) replacement.params.back().name = "RHS";
      member = std::move(replacement);
      return *this;
    }
    throw std::logic_error("no accessor of that kind to replace");
  }
  void Flush() {
    for (Member& member : pending_)
      builder_.AddMember(std::move(member));
    pending_.clear();
  }

  ClassBuilder<T> builder_;
  std::vector<Member> pending_;  // the surface of the row declared last
  std::vector<std::string_view> xml_order_;
  std::vector<std::pair<std::string_view, std::string_view>> read_swaps_;
};

}  // namespace lombar
