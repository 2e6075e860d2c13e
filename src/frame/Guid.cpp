#include "lombar/Guid.h"

#include <cstdio>
#include <stdexcept>

namespace lombar {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<Guid> Guid::Parse(std::string_view text) noexcept {
  if (text.size() == 38 && text.front() == '{' && text.back() == '}') {
    text = text.substr(1, 36);
  }
  if (text.size() != 36) return std::nullopt;
  std::array<std::uint8_t, 16> bytes{};
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (i == 8 || i == 13 || i == 18 || i == 23) {
      if (text[i++] != '-') return std::nullopt;
      continue;
    }
    const int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes[count++] = static_cast<std::uint8_t>(high * 16 + low);
    i += 2;
  }
  Guid guid;
  guid.data1 =
      static_cast<std::uint32_t>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
  guid.data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
  guid.data3 = static_cast<std::uint16_t>(bytes[6] << 8 | bytes[7]);
  for (std::size_t i = 0; i < 8; ++i)
    guid.data4[i] = bytes[8 + i];
  return guid;
}

Guid Guid::Of(std::string_view text) {
  const auto guid = Parse(text);
  if (!guid) throw std::invalid_argument("malformed identifier " + std::string(text));
  return *guid;
}

std::string Guid::ToString() const {
  char text[39];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", data1,
                data2, data3, data4[0], data4[1], data4[2], data4[3], data4[4], data4[5], data4[6],
                data4[7]);
  return text;
}

namespace iid {
const Guid kIUnknown = Guid::Of("{00000000-0000-0000-C000-000000000046}");
const Guid kIDispatch = Guid::Of("{00020400-0000-0000-C000-000000000046}");
const Guid kIEnumVARIANT = Guid::Of("{00020404-0000-0000-C000-000000000046}");
const Guid kISupportErrorInfo = Guid::Of("{DF0B3D60-548F-101B-8E65-08002B2BD119}");
const Guid kIConnectionPointContainer = Guid::Of("{B196B284-BAB4-101A-B69C-00AA00341D07}");
}  // namespace iid

}  // namespace lombar
