// The type library: its identity, and the classes and enumerations it
// serves. The frame knows no class of the object model: the model hands its
// class table over (RegisterClassTable) before a host can ask, and every
// query below answers from that table.
#pragma once

#include <string>
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

// What a type library serves: the classes a client can create, in the
// order of the library; the classes only the library hands out; the
// enumerations.
struct ClassTable {
  std::vector<const ClassInfo*> creatable;
  std::vector<const ClassInfo*> handed_out;
  std::vector<Enumeration> enumerations;
};

// The function that makes the table, called on the first query (so no table
// is built while the library's globals are still being set up); registering
// again replaces it. Until one is registered the table is empty.
using ClassTableSource = const ClassTable& (*)();
void RegisterClassTable(ClassTableSource source) noexcept;
const ClassTable& Classes();

// Classes().creatable and Classes().enumerations.
const std::vector<const ClassInfo*>& CreatableClasses();
const std::vector<Enumeration>& Enumerations();
// By ProgID ("qorkwz_LOMBARv3.ICatInfo"), bare class name or class id text,
// in any letter case; null when no creatable class matches.
const ClassInfo* FindClass(std::string_view name);
const ClassInfo* FindClass(const Guid& clsid);
// "qorkwz_LOMBARv3." + the class name.
std::string ProgIdOf(const ClassInfo& info);

}  // namespace lombar
