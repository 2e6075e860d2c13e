// The codes automation returns, and how the library's errors map onto them:
// one table for every host interface (the C interface, the COM server), so
// a host sees the same code for the same failure on every platform.
#pragma once

#include <cstdint>

#include "frame/TypeInfo.h"

namespace lombar::hresult {

inline constexpr std::int32_t kOk = 0;
inline constexpr std::int32_t kFalse = 1;
inline constexpr std::int32_t kNoInterface = static_cast<std::int32_t>(0x80004002u);
inline constexpr std::int32_t kPointer = static_cast<std::int32_t>(0x80004003u);
inline constexpr std::int32_t kFail = static_cast<std::int32_t>(0x80004005u);
inline constexpr std::int32_t kInvalidArg = static_cast<std::int32_t>(0x80070057u);
inline constexpr std::int32_t kOutOfMemory = static_cast<std::int32_t>(0x8007000Eu);
inline constexpr std::int32_t kClassNotAvailable = static_cast<std::int32_t>(0x80040111u);
inline constexpr std::int32_t kNoConnection = static_cast<std::int32_t>(0x80040200u);
inline constexpr std::int32_t kSelfRegClass = static_cast<std::int32_t>(0x80040201u);
inline constexpr std::int32_t kMemberNotFound = static_cast<std::int32_t>(0x80020003u);
inline constexpr std::int32_t kTypeMismatch = static_cast<std::int32_t>(0x80020005u);
inline constexpr std::int32_t kUnknownName = static_cast<std::int32_t>(0x80020006u);
inline constexpr std::int32_t kBadVarType = static_cast<std::int32_t>(0x80020008u);
inline constexpr std::int32_t kException = static_cast<std::int32_t>(0x80020009u);
inline constexpr std::int32_t kOverflow = static_cast<std::int32_t>(0x8002000Au);
inline constexpr std::int32_t kBadParamCount = static_cast<std::int32_t>(0x8002000Eu);
inline constexpr std::int32_t kParamNotOptional = static_cast<std::int32_t>(0x8002000Fu);
inline constexpr std::int32_t kWrongThread = static_cast<std::int32_t>(0x8001010Eu);

}  // namespace lombar::hresult

namespace lombar {

// The code for a call the dispatcher refused before its member ran (a
// CallError's number): member not found, wrong count, missing or unfitting
// argument, an argument that is another thread's object.
std::int32_t CodeOfCallError(std::int32_t number) noexcept;
// The runtime error number that stands for a code the library refuses a call with.
std::int32_t NumberOfRefusal(std::int32_t code) noexcept;
// The code that carries a raised error number to automation clients, which
// give the number back: 1 to 65535 as the control facility's codes
// (0x800A0000 + n), any other number as it is.
std::int32_t ScodeOfError(std::int32_t number) noexcept;
// The member kind an invocation's dispatch flags ask for (METHOD 1,
// PROPERTYGET 2, PROPERTYPUT 4, PROPERTYPUTREF 8); a get asked together
// with a method, as scripts ask, is a get.
MemberKind KindOfFlags(std::uint16_t flags) noexcept;
// The variant type a declared type travels as (VT_BSTR for Text, VT_DISPATCH
// for an object, VT_VARIANT for any value); VT_EMPTY for Void.
std::uint16_t VarTypeOf(ParamType type) noexcept;

}  // namespace lombar
