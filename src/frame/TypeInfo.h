// The automation surface of a class, as data: its identifiers and its
// members in slot order, each with its dispatch id, kind, declared parameter
// and result types, optional defaults and by-reference parameters, and the
// invoker that calls the C++ member. The generic dispatcher, the type
// information queries, the class factory and registration all read it.
//
// A class declares its surface next to itself with ClassBuilder
// (ClassBuilder.h), in slot order:
//
//   const ClassInfo& ICatInfo::TypeInfo() {
//     static const ClassInfo info =
//         ClassBuilder<ICatInfo>("ICatInfo", "{434E66F0-...}", "{18B00109-...}",
//                                "One info record: a typed line of text.")
//             .Get("XML", PropertyId(10), &ICatInfo::XML)
//             .Let("XML", PropertyId(10), &ICatInfo::SetXML)
//             .Help("The record as XML text; assigning one clears the record first.")
//             .Method("Clear", MethodId(11), &ICatInfo::Clear)
//             .Help("Empties every value.")
//             .Build();
//     return info;
//   }
//
// and the class table (ClassTable.cpp) lists it to make it creatable.
//
// Help texts are one sentence in the library's own words, plus the rule a
// caller must know where there is one. A member's text, given once, serves
// every accessor of its name; members that many classes share (a
// collection's Item, Count, ...) take theirs from one shared table
// (ClassBuilder::SharedHelp). Every client reads them from here: the type
// library, the C interface, Python and the reference.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lombar/AutomationObject.h"
#include "lombar/Guid.h"
#include "lombar/Variant.h"

namespace lombar {

using DispId = std::int32_t;
inline constexpr DispId kDispIdValue = 0;     // the default member
inline constexpr DispId kDispIdNewEnum = -4;  // the enumerator
// Every accessor of a property shares one identifier; methods have their own range.
constexpr DispId PropertyId(int n) {
  return 0x68030000 + n;
}
constexpr DispId MethodId(int n) {
  return 0x60030000 + n;
}

// What a member does when invoked, as the type information records it.
enum class MemberKind { Method, Get, Let, Set };
std::string_view MemberKindName(MemberKind kind);  // "method", "get", "let", "set"

// The declared automation type of a parameter or result.
enum class ParamType {
  Void,
  Variant,
  Text,
  I4,
  I2,
  Bool,
  Single,
  Double,
  Currency,
  Date,
  Object,
  Unknown
};

// The type's name as hosts declare it: "String", "Long", "Boolean", the
// class name of an object parameter ("Object" for any object), "IUnknown";
// "" for Void.
std::string BasicTypeName(ParamType type, std::string_view object_class = {});

// A help text that every class declaring a member of that name takes,
// unless the class gives the member one of its own.
struct MemberHelp {
  std::string_view member;
  std::string_view help;
};

struct Param {
  std::string name;
  ParamType type = ParamType::Variant;
  std::string_view object_class;  // for Object parameters: the class it must be
  bool by_ref = false;
  bool optional = false;
  Variant default_value;  // for optional parameters; Missing when none is given
};

// The arguments of one call, already converted to the declared types, in
// declared order. The invoker reads them and writes by-reference results back.
using Args = std::vector<Variant>;
using Invoker = std::function<Variant(AutomationObject& self, Args& args)>;

struct Member {
  std::string name;
  MemberKind kind = MemberKind::Method;
  DispId dispid = 0;
  ParamType result = ParamType::Void;
  std::string_view result_class;
  std::vector<Param> params;  // for a let or set, the value is the last
  bool hidden = false;
  std::string_view help;  // one sentence, static text
  Invoker invoke;

  std::size_t RequiredCount() const;
};

// One member of an outgoing (event) interface.
struct EventMember {
  std::string name;
  DispId dispid;
  std::string_view help;
};

struct EventInterface {
  std::string name;
  Guid iid;
  std::vector<EventMember> members;
};

class ClassInfo {
 public:
  std::string name;
  std::string_view help;  // what an object of the class is, in one line
  Guid clsid;
  Guid iid;
  std::vector<Guid> earlier_iids;
  std::vector<Member> members;  // slot order
  std::function<Ref<AutomationObject>()> create;
  std::optional<EventInterface> events;

  // "_" + the class name.
  std::string InterfaceName() const { return "_" + name; }
  // The dispatch id of a member name, in any letter case.
  std::optional<DispId> IdOfName(std::string_view member_name) const;
  // The member with that id that serves a call of `kind`: a get also serves
  // a method call and a method a get, as automation clients make them.
  const Member* Find(DispId dispid, MemberKind kind) const;
  bool HasId(DispId dispid) const;
  bool Answers(const Guid& interface_id) const;
};

}  // namespace lombar
