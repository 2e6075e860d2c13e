#include "frame/Dispatch.h"

#include "lombar/Error.h"

namespace lombar {
namespace {

[[noreturn]] void RefuseCall(std::int32_t number) {
  throw CallError(Error::Runtime(number));
}

bool IsAssignment(const Member& member) {
  return member.kind == MemberKind::Let || member.kind == MemberKind::Set;
}

// The declared parameter each given argument is for: in order, except that
// the value of a let or set is always the last argument given, so that the
// optional parameters before it can be left off.
std::vector<std::size_t> ParameterOfArgument(const Member& member, std::size_t given) {
  std::vector<std::size_t> parameter(given);
  for (std::size_t i = 0; i < given; ++i)
    parameter[i] = i;
  if (IsAssignment(member) && given > 0) parameter.back() = member.params.size() - 1;
  return parameter;
}

// An argument converted to its parameter's type: a value that does not fit
// is the caller's mistake.
Variant Converted(const Variant& value, ParamType type) {
  try {
    return ConvertArgument(value, type);
  } catch (const Error& error) {
    throw CallError(error);
  }
}

Args ArgumentsFor(const Member& member, const std::vector<Argument>& given) {
  CheckArgumentCount(member, given.size());
  std::vector<const Argument*> by_parameter(member.params.size(), nullptr);
  const std::vector<std::size_t> parameter = ParameterOfArgument(member, given.size());
  for (std::size_t i = 0; i < given.size(); ++i)
    by_parameter[parameter[i]] = &given[i];
  Args args;
  args.reserve(member.params.size());
  for (std::size_t i = 0; i < member.params.size(); ++i) {
    const Param& param = member.params[i];
    const Argument* argument = by_parameter[i];
    const bool omitted = !argument || argument->value.IsMissing();
    // The count is checked, so a required parameter left out here was given as Missing.
    if (omitted && !param.optional) RefuseCall(kArgumentNotOptional);
    const Variant& value = omitted ? param.default_value : argument->value;
    args.push_back(value.IsMissing() ? value : Converted(value, param.type));
  }
  return args;
}

void WriteBack(const Member& member, const Args& args, std::vector<Argument>& given) {
  const std::vector<std::size_t> parameter = ParameterOfArgument(member, given.size());
  for (std::size_t i = 0; i < given.size(); ++i) {
    if (given[i].by_ref && member.params[parameter[i]].by_ref) given[i].value = args[parameter[i]];
  }
}

bool ForwardsToDefault(const Member& member, MemberKind kind, std::size_t given) {
  const bool reading = kind == MemberKind::Get || kind == MemberKind::Method;
  return reading && given > 0 && member.params.empty() && member.result == ParamType::Object;
}

}  // namespace

Variant ConvertArgument(const Variant& value, ParamType type) {
  switch (type) {
    case ParamType::Variant:
      return value;
    case ParamType::Text:
      return value.ChangeType(VarKind::Text);
    case ParamType::I4:
      return value.ChangeType(VarKind::I4);
    case ParamType::I2:
      return value.ChangeType(VarKind::I2);
    case ParamType::Bool:
      return value.ChangeType(VarKind::Bool);
    case ParamType::Single:
      return value.ChangeType(VarKind::Single);
    case ParamType::Double:
      return value.ChangeType(VarKind::Double);
    case ParamType::Currency:
      return value.ChangeType(VarKind::Currency);
    case ParamType::Date:
      return value.ChangeType(VarKind::Date);
    case ParamType::Object:
    case ParamType::Unknown:
      return Variant(value.ToObject());
    case ParamType::Void:
      break;
  }
  RaiseRuntime(kTypeMismatch);
}

DispId GetIdOfName(const AutomationObject& object, std::string_view name) {
  const auto id = object.Class().IdOfName(name);
  if (!id) RaiseRuntime(kMemberNotSupported);
  return *id;
}

const Member& FindMember(const AutomationObject& object, DispId id, MemberKind kind) {
  const Member* member = object.Class().Find(id, kind);
  if (!member) RefuseCall(kMemberNotSupported);
  return *member;
}

void CheckArgumentCount(const Member& member, std::size_t count) {
  if (count > member.params.size() || (IsAssignment(member) && count == 0)) {
    RefuseCall(kWrongArgumentCount);
  }
  std::vector<bool> given(member.params.size(), false);
  for (const std::size_t parameter : ParameterOfArgument(member, count))
    given[parameter] = true;
  for (std::size_t i = 0; i < member.params.size(); ++i) {
    if (!given[i] && !member.params[i].optional) RefuseCall(kWrongArgumentCount);
  }
}

Variant Invoke(AutomationObject& object, DispId id, MemberKind kind, std::vector<Argument>& args) {
  const Member& member = FindMember(object, id, kind);
  Args converted = ArgumentsFor(member, args);
  Variant result = member.invoke(object, converted);
  WriteBack(member, converted, args);
  return result;
}

Variant InvokeForwardingToDefault(AutomationObject& object, DispId id, MemberKind kind,
                                  std::vector<Argument>& args) {
  if (!ForwardsToDefault(FindMember(object, id, kind), kind, args.size())) {
    return Invoke(object, id, kind, args);
  }
  std::vector<Argument> none;
  const Ref<AutomationObject> holder = Invoke(object, id, kind, none).ToObject().As<AutomationObject>();
  if (!holder) RaiseRuntime(kObjectNotSet);
  return Invoke(*holder, kDispIdValue, kind, args);
}

}  // namespace lombar
