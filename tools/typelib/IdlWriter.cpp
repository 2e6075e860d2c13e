#include "IdlWriter.h"

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
  // A type library holds no default behind a reference: such a parameter is
  // only optional there, and the dispatcher gives it its default.
  const bool has_default = param.optional && !param.default_value.IsMissing();
  if (has_default && !param.by_ref) {
    attributes += ", defaultvalue(" + DefaultText(param.default_value) + ")";
  } else if (param.optional) {
    attributes += ", optional";
  }
  return "[" + attributes + "] " + IdlTypeName(param.type, param.object_class) +
         (param.by_ref ? "* " : " ") + param.name;
}

std::string_view KindAttribute(MemberKind kind) {
  switch (kind) {
    case MemberKind::Get:
      return ", propget";
    case MemberKind::Let:
      return ", propput";
    case MemberKind::Set:
      return ", propputref";
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

}  // namespace

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
  std::string line =
      "[id(" + IdText(member.dispid) + ")" + std::string(KindAttribute(member.kind)) +
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
