// The one dispatcher every class is driven through: member names to
// dispatch ids, and invocation by id and kind with automation's argument
// rules, read from the class's surface.
#pragma once

#include <string_view>
#include <vector>

#include "frame/TypeInfo.h"
#include "lombar/Error.h"

namespace lombar {

// One argument of a call. A by-reference argument passed for a by-reference
// parameter receives what the callee leaves there; otherwise the callee works
// on a copy.
struct Argument {
  Variant value;
  bool by_ref = false;
};

// The error of a call refused before its member ran: the caller named no
// member, gave a wrong count of arguments, or gave one that does not fit its
// parameter. Hosts report these apart from the errors members raise.
class CallError : public Error {
 public:
  explicit CallError(const Error& error) : Error(error) {}
};

// The dispatch id of a member name in any letter case; error 438 when the
// class has no member of that name.
DispId GetIdOfName(const AutomationObject& object, std::string_view name);

// The member `id` of kind `kind`; CallError 438 when the class has none.
const Member& FindMember(const AutomationObject& object, DispId id, MemberKind kind);

// CallError 450 unless a call may give `count` arguments to `member`: no more
// than it declares, every required parameter among them, and for a let or
// set the value. Hosts check this before they read the arguments.
void CheckArgumentCount(const Member& member, std::size_t count);

// Calls the member `id` of kind `kind` with `args` in declared order; for a
// let or set the value is the last argument, whatever optional parameters
// before it were left off. Each argument is converted to its declared
// type (errors 13 and 6 as automation gives them); omitted trailing optional
// arguments, and Missing ones, take their defaults. A call with too many or
// too few arguments fails with 450, a Missing required one with 449, an
// unknown id or kind with 438, each as a CallError. Errors raised by the
// member pass unchanged.
Variant Invoke(AutomationObject& object, DispId id, MemberKind kind, std::vector<Argument>& args);

// As Invoke, but a call that gives arguments to a property or method that
// takes none and returns an object goes to that object's default member with
// those arguments, as automation clients read `store.Items(1)`: the items'
// Item(1). Error 91 when the property gives Nothing.
Variant InvokeForwardingToDefault(AutomationObject& object, DispId id, MemberKind kind,
                                  std::vector<Argument>& args);

// Converts a value to a declared parameter type.
Variant ConvertArgument(const Variant& value, ParamType type);

}  // namespace lombar
