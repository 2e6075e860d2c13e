#include "frame/Dispatch.h"

#include "lombar/Error.h"

namespace lombar {
namespace {

Args ArgumentsFor(const Member& member, const std::vector<Argument>& given) {
  if (given.size() > member.params.size()) RaiseRuntime(kWrongArgumentCount);
  Args args;
  args.reserve(member.params.size());
  for (std::size_t i = 0; i < member.params.size(); ++i) {
    const Param& param = member.params[i];
    const bool left_off = i >= given.size();
    const bool omitted = left_off || given[i].value.IsMissing();
    if (omitted && !param.optional) {
      RaiseRuntime(left_off ? kWrongArgumentCount : kArgumentNotOptional);
    }
    const Variant& value = omitted ? param.default_value : given[i].value;
    args.push_back(value.IsMissing() ? value : ConvertArgument(value, param.type));
  }
  return args;
}

void WriteBack(const Member& member, const Args& args, std::vector<Argument>& given) {
  for (std::size_t i = 0; i < given.size() && i < member.params.size(); ++i) {
    if (given[i].by_ref && member.params[i].by_ref) given[i].value = args[i];
  }
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

Variant Invoke(AutomationObject& object, DispId id, MemberKind kind, std::vector<Argument>& args) {
  const Member* member = object.Class().Find(id, kind);
  if (!member) RaiseRuntime(kMemberNotSupported);
  Args converted = ArgumentsFor(*member, args);
  Variant result = member->invoke(object, converted);
  WriteBack(*member, converted, args);
  return result;
}

}  // namespace lombar
