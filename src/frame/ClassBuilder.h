// Builds a class's automation surface (TypeInfo.h) from its C++ members: the
// declared types of parameters and results come from the member function's
// signature, names, optional defaults and by-reference flags from the table.
#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "frame/TypeInfo.h"
#include "lombar/Enumerator.h"
#include "lombar/Error.h"
#include "lombar/StoredText.h"

namespace lombar {

// How a table names one parameter: "xsKey", Optional("xsKey", ""), ByRef(...).
struct ParamSpec {
  std::string name;
  bool by_ref = false;
  bool optional = false;
  Variant default_value = Variant::Missing();

  ParamSpec(const char* param_name) : name(param_name) {}
  ParamSpec(std::string param_name, bool is_by_ref, bool is_optional, Variant default_to)
      : name(std::move(param_name)),
        by_ref(is_by_ref),
        optional(is_optional),
        default_value(std::move(default_to)) {}
};

// An optional parameter; omitted, it takes `default_value` (Missing: none).
inline ParamSpec Optional(const char* name, Variant default_value = Variant::Missing()) {
  return ParamSpec(name, false, true, std::move(default_value));
}
inline ParamSpec ByRef(ParamSpec spec) {
  spec.by_ref = true;
  return spec;
}

namespace binding {

// How a C++ parameter or result type travels as an automation value.
template <class T, class = void>
struct Traits;

template <>
struct Traits<std::string> {
  static constexpr ParamType kType = ParamType::Text;
  static std::string From(const Variant& v) { return std::string(v.Text()); }
  static Variant To(std::string value) { return Variant(std::move(value)); }
};
template <>
struct Traits<std::string_view> : Traits<std::string> {
  static Variant To(std::string_view value) { return Variant(std::string(value)); }
};
template <>
struct Traits<StoredText> {
  static constexpr ParamType kType = ParamType::Text;
  static StoredText From(const Variant& v) { return StoredText(v.Text()); }
  static Variant To(const StoredText& value) { return Variant(value.String()); }
};

template <class T>
struct Scalar {
  static T From(const Variant& v) { return std::get<T>(v.Raw()); }
  static Variant To(T value) { return Variant(value); }
};
template <>
struct Traits<Long> : Scalar<Long> {
  static constexpr ParamType kType = ParamType::I4;
};
template <>
struct Traits<Short> : Scalar<Short> {
  static constexpr ParamType kType = ParamType::I2;
};
template <>
struct Traits<bool> : Scalar<bool> {
  static constexpr ParamType kType = ParamType::Bool;
};
template <>
struct Traits<float> : Scalar<float> {
  static constexpr ParamType kType = ParamType::Single;
};
template <>
struct Traits<double> : Scalar<double> {
  static constexpr ParamType kType = ParamType::Double;
};
template <>
struct Traits<Currency> : Scalar<Currency> {
  static constexpr ParamType kType = ParamType::Currency;
};
template <>
struct Traits<Date> : Scalar<Date> {
  static constexpr ParamType kType = ParamType::Date;
};
template <>
struct Traits<Variant> {
  static constexpr ParamType kType = ParamType::Variant;
  static Variant From(const Variant& v) { return v; }
  static Variant To(Variant value) { return value; }
};
template <>
struct Traits<Ref<Enumerator>> {
  static constexpr ParamType kType = ParamType::Unknown;
  static Variant To(const Ref<Enumerator>& value) { return Variant(Ref<Object>(value)); }
};
// A reference to a public class; a member of another class is a type mismatch.
template <class T>
struct Traits<Ref<T>, std::enable_if_t<std::is_base_of_v<AutomationObject, T>>> {
  static constexpr ParamType kType = ParamType::Object;
  static constexpr std::string_view kClass = T::kClassName;
  static Ref<T> From(const Variant& v) {
    const Ref<Object> object = v.ToObject();
    const Ref<T> typed = object.template As<T>();
    if (object && !typed) RaiseRuntime(kTypeMismatch);
    return typed;
  }
  static Variant To(const Ref<T>& value) { return Variant(Ref<Object>(value)); }
};

// The value a parameter of type A is held in during the call.
template <class A>
using Held = std::remove_cvref_t<A>;
template <class A>
using Stored = std::conditional_t<std::is_same_v<Held<A>, std::string_view>, std::string, Held<A>>;
template <class A>
constexpr bool kWritesBack =
    std::is_lvalue_reference_v<A> && !std::is_const_v<std::remove_reference_t<A>>;

template <class T>
std::string_view ClassOf() {
  if constexpr (requires { Traits<Held<T>>::kClass; }) {
    return Traits<Held<T>>::kClass;
  } else {
    return {};
  }
}

// Calls `call(held...)` with the arguments converted from `args`, then writes
// the by-reference ones back.
template <class... A, class Call, std::size_t... I>
Variant CallWith(Args& args, Call&& call, std::index_sequence<I...>) {
  std::tuple<Stored<A>...> held{Traits<Stored<A>>::From(args[I])...};
  Variant result;
  using Result = decltype(call(std::get<I>(held)...));
  if constexpr (std::is_void_v<Result>) {
    call(std::get<I>(held)...);
  } else {
    result = Traits<Held<Result>>::To(call(std::get<I>(held)...));
  }
  ((kWritesBack<A> ? void(args[I] = Traits<Stored<A>>::To(std::get<I>(held))) : void()), ...);
  return result;
}

template <class A>
Param ParamOf() {
  Param param;
  param.type = Traits<Stored<A>>::kType;
  param.object_class = ClassOf<A>();
  return param;
}

template <class T, class R, class... A, class Fn>
Member BindCall(Fn fn) {
  Member member;
  if constexpr (std::is_void_v<R>) {
    member.result = ParamType::Void;
  } else {
    member.result = Traits<Held<R>>::kType;
    member.result_class = ClassOf<R>();
  }
  member.params = {ParamOf<A>()...};
  member.invoke = [fn](AutomationObject& self, Args& args) {
    return CallWith<A...>(
        args, [&](auto&... held) -> decltype(auto) { return (static_cast<T&>(self).*fn)(held...); },
        std::index_sequence_for<A...>{});
  };
  return member;
}

template <class T, class R, class C, class... A>
Member Bind(R (C::*fn)(A...)) {
  return BindCall<T, R, A...>(fn);
}
template <class T, class R, class C, class... A>
Member Bind(R (C::*fn)(A...) const) {
  return BindCall<T, R, A...>(fn);
}
template <class T, class R, class C, class... A>
Member Bind(R (C::*fn)(A...) noexcept) {
  return BindCall<T, R, A...>(fn);
}
template <class T, class R, class C, class... A>
Member Bind(R (C::*fn)(A...) const noexcept) {
  return BindCall<T, R, A...>(fn);
}

}  // namespace binding

// One member of an overload set, picked by its signature (`R(A...)`, with
// `const` for a const member): the automation form where a C++ form of the
// same name sits beside it.
template <class Signature, class C>
constexpr Signature C::*Overload(Signature C::*member) {
  return member;
}

template <class T>
class ClassBuilder {
 public:
  // `help` says in one line what an object of the class is.
  ClassBuilder(std::string_view name, std::string_view clsid, std::string_view iid,
               std::string_view help = {}) {
    info_.name = name;
    info_.help = help;
    info_.clsid = Guid::Of(clsid);
    info_.iid = Guid::Of(iid);
    info_.create = [] { return Ref<AutomationObject>(MakeRef<T>()); };
  }

  template <class Fn>
  ClassBuilder& Method(std::string_view name, DispId id, Fn fn, std::vector<ParamSpec> specs = {}) {
    return Add(name, MemberKind::Method, id, binding::Bind<T>(fn), std::move(specs));
  }
  template <class Fn>
  ClassBuilder& Get(std::string_view name, DispId id, Fn fn, std::vector<ParamSpec> specs = {}) {
    return Add(name, MemberKind::Get, id, binding::Bind<T>(fn), std::move(specs));
  }
  template <class Fn>
  ClassBuilder& Let(std::string_view name, DispId id, Fn fn, std::vector<ParamSpec> specs = {}) {
    return Add(name, MemberKind::Let, id, binding::Bind<T>(fn), std::move(specs));
  }
  template <class Fn>
  ClassBuilder& Set(std::string_view name, DispId id, Fn fn, std::vector<ParamSpec> specs = {}) {
    return Add(name, MemberKind::Set, id, binding::Bind<T>(fn), std::move(specs));
  }
  // A member bound elsewhere (a property table's stored values).
  ClassBuilder& AddMember(Member member) {
    info_.members.push_back(std::move(member));
    return *this;
  }
  // Rows declared elsewhere and shared by several classes: `add` adds them here.
  template <class Rows>
  ClassBuilder& With(Rows&& add) {
    add(*this);
    return *this;
  }
  // Marks the member added last as hidden (the enumerator).
  ClassBuilder& Hidden() {
    info_.members.back().hidden = true;
    return *this;
  }
  // The help text of the member added last, and of every other accessor of its name.
  ClassBuilder& Help(std::string_view text) {
    info_.members.back().help = text;
    return *this;
  }
  // Texts for the members of these names that the table gives none; of
  // several tables given, the first that names a member wins.
  ClassBuilder& SharedHelp(std::span<const MemberHelp> texts) {
    shared_help_.push_back(texts);
    return *this;
  }
  ClassBuilder& EarlierInterface(std::string_view iid) {
    info_.earlier_iids.push_back(Guid::Of(iid));
    return *this;
  }
  ClassBuilder& Events(std::string_view name, std::string_view iid,
                       std::vector<EventMember> members) {
    info_.events = EventInterface{std::string(name), Guid::Of(iid), std::move(members)};
    return *this;
  }
  // For classes only the library itself creates.
  ClassBuilder& NotCreatable() {
    info_.create = nullptr;
    return *this;
  }
  ClassInfo Build() {
    GiveEveryAccessorItsHelp();
    return std::move(info_);
  }

 private:
  ClassBuilder& Add(std::string_view name, MemberKind kind, DispId id, Member member,
                    std::vector<ParamSpec> specs) {
    member.name = name;
    member.kind = kind;
    member.dispid = id;
    Name(member, std::move(specs));
    info_.members.push_back(std::move(member));
    return *this;
  }

  // Names the bound parameters; a table that names none leaves them
  // required and by value, a let's or set's value named "RHS".
  static void Name(Member& member, std::vector<ParamSpec> specs) {
    if (specs.empty()) {
      for (std::size_t i = 0; i < member.params.size(); ++i) {
        member.params[i].name = "arg" + std::to_string(i + 1);
      }
      if (!member.params.empty() && member.kind != MemberKind::Method &&
          member.kind != MemberKind::Get) {
        member.params.back().name = "RHS";
      }
      return;
    }
    if (specs.size() != member.params.size()) {
      throw std::logic_error("parameter list of " + member.name + " does not match its function");
    }
    for (std::size_t i = 0; i < specs.size(); ++i) {
      Param& param = member.params[i];
      param.name = std::move(specs[i].name);
      param.by_ref = specs[i].by_ref;
      param.optional = specs[i].optional;
      param.default_value = std::move(specs[i].default_value);
    }
  }

  // A member without a text takes that of another accessor of its name,
  // else the shared text of its name.
  void GiveEveryAccessorItsHelp() {
    for (Member& member : info_.members) {
      if (!member.help.empty()) continue;
      for (const Member& other : info_.members) {
        if (other.name == member.name && !other.help.empty()) member.help = other.help;
      }
      for (const std::span<const MemberHelp> texts : shared_help_) {
        for (const MemberHelp& shared : texts) {
          if (member.help.empty() && shared.member == member.name) member.help = shared.help;
        }
      }
    }
  }

  ClassInfo info_;
  std::vector<std::span<const MemberHelp>> shared_help_;
};

}  // namespace lombar
