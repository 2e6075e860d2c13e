// A class's automation surface in forms easy to compare with the class
// table: rows of name, kind and dispatch id, or one line of text.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "frame/TypeInfo.h"

namespace lombar::testing {

// A class's members in slot order, as name, kind and dispatch id.
using SurfaceRow = std::tuple<std::string, MemberKind, DispId>;

inline std::vector<SurfaceRow> SurfaceOf(const ClassInfo& info) {
  std::vector<SurfaceRow> rows;
  for (const Member& member : info.members)
    rows.emplace_back(member.name, member.kind, member.dispid);
  return rows;
}

// "XML get P4; ...; NewEnum get -4 hidden; " where P4 is the property id 4,
// M6 the method id 6, and the fixed ids appear as numbers.
inline std::string DispIdText(DispId id) {
  if (id >= PropertyId(0)) return "P" + std::to_string(id - PropertyId(0));
  if (id >= MethodId(0)) return "M" + std::to_string(id - MethodId(0));
  return std::to_string(id);
}

inline std::string SurfaceText(const ClassInfo& info) {
  std::string text;
  for (const Member& member : info.members) {
    text += member.name + " " + std::string(MemberKindName(member.kind)) + " " +
            DispIdText(member.dispid) + (member.hidden ? " hidden; " : "; ");
  }
  return text;
}

}  // namespace lombar::testing
