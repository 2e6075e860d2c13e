#include "frame/AutomationCodes.h"

#include "lombar/Error.h"

namespace lombar {

std::int32_t CodeOfCallError(std::int32_t number) noexcept {
  switch (number) {
    case kMemberNotSupported:
      return hresult::kMemberNotFound;
    case kWrongArgumentCount:
      return hresult::kBadParamCount;
    case kArgumentNotOptional:
      return hresult::kParamNotOptional;
    case kOverflow:
      return hresult::kOverflow;
    case hresult::kWrongThread:  // an object argument of another thread
      return hresult::kWrongThread;
    default:
      return hresult::kTypeMismatch;
  }
}

std::int32_t NumberOfRefusal(std::int32_t code) noexcept {
  switch (code) {
    case hresult::kPointer:
      return kObjectNotSet;
    case hresult::kNoInterface:
      return kNoAutomationInterface;
    case hresult::kClassNotAvailable:
      return kCannotCreateObject;
    case hresult::kBadVarType:
      return kUnsupportedVariantType;
    default:
      return kInvalidProcedureCall;
  }
}

std::int32_t ScodeOfError(std::int32_t number) noexcept {
  constexpr std::uint32_t kControlFacility = 0x800A0000u;
  if (number > 0 && number <= 0xFFFF) {
    return static_cast<std::int32_t>(kControlFacility | static_cast<std::uint32_t>(number));
  }
  return number;
}

MemberKind KindOfFlags(std::uint16_t flags) noexcept {
  constexpr std::uint16_t kGet = 2, kPut = 4, kPutRef = 8;
  if (flags & kPutRef) return MemberKind::Set;
  if (flags & kPut) return MemberKind::Let;
  if (flags & kGet) return MemberKind::Get;
  return MemberKind::Method;
}

std::uint16_t VarTypeOf(ParamType type) noexcept {
  // The value kinds are numbered as the variant types; these two are no kind of value.
  constexpr std::uint16_t kAnyValue = 12, kUnknownObject = 13;
  const auto kind = [](VarKind value_kind) { return static_cast<std::uint16_t>(value_kind); };
  switch (type) {
    case ParamType::Void:
      return kind(VarKind::Empty);
    case ParamType::Variant:
      return kAnyValue;
    case ParamType::Text:
      return kind(VarKind::Text);
    case ParamType::I4:
      return kind(VarKind::I4);
    case ParamType::I2:
      return kind(VarKind::I2);
    case ParamType::Bool:
      return kind(VarKind::Bool);
    case ParamType::Single:
      return kind(VarKind::Single);
    case ParamType::Double:
      return kind(VarKind::Double);
    case ParamType::Currency:
      return kind(VarKind::Currency);
    case ParamType::Date:
      return kind(VarKind::Date);
    case ParamType::Object:
      return kind(VarKind::Object);
    case ParamType::Unknown:
      return kUnknownObject;
  }
  return kAnyValue;
}

}  // namespace lombar
