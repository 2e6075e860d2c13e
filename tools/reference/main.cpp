// Writes docs/reference.md to standard output from the library's own type
// information: the classes with their identifiers, help texts and members,
// the enumerations and the error numbers. The page is generated so it can
// never drift from what the dispatcher, the C interface and Python actually
// see. With --missing-help it lists instead every class, member, event and
// constant that has no help text yet, and fails when there is one.
#include <cctype>
#include <cstdint>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "frame/TypeInfo.h"
#include "frame/TypeLibrary.h"
#include "lombar/Error.h"
#include "model/ClassTable.h"

namespace lombar {
namespace {

constexpr std::string_view kRegenerate =
    "build/tools/reference/lombar_reference > docs/reference.md";
// Automation error numbers are 16-bit.
constexpr std::int32_t kLastErrorNumber = 0xFFFF;

// The classes a host meets: those it can create, then those the library
// only hands out.
std::vector<const ClassInfo*> DocumentedClasses() {
  std::vector<const ClassInfo*> classes = CreatableClasses();
  const auto& handed_out = Classes().handed_out;
  classes.insert(classes.end(), handed_out.begin(), handed_out.end());
  return classes;
}

// A table cell's text: a '|' would end the cell.
std::string Cell(std::string_view text) {
  std::string cell;
  for (const char c : text) {
    if (c == '|') cell += '\\';
    cell += c;
  }
  return cell;
}

// A help text in a table cell: "*ALL*" stays a word, not emphasis.
std::string Prose(std::string_view text) {
  std::string prose;
  for (const char c : Cell(text)) {
    if (c == '*') prose += '\\';
    prose += c;
  }
  return prose;
}

std::string Code(std::string_view text) {
  return "`" + Cell(text) + "`";
}

std::string DefaultText(const Variant& value) {
  return value.IsText() ? "\"" + std::string(value.Text()) + "\"" : value.ToText();
}

// `ByRef name As Type`, in brackets when optional, with ` = default` when one is given.
std::string ParamText(const Param& param) {
  std::string text = (param.by_ref ? "ByRef " : "") + param.name + " As " +
                     BasicTypeName(param.type, param.object_class);
  if (!param.optional) return text;
  if (!param.default_value.IsMissing()) text += " = " + DefaultText(param.default_value);
  return "[" + text + "]";
}

std::string ParamsText(const std::vector<Param>& params) {
  std::string text;
  for (const Param& param : params) {
    if (!text.empty()) text += ", ";
    text += ParamText(param);
  }
  return text.empty() ? "" : Code(text);
}

// The fixed ids (0, -4, event ids) in decimal, the property and method ranges in hex.
std::string DispIdText(DispId id) {
  if (id < 0x10000) return std::to_string(id);
  std::ostringstream text;
  text << "0x" << std::hex << std::uppercase << id;
  return text.str();
}

std::string Anchor(std::string_view class_name) {
  std::string anchor;
  for (const char c : class_name) anchor += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return "#" + anchor;
}

std::string ClassLink(std::string_view class_name, const std::set<std::string>& documented) {
  if (!documented.contains(std::string(class_name))) return std::string(class_name);
  return "[" + std::string(class_name) + "](" + Anchor(class_name) + ")";
}

void WriteIntroduction(std::ostream& out) {
  const TypeLibraryInfo& library = TypeLibrary();
  out << "# Reference\n\n"
      << "Generated from the library's type information by `lombar_reference`; do not\n"
      << "edit by hand. After changing a class, regenerate it at the repository root:\n\n"
      << "    " << kRegenerate << "\n\n"
      << library.help << "\n\n"
      << "Type library `" << library.name << "` `" << library.guid.ToString() << "`, version "
      << library.major << "." << library.minor << ", locale 0x" << std::hex << library.lcid
      << std::dec << ".\n\n"
      << "How to read the member tables:\n\n"
      << "- Members are listed in slot order; `#` is the index `lombar_member()` takes\n"
      << "  and the position in Python's `lombar.members()`. A property with a get and a\n"
      << "  let (or set) has a row for each, under one dispatch id.\n"
      << "- Kind: `get` reads a property, `let` assigns a value, `set` assigns an\n"
      << "  object reference, `method` calls. A let's or set's value is its last\n"
      << "  parameter.\n"
      << "- Parameters: `ByRef` marks a by-reference parameter (the caller's variable\n"
      << "  receives what the member leaves in it); brackets mark an optional one,\n"
      << "  with its default after `=`; an optional one without a default arrives as\n"
      << "  missing.\n"
      << "- Types: `String` text, `Long` 32-bit and `Short` 16-bit integers, `Boolean`,\n"
      << "  `Single`, `Double`, `Currency` (fixed point, four decimals), `Date`,\n"
      << "  `Variant` (any value), a class name (an object of that class, or Nothing),\n"
      << "  `IUnknown` (an enumerator over a collection's members).\n"
      << "- Dispatch ids of properties and methods are in hex; 0 is the default member,\n"
      << "  -4 the enumerator.\n\n";
}

void WriteContents(std::ostream& out, const std::vector<const ClassInfo*>& classes) {
  out << "## Contents\n\n";
  for (const ClassInfo* info : classes) out << "- [" << info->name << "](" << Anchor(info->name) << ")\n";
  out << "- [Enumerations](#enumerations)\n- [Error numbers](#error-numbers)\n\n";
}

void WriteClass(std::ostream& out, const ClassInfo& info, const std::set<std::string>& documented) {
  out << "### " << info.name << "\n\n" << Prose(info.help) << "\n\n";
  if (info.create) {
    out << "- ProgID: `" << ProgIdOf(info) << "`\n";
  } else {
    out << "- Not creatable: the library hands it out.\n";
  }
  out << "- Class id: `" << info.clsid.ToString() << "`\n"
      << "- Interface `" << info.InterfaceName() << "`: `" << info.iid.ToString() << "`\n";
  for (const Guid& earlier : info.earlier_iids) out << "- Earlier interface id: `" << earlier.ToString() << "`\n";
  if (info.events) {
    out << "- Events, interface `" << info.events->name << "` `" << info.events->iid.ToString()
        << "`:";
    for (const EventMember& event : info.events->members)
      out << " `" << event.name << "` (dispatch id " << event.dispid << "): " << event.help;
    out << "\n";
  }
  out << "\n| # | Member | Kind | Parameters | Result | Dispatch id | Description |\n"
      << "|---|---|---|---|---|---|---|\n";
  for (std::size_t slot = 0; slot < info.members.size(); ++slot) {
    const Member& member = info.members[slot];
    const std::string result = BasicTypeName(member.result, member.result_class);
    out << "| " << slot << " | " << Code(member.name) << " | " << MemberKindName(member.kind)
        << (member.hidden ? " (hidden)" : "") << " | " << ParamsText(member.params) << " | "
        << (member.result == ParamType::Object ? ClassLink(result, documented) : result) << " | "
        << DispIdText(member.dispid) << " | " << Prose(member.help) << " |\n";
  }
  out << "\n";
}

void WriteEnumerations(std::ostream& out) {
  out << "## Enumerations\n\n";
  for (const Enumeration& enumeration : Enumerations()) {
    out << "### " << enumeration.name << "\n\n" << enumeration.help << "\n\n"
        << "| Constant | Value | Description |\n|---|---|---|\n";
    for (const Constant& constant : enumeration.constants)
      out << "| `" << constant.name << "` | " << constant.value << " | " << Prose(constant.help)
          << " |\n";
    out << "\n";
  }
}

void WriteErrorNumbers(std::ostream& out) {
  // 0 stands for no error and is never named: its description is the fallback.
  const std::string_view unnamed = StandardDescription(0);
  out << "## Error numbers\n\n"
      << "The numbers the library raises or passes on (`lombar::ErrorNumber` in\n"
      << "`include/lombar/Error.h`), each with its standard description; any other\n"
      << "number has the description \"" << unnamed << "\".\n"
      << "A C++ host catches `lombar::Error`, a Python host `lombar.ComError`, and a\n"
      << "C host reads `lombar_error_info()` after a failed call. An operation that\n"
      << "traps its failure composes a longer description:\n"
      << "`Class | Operation, Error # n at line: l`, a line break, then the\n"
      << "description of the error it caught.\n\n"
      << "| Number | Description |\n|---|---|\n";
  for (std::int32_t number = 1; number <= kLastErrorNumber; ++number) {
    const std::string_view description = StandardDescription(number);
    if (description != unnamed) out << "| " << number << " | " << Cell(description) << " |\n";
  }
}

// Every class a member names must have its own section, so no link dangles.
bool NamesOnlyDocumentedClasses(const std::vector<const ClassInfo*>& classes,
                                const std::set<std::string>& documented) {
  bool complete = true;
  for (const ClassInfo* info : classes) {
    for (const Member& member : info->members) {
      std::vector<std::string_view> named = {member.result_class};
      for (const Param& param : member.params) named.push_back(param.object_class);
      for (const std::string_view name : named) {
        if (name.empty() || documented.contains(std::string(name))) continue;
        std::cerr << "lombar_reference: " << info->name << "." << member.name
                  << " names the undocumented class " << name << "\n";
        complete = false;
      }
    }
  }
  return complete;
}

// Lists what has no help text yet, one line each; true when nothing is missing.
bool ListMissingHelp(std::ostream& out, const std::vector<const ClassInfo*>& classes) {
  std::size_t missing = 0;
  const auto check = [&](std::string_view help, const std::string& what) {
    if (!help.empty()) return;
    out << what << "\n";
    ++missing;
  };
  for (const ClassInfo* info : classes) {
    check(info->help, info->name);
    for (const Member& member : info->members)
      check(member.help, info->name + "." + member.name + " (" +
                             std::string(MemberKindName(member.kind)) + ")");
    if (!info->events) continue;
    for (const EventMember& event : info->events->members)
      check(event.help, info->name + " event " + event.name);
  }
  for (const Enumeration& enumeration : Enumerations()) {
    check(enumeration.help, std::string(enumeration.name));
    for (const Constant& constant : enumeration.constants)
      check(constant.help, std::string(enumeration.name) + "." + std::string(constant.name));
  }
  if (missing > 0) out << missing << " without a help text\n";
  return missing == 0;
}

}  // namespace
}  // namespace lombar

int main(int argc, char** argv) {
  using namespace lombar;
  RegisterModelClasses();
  const std::vector<const ClassInfo*> classes = DocumentedClasses();
  if (argc > 1 && std::string_view(argv[1]) == "--missing-help") {
    return ListMissingHelp(std::cout, classes) ? 0 : 1;
  }
  std::set<std::string> documented;
  for (const ClassInfo* info : classes) documented.insert(info->name);
  if (!NamesOnlyDocumentedClasses(classes, documented)) return 1;

  WriteIntroduction(std::cout);
  WriteContents(std::cout, classes);
  std::cout << "## Classes\n\n";
  for (const ClassInfo* info : classes) WriteClass(std::cout, *info, documented);
  WriteEnumerations(std::cout);
  WriteErrorNumbers(std::cout);
  return std::cout.good() ? 0 : 1;
}
