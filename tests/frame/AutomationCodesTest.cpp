// The one table of codes every host interface reports failures with: the C
// interface on every platform and the COM server on Windows.
#include <gtest/gtest.h>

#include <cstdint>

#include "frame/AutomationCodes.h"

namespace lombar {
namespace {

constexpr std::int32_t Code(std::uint32_t bits) {
  return static_cast<std::int32_t>(bits);
}

TEST(AutomationCodes, RaisedNumbersTravelAsControlFacilityCodes) {
  // clang-format off
  const std::pair<std::int32_t, std::int32_t> cases[] = {
      {5, Code(0x800A0005)}, {91, Code(0x800A005B)}, {457, Code(0x800A01C9)}, {65535, Code(0x800AFFFF)},
      // Numbers that are codes already, and those outside the 16-bit range, stay as they are.
      {0, 0}, {65536, 65536}, {-1, -1}, {Code(0x80004005), Code(0x80004005)}};
  // clang-format on
  for (const auto& [number, scode] : cases)
    EXPECT_EQ(ScodeOfError(number), scode) << number;
}

// The other call errors and refusals are the C interface's table of mistaken calls.
TEST(AutomationCodes, AnUnsupportedTypeIsATypeMismatchToTheCaller) {
  EXPECT_EQ(CodeOfCallError(458), Code(0x80020005));
}

TEST(AutomationCodes, DispatchFlagsAndDeclaredTypes) {
  const std::pair<std::uint16_t, MemberKind> flags[] = {
      {1, MemberKind::Method}, {2, MemberKind::Get}, {3, MemberKind::Get},
      {4, MemberKind::Let},    {8, MemberKind::Set}, {12, MemberKind::Set},
  };
  for (const auto& [given, kind] : flags)
    EXPECT_EQ(KindOfFlags(given), kind) << given;
  const std::pair<ParamType, std::uint16_t> types[] = {
      {ParamType::Void, 0},   {ParamType::I2, 2},       {ParamType::I4, 3},
      {ParamType::Single, 4}, {ParamType::Double, 5},   {ParamType::Currency, 6},
      {ParamType::Date, 7},   {ParamType::Text, 8},     {ParamType::Object, 9},
      {ParamType::Bool, 11},  {ParamType::Variant, 12}, {ParamType::Unknown, 13},
  };
  for (const auto& [type, vt] : types)
    EXPECT_EQ(VarTypeOf(type), vt);
}

}  // namespace
}  // namespace lombar
