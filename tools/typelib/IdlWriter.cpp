#include "IdlWriter.h"

#include <algorithm>
#include <iomanip>
#include <sstream>

#include "frame/TypeLibrary.h"

namespace lombar {
namespace {

bool InTypeLibrary(std::string_view class_name) {
  return !class_name.empty() && FindClass(class_name) != nullptr;
}

// IDL writes identifiers without braces.
std::string Uuid(const Guid& guid) {
  const std::string text = guid.ToString();
  return text.substr(1, text.size() - 2);
}

std::string IdText(DispId id) {
  std::ostringstream text;
  text << "0x" << std::hex << std::setw(8) << std::setfill('0') << static_cast<std::uint32_t>(id);
  return text.str();
}

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// A default as IDL writes it: texts quoted, booleans as automation's -1 and 0.
std::string DefaultText(const Variant& value) {
  if (value.IsText()) return Quoted(value.Text());
  if (value.Kind() == VarKind::Bool) return value.ToBool() ? "-1" : "0";
  return value.ToText();
}

std::string ParamText(const Param& param) {
  std::string attributes = param.by_ref ? "in, out" : "in";
  // IDL takes no default behind a reference (widl refuses it): such a
  // parameter is only optional here. The type library itself, written by
  // lombar_typelib, carries the default.
  const bool has_default = param.optional && !param.default_value.IsMissing();
  if (has_default && !param.by_ref) {
    attributes += ", defaultvalue(" + DefaultText(param.default_value) + ")";
  } else if (param.optional) {
    attributes += ", optional";
  }
  return "[" + attributes + "] " + IdlTypeName(param.type, param.object_class) +
         (param.by_ref ? "* " : " ") + param.name;
}

// The attribute of a property's accessor; empty for a method.
std::string_view PropertyAttribute(MemberKind kind) {
  switch (kind) {
    case MemberKind::Get:
      return "propget";
    case MemberKind::Let:
      return "propput";
    case MemberKind::Set:
      return "propputref";
    case MemberKind::Method:
      break;
  }
  return "";
}

void WriteEnumerations(std::ostream& out) {
  for (const Enumeration& enumeration : Enumerations()) {
    out << "  typedef enum " << enumeration.name << " {\n";
    for (std::size_t i = 0; i < enumeration.constants.size(); ++i) {
      const Constant& constant = enumeration.constants[i];
      out << "    " << constant.name << " = " << constant.value
          << (i + 1 < enumeration.constants.size() ? ",\n" : "\n");
    }
    out << "  } " << enumeration.name << ";\n\n";
  }
}

void WriteInterface(std::ostream& out, const ClassInfo& info) {
  out << "  [uuid(" << Uuid(info.iid) << "), hidden, dual, nonextensible, oleautomation]\n"
      << "  interface " << info.InterfaceName() << " : IDispatch {\n";
  for (const Member& member : info.members)
    out << "    " << IdlMember(member);
  out << "  };\n\n";
  // Earlier identifiers of the same interface, which the objects still answer.
  for (std::size_t i = 0; i < info.earlier_iids.size(); ++i) {
    out << "  typedef [uuid(" << Uuid(info.earlier_iids[i]) << "), public] " << info.InterfaceName()
        << " " << info.InterfaceName() << "_v" << i << ";\n\n";
  }
}

void WriteEvents(std::ostream& out, const EventInterface& events) {
  out << "  [uuid(" << Uuid(events.iid) << "), hidden]\n"
      << "  dispinterface " << events.name << " {\n    properties:\n    methods:\n";
  for (const EventMember& event : events.members)
    out << "      [id(" << IdText(event.dispid) << ")] void " << event.name << "();\n";
  out << "  };\n\n";
}

void WriteCoclass(std::ostream& out, const ClassInfo& info) {
  out << "  [uuid(" << Uuid(info.clsid) << ")]\n  coclass " << info.name << " {\n"
      << "    [default] interface " << info.InterfaceName() << ";\n";
  if (info.events) out << "    [default, source] dispinterface " << info.events->name << ";\n";
  out << "  };\n\n";
}

// ---- the listing ----

std::string ParamFlagsText(bool in, bool out, bool optional, bool retval, const Variant* fallback) {
  std::string text;
  const auto add = [&](bool present, std::string_view flag) {
    if (!present) return;
    if (!text.empty()) text += ", ";
    text += flag;
  };
  add(in, "in");
  add(out, "out");
  add(optional, "optional");
  add(retval, "retval");
  if (fallback) add(true, "default " + DefaultText(*fallback));
  return "[" + text + "]";
}

std::string ListedParams(const Member& member) {
  std::string text;
  for (const Param& param : member.params) {
    const bool has_default = param.optional && !param.default_value.IsMissing();
    text += (text.empty() ? "" : ", ") +
            ParamFlagsText(true, param.by_ref, param.optional, false,
                           has_default ? &param.default_value : nullptr) +
            " " + IdlTypeName(param.type, param.object_class) + (param.by_ref ? "*" : "");
  }
  if (member.result != ParamType::Void) {
    text += (text.empty() ? "" : ", ") + ParamFlagsText(false, true, false, true, nullptr) + " " +
            IdlTypeName(member.result, member.result_class) + "*";
  }
  return "(" + text + ")";
}

// The names the type library keeps for a member: its own and its
// parameters', the result's "RHS" too, a put's value excepted.
std::string ListedNames(const Member& member) {
  std::string text = member.name;
  std::vector<std::string_view> names;
  for (const Param& param : member.params) names.push_back(param.name);
  if (member.kind == MemberKind::Let || member.kind == MemberKind::Set) names.pop_back();
  if (member.result != ParamType::Void) names.push_back("RHS");
  for (std::size_t i = 0; i < names.size(); ++i) text += (i == 0 ? " " : ", ") + std::string(names[i]);
  return text;
}

std::string_view ListedKind(MemberKind kind) {
  return kind == MemberKind::Method ? "method" : PropertyAttribute(kind);
}

void ListInterface(std::ostream& out, const ClassInfo& info) {
  out << "interface " << info.InterfaceName() << " " << info.iid.ToString()
      << " hidden dual nonextensible oleautomation " << Quoted(info.help) << "\n";
  for (std::size_t slot = 0; slot < info.members.size(); ++slot) {
    const Member& member = info.members[slot];
    const Member& first = *std::find_if(info.members.begin(), info.members.end(),
                                        [&](const Member& m) { return m.dispid == member.dispid; });
    out << "  " << slot << " " << IdText(member.dispid) << " " << ListedKind(member.kind)
        << (member.hidden ? " hidden restricted" : "") << " " << ListedParams(member) << " "
        << ListedNames(first) << " " << Quoted(first.help) << "\n";
  }
}

}  // namespace

std::string TypeLibraryListing() {
  const TypeLibraryInfo& library = TypeLibrary();
  const auto& classes = CreatableClasses();
  std::ostringstream out;
  out << "library " << library.name << " " << library.guid.ToString() << " " << library.major
      << "." << library.minor << " " << IdText(library.lcid) << " " << Quoted(library.help)
      << "\n";
  for (const Enumeration& enumeration : Enumerations()) {
    out << "enum " << enumeration.name << " " << Quoted(enumeration.help) << "\n";
    for (const Constant& constant : enumeration.constants)
      out << "  " << constant.name << " = " << constant.value << " " << Quoted(constant.help) << "\n";
  }
  for (const ClassInfo* info : classes) ListInterface(out, *info);
  for (const ClassInfo* info : classes) {
    for (std::size_t i = 0; i < info->earlier_iids.size(); ++i) {
      out << "alias " << info->InterfaceName() << "_v" << i << " " << info->earlier_iids[i].ToString()
          << " = " << info->InterfaceName() << "\n";
    }
  }
  for (const ClassInfo* info : classes) {
    if (!info->events) continue;
    out << "dispinterface " << info->events->name << " " << info->events->iid.ToString()
        << " hidden\n";
    for (const EventMember& event : info->events->members)
      out << "  " << IdText(event.dispid) << " method " << event.name << " " << Quoted(event.help)
          << "\n";
  }
  for (const ClassInfo* info : classes) {
    out << "coclass " << info->name << " " << info->clsid.ToString() << " cancreate "
        << Quoted(info->help) << "\n  default " << info->InterfaceName() << "\n";
    if (info->events) out << "  default source " << info->events->name << "\n";
  }
  return out.str();
}

std::string IdlTypeName(ParamType type, std::string_view object_class) {
  switch (type) {
    case ParamType::Void:
      return "void";
    case ParamType::Variant:
      return "VARIANT";
    case ParamType::Text:
      return "BSTR";
    case ParamType::I4:
      return "long";
    case ParamType::I2:
      return "short";
    case ParamType::Bool:
      return "VARIANT_BOOL";
    case ParamType::Single:
      return "float";
    case ParamType::Double:
      return "double";
    case ParamType::Currency:
      return "CURRENCY";
    case ParamType::Date:
      return "DATE";
    case ParamType::Object:
      return InTypeLibrary(object_class) ? "_" + std::string(object_class) + "*" : "IDispatch*";
    case ParamType::Unknown:
      return "IUnknown*";
  }
  return "VARIANT";
}

std::string IdlMember(const Member& member) {
  const std::string_view property = PropertyAttribute(member.kind);
  std::string line =
      "[id(" + IdText(member.dispid) + ")" + (property.empty() ? "" : ", " + std::string(property)) +
      (member.hidden ? ", hidden, restricted" : "") + "] HRESULT " + member.name + "(";
  std::string params;
  for (const Param& param : member.params) {
    if (!params.empty()) params += ", ";
    params += ParamText(param);
  }
  if (member.result != ParamType::Void) {
    if (!params.empty()) params += ", ";
    params += "[out, retval] " + IdlTypeName(member.result, member.result_class) + "* RHS";
  }
  return line + params + ");\n";
}

std::string TypeLibraryIdl() {
  const TypeLibraryInfo& library = TypeLibrary();
  const auto& classes = CreatableClasses();
  std::ostringstream out;
  out << "// Written by lombar_idl from the library's class tables; do not edit.\n"
      << "import \"oaidl.idl\";\n\n[\n  uuid(" << Uuid(library.guid) << "),\n  version("
      << library.major << "." << library.minor << "),\n  lcid(0x" << std::hex << library.lcid
      << std::dec << ")\n]\n"
      << "library " << library.name << "\n{\n  importlib(\"stdole2.tlb\");\n\n";
  // Members name each other's interfaces before they are defined.
  for (const ClassInfo* info : classes)
    out << "  interface " << info->InterfaceName() << ";\n";
  out << "\n";
  WriteEnumerations(out);
  for (const ClassInfo* info : classes)
    WriteInterface(out, *info);
  for (const ClassInfo* info : classes) {
    if (info->events) WriteEvents(out, *info->events);
  }
  for (const ClassInfo* info : classes)
    WriteCoclass(out, *info);
  out << "};\n";
  return out.str();
}

}  // namespace lombar
