// The type library: its identity, the creatable classes and the enumerations.
// The frame knows no class of the object model: the classes and the
// enumerations are supplied by the model's class table.
#pragma once

#include <string_view>
#include <vector>

#include "frame/TypeInfo.h"

namespace lombar {

struct TypeLibraryInfo {
  std::string_view name;
  std::string_view help;
  Guid guid;
  unsigned short major;
  unsigned short minor;
  Long lcid;
};
const TypeLibraryInfo& TypeLibrary();

// The classes a client can create, in the order the class table lists them
// (defined by the object model).
const std::vector<const ClassInfo*>& CreatableClasses();
// By ProgID ("qorkwz_LOMBARv3.ICatInfo"), bare class name or class id text,
// in any letter case; null when none matches.
const ClassInfo* FindClass(std::string_view name);
const ClassInfo* FindClass(const Guid& clsid);
// "qorkwz_LOMBARv3." + the class name.
std::string ProgIdOf(const ClassInfo& info);

struct Constant {
  std::string_view name;
  Long value;
  std::string_view help;
};
struct Enumeration {
  std::string_view name;
  std::string_view help;
  std::vector<Constant> constants;
};
// The enumerations of the type library (defined by the object model).
const std::vector<Enumeration>& Enumerations();

}  // namespace lombar
