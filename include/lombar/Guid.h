// Class, interface and type-library identifiers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lombar {

// Laid out as the platform's GUID structure.
struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};

  // "{8C023522-9DCC-485C-8698-69366CA5A299}" in any letter case, braces optional.
  static std::optional<Guid> Parse(std::string_view text) noexcept;
  // Parses an identifier written in the library's own tables; a malformed one is a bug.
  static Guid Of(std::string_view text);
  // Upper case, in braces.
  std::string ToString() const;

  friend bool operator==(const Guid&, const Guid&) = default;
};

// The platform's own interface identifiers that library objects answer to.
namespace iid {
extern const Guid kIUnknown;
extern const Guid kIDispatch;
extern const Guid kIEnumVARIANT;
extern const Guid kISupportErrorInfo;
extern const Guid kIConnectionPointContainer;
}  // namespace iid

}  // namespace lombar
