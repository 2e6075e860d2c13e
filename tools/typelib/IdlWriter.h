// The type library's interface definition (IDL), written from the class
// tables: what the Windows build compiles (widl) and embeds in the library.
#pragma once

#include <string>

#include "frame/TypeInfo.h"

namespace lombar {

// The IDL type of a parameter or result of `type` (an object of a class
// outside the type library is any IDispatch).
std::string IdlTypeName(ParamType type, std::string_view object_class);
// One member of a dual interface, as an IDL method line ending in ";\n".
std::string IdlMember(const Member& member);
// The whole library: enumerations, interfaces, the event interface, coclasses.
std::string TypeLibraryIdl();

}  // namespace lombar
