#include "frame/TypeInfo.h"

#include <algorithm>

#include "base/Text.h"

namespace lombar {

std::string_view MemberKindName(MemberKind kind) {
  switch (kind) {
    case MemberKind::Method:
      return "method";
    case MemberKind::Get:
      return "get";
    case MemberKind::Let:
      return "let";
    case MemberKind::Set:
      return "set";
  }
  return "method";
}

std::string BasicTypeName(ParamType type, std::string_view object_class) {
  switch (type) {
    case ParamType::Void:
      return "";
    case ParamType::Variant:
      return "Variant";
    case ParamType::Text:
      return "String";
    case ParamType::I4:
      return "Long";
    case ParamType::I2:
      return "Short";
    case ParamType::Bool:
      return "Boolean";
    case ParamType::Single:
      return "Single";
    case ParamType::Double:
      return "Double";
    case ParamType::Currency:
      return "Currency";
    case ParamType::Date:
      return "Date";
    case ParamType::Object:
      return object_class.empty() ? "Object" : std::string(object_class);
    case ParamType::Unknown:
      return "IUnknown";
  }
  return "";
}

std::size_t Member::RequiredCount() const {
  return static_cast<std::size_t>(
      std::count_if(params.begin(), params.end(), [](const Param& p) { return !p.optional; }));
}

std::optional<DispId> ClassInfo::IdOfName(std::string_view member_name) const {
  for (const Member& member : members) {
    if (EqualsIgnoringCase(member.name, member_name)) return member.dispid;
  }
  return std::nullopt;
}

const Member* ClassInfo::Find(DispId dispid, MemberKind kind) const {
  const auto serves = [kind](MemberKind declared) {
    if (declared == kind) return true;
    const bool reading = kind == MemberKind::Method || kind == MemberKind::Get;
    return reading && (declared == MemberKind::Method || declared == MemberKind::Get);
  };
  const Member* fallback = nullptr;
  for (const Member& member : members) {
    if (member.dispid != dispid || !serves(member.kind)) continue;
    if (member.kind == kind) return &member;
    if (!fallback) fallback = &member;
  }
  return fallback;
}

bool ClassInfo::HasId(DispId dispid) const {
  return std::any_of(members.begin(), members.end(),
                     [dispid](const Member& member) { return member.dispid == dispid; });
}

bool ClassInfo::Answers(const Guid& interface_id) const {
  return interface_id == iid ||
         std::find(earlier_iids.begin(), earlier_iids.end(), interface_id) != earlier_iids.end();
}

}  // namespace lombar
