// The type library's interface definition (IDL), written from the class
// tables: the Windows build compiles it (widl) into the interfaces' C++
// declarations for early-bound clients. The type library file itself is
// written from the same tables by lombar_typelib (TypeLibraryMaker.cpp),
// since IDL cannot carry every default and help text; TypeLibraryListing
// says what that file must hold, as the Windows tests read it back.
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
// The type library as ITypeInfo shows it, one line per type, member and
// constant, in the library's order: names, kinds, flags, slots, dispatch
// ids, parameter types, flags and defaults, and help texts. Names and help
// are looked up by dispatch id there, so every accessor shows those of the
// first accessor of its id. tests/windows/ComClient.cpp writes the same
// listing from the Windows library.
std::string TypeLibraryListing();

}  // namespace lombar
