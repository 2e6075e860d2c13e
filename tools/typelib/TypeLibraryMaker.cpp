// Writes the type library file (.tlb) of the Windows build from the class
// tables, through the system's ICreateTypeLib2. The IDL compiler cannot say
// everything the tables do: it refuses a default on a by-reference text
// (`[in, out, optional] BSTR* xsMCLdir = "JOBBER"`) and a help text on an
// enumeration constant. The build runs this program under Wine; the library
// embeds what it writes. Usage: lombar_typelib FILE.tlb
#include <windows.h>

#include <oleauto.h>
#include <wrl/client.h>

#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "frame/TypeLibrary.h"
#include "frame/windows/ComValues.h"
#include "model/ClassTable.h"

using Microsoft::WRL::ComPtr;

namespace lombar {
namespace {

void Check(HRESULT result, const std::string& what) {
  if (FAILED(result)) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    throw std::runtime_error(what + " failed with " + code);
  }
}

// A text as the calls that take an LPOLESTR want it.
class Wide {
 public:
  explicit Wide(std::string_view text) : text_(WideFromUtf8(text)) {}
  LPOLESTR Get() { return text_.data(); }

 private:
  std::wstring text_;
};

// IUnknown's and IDispatch's seven entries come before a dual interface's own members.
constexpr int kDispatchSlots = 7;

class Maker {
 public:
  explicit Maker(const wchar_t* path) {
    Check(CreateTypeLib2(SYS_WIN64, path, &library_), "CreateTypeLib2");
    ComPtr<ITypeLib> stdole;
    Check(LoadTypeLib(L"stdole2.tlb", &stdole), "loading stdole2.tlb");
    Check(stdole->GetTypeInfoOfGuid(IID_IDispatch, &dispatch_), "finding IDispatch");
  }

  void Write() {
    const TypeLibraryInfo& identity = TypeLibrary();
    Check(library_->SetName(Wide(identity.name).Get()), "SetName");
    Check(library_->SetGuid(ComGuid(identity.guid)), "SetGuid");
    Check(library_->SetVersion(identity.major, identity.minor), "SetVersion");
    Check(library_->SetLcid(static_cast<LCID>(identity.lcid)), "SetLcid");
    Check(library_->SetDocString(Wide(identity.help).Get()), "SetDocString");
    for (const Enumeration& enumeration : Enumerations()) AddEnumeration(enumeration);
    // Every interface exists before any member names one.
    for (const ClassInfo* info : CreatableClasses()) DeclareInterface(*info);
    for (const ClassInfo* info : CreatableClasses()) DefineInterface(*info);
    for (const ClassInfo* info : CreatableClasses()) AddEarlierInterfaces(*info);
    for (const ClassInfo* info : CreatableClasses()) {
      if (info->events) AddEvents(*info->events);
    }
    for (const ClassInfo* info : CreatableClasses()) AddCoclass(*info);
    for (const ComPtr<ICreateTypeInfo>& type : made_) Check(type->LayOut(), "LayOut");
    Check(library_->SaveAllChanges(), "SaveAllChanges");
  }

 private:
  ComPtr<ICreateTypeInfo> Create(std::string_view name, TYPEKIND kind, std::string_view help) {
    ComPtr<ICreateTypeInfo> type;
    Check(library_->CreateTypeInfo(Wide(name).Get(), kind, &type), "CreateTypeInfo " + std::string(name));
    if (!help.empty()) Check(type->SetDocString(Wide(help).Get()), "SetDocString");
    made_.push_back(type);
    return type;
  }

  // A reference from `from` to another type of the library, or IDispatch.
  HREFTYPE Reference(ICreateTypeInfo* from, ITypeInfo* to) {
    HREFTYPE reference = 0;
    Check(from->AddRefTypeInfo(to, &reference), "AddRefTypeInfo");
    return reference;
  }
  HREFTYPE InterfaceReference(ICreateTypeInfo* from, std::string_view class_name) {
    ComPtr<ITypeInfo> target;
    Check(interfaces_.at(std::string(class_name)).As(&target), "ITypeInfo of an interface");
    return Reference(from, target.Get());
  }
  void InheritDispatch(ICreateTypeInfo* type) {
    Check(type->AddImplType(0, Reference(type, dispatch_.Get())), "AddImplType IDispatch");
  }

  void AddEnumeration(const Enumeration& enumeration) {
    const ComPtr<ICreateTypeInfo> type = Create(enumeration.name, TKIND_ENUM, enumeration.help);
    for (UINT i = 0; i < enumeration.constants.size(); ++i) {
      const Constant& constant = enumeration.constants[i];
      VARIANT value;
      V_VT(&value) = VT_I4;
      V_I4(&value) = constant.value;
      VARDESC description{};
      description.memid = 0x40000000 + static_cast<MEMBERID>(i);
      description.lpvarValue = &value;
      description.elemdescVar.tdesc.vt = VT_I4;
      description.varkind = VAR_CONST;
      Check(type->AddVarDesc(i, &description), "AddVarDesc");
      Check(type->SetVarName(i, Wide(constant.name).Get()), "SetVarName");
      if (!constant.help.empty()) {
        Check(type->SetVarDocString(i, Wide(constant.help).Get()), "SetVarDocString");
      }
    }
  }

  void DeclareInterface(const ClassInfo& info) {
    const ComPtr<ICreateTypeInfo> type = Create(info.InterfaceName(), TKIND_INTERFACE, info.help);
    Check(type->SetGuid(ComGuid(info.iid)), "SetGuid");
    Check(type->SetTypeFlags(TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE |
                             TYPEFLAG_FOLEAUTOMATION),
          "SetTypeFlags");
    InheritDispatch(type.Get());
    interfaces_[info.name] = type;
  }

  // The type of a parameter or result as the type library holds it; `held`
  // keeps the descriptions it points to.
  TYPEDESC TypeOf(ICreateTypeInfo* type, ParamType declared, std::string_view object_class,
                  std::vector<std::unique_ptr<TYPEDESC>>& held) {
    TYPEDESC description{};
    switch (declared) {
      case ParamType::Void: description.vt = VT_VOID; break;
      case ParamType::Variant: description.vt = VT_VARIANT; break;
      case ParamType::Text: description.vt = VT_BSTR; break;
      case ParamType::I4: description.vt = VT_I4; break;
      case ParamType::I2: description.vt = VT_I2; break;
      case ParamType::Bool: description.vt = VT_BOOL; break;
      case ParamType::Single: description.vt = VT_R4; break;
      case ParamType::Double: description.vt = VT_R8; break;
      case ParamType::Currency: description.vt = VT_CY; break;
      case ParamType::Date: description.vt = VT_DATE; break;
      case ParamType::Unknown: description.vt = VT_UNKNOWN; break;
      case ParamType::Object:
        if (object_class.empty() || !interfaces_.contains(std::string(object_class))) {
          description.vt = VT_DISPATCH;
          break;
        }
        held.push_back(std::make_unique<TYPEDESC>());
        held.back()->vt = VT_USERDEFINED;
        held.back()->hreftype = InterfaceReference(type, object_class);
        description.vt = VT_PTR;
        description.lptdesc = held.back().get();
        break;
    }
    return description;
  }
  TYPEDESC PointerTo(TYPEDESC pointed, std::vector<std::unique_ptr<TYPEDESC>>& held) {
    held.push_back(std::make_unique<TYPEDESC>(pointed));
    TYPEDESC pointer{};
    pointer.vt = VT_PTR;
    pointer.lptdesc = held.back().get();
    return pointer;
  }

  static INVOKEKIND InvokeKind(MemberKind kind) {
    switch (kind) {
      case MemberKind::Get: return INVOKE_PROPERTYGET;
      case MemberKind::Let: return INVOKE_PROPERTYPUT;
      case MemberKind::Set: return INVOKE_PROPERTYPUTREF;
      case MemberKind::Method: break;
    }
    return INVOKE_FUNC;
  }

  void AddMember(ICreateTypeInfo* type, UINT slot, const Member& member) {
    std::vector<std::unique_ptr<TYPEDESC>> held;
    std::vector<ELEMDESC> params(member.params.size() + (member.result != ParamType::Void));
    std::vector<std::unique_ptr<PARAMDESCEX>> defaults;
    std::vector<std::string> names = {member.name};
    for (std::size_t i = 0; i < member.params.size(); ++i) {
      const Param& param = member.params[i];
      ELEMDESC& element = params[i];
      element.tdesc = TypeOf(type, param.type, param.object_class, held);
      if (param.by_ref) element.tdesc = PointerTo(element.tdesc, held);
      USHORT flags = PARAMFLAG_FIN | (param.by_ref ? PARAMFLAG_FOUT : 0);
      if (param.optional) flags |= PARAMFLAG_FOPT;
      if (param.optional && !param.default_value.IsMissing()) {
        flags |= PARAMFLAG_FHASDEFAULT;
        defaults.push_back(std::make_unique<PARAMDESCEX>());
        defaults.back()->cBytes = sizeof(PARAMDESCEX);
        ToVariant(param.default_value, defaults.back()->varDefaultValue);
        element.paramdesc.pparamdescex = defaults.back().get();
      }
      element.paramdesc.wParamFlags = flags;
      names.push_back(param.name);
    }
    if (member.result != ParamType::Void) {
      ELEMDESC& result = params.back();
      result.tdesc = PointerTo(TypeOf(type, member.result, member.result_class, held), held);
      result.paramdesc.wParamFlags = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
      names.push_back("RHS");
    }
    FUNCDESC description{};
    description.memid = member.dispid;
    description.funckind = FUNC_PUREVIRTUAL;
    description.invkind = InvokeKind(member.kind);
    description.callconv = CC_STDCALL;
    description.cParams = static_cast<SHORT>(params.size());
    description.lprgelemdescParam = params.data();
    description.oVft = static_cast<SHORT>((kDispatchSlots + slot) * sizeof(void*));
    description.elemdescFunc.tdesc.vt = VT_HRESULT;
    if (member.hidden) description.wFuncFlags = FUNCFLAG_FHIDDEN | FUNCFLAG_FRESTRICTED;
    Check(type->AddFuncDesc(slot, &description), "AddFuncDesc " + member.name);
    for (auto& default_value : defaults) VariantClear(&default_value->varDefaultValue);
    std::vector<Wide> wide(names.begin(), names.end());
    std::vector<LPOLESTR> pointers;
    for (Wide& name : wide) pointers.push_back(name.Get());
    // A property put's value is named by no one: the type library keeps no name for it.
    const UINT count = static_cast<UINT>(pointers.size()) -
                       (member.kind == MemberKind::Let || member.kind == MemberKind::Set);
    Check(type->SetFuncAndParamNames(slot, pointers.data(), count), "names of " + member.name);
    if (!member.help.empty()) {
      Check(type->SetFuncDocString(slot, Wide(member.help).Get()), "SetFuncDocString");
    }
  }

  void DefineInterface(const ClassInfo& info) {
    ICreateTypeInfo* type = interfaces_.at(info.name).Get();
    for (UINT slot = 0; slot < info.members.size(); ++slot) AddMember(type, slot, info.members[slot]);
  }

  // Earlier identifiers of the same interface, which the objects still answer.
  void AddEarlierInterfaces(const ClassInfo& info) {
    for (std::size_t i = 0; i < info.earlier_iids.size(); ++i) {
      const ComPtr<ICreateTypeInfo> alias =
          Create(info.InterfaceName() + "_v" + std::to_string(i), TKIND_ALIAS, {});
      Check(alias->SetGuid(ComGuid(info.earlier_iids[i])), "SetGuid");
      TYPEDESC aliased{};
      aliased.vt = VT_USERDEFINED;
      aliased.hreftype = InterfaceReference(alias.Get(), info.name);
      Check(alias->SetTypeDescAlias(&aliased), "SetTypeDescAlias");
    }
  }

  void AddEvents(const EventInterface& events) {
    const ComPtr<ICreateTypeInfo> type = Create(events.name, TKIND_DISPATCH, {});
    Check(type->SetGuid(ComGuid(events.iid)), "SetGuid");
    Check(type->SetTypeFlags(TYPEFLAG_FHIDDEN), "SetTypeFlags");
    InheritDispatch(type.Get());
    for (UINT i = 0; i < events.members.size(); ++i) {
      const EventMember& event = events.members[i];
      FUNCDESC description{};
      description.memid = event.dispid;
      description.funckind = FUNC_DISPATCH;
      description.invkind = INVOKE_FUNC;
      description.callconv = CC_STDCALL;
      description.elemdescFunc.tdesc.vt = VT_VOID;
      Check(type->AddFuncDesc(i, &description), "AddFuncDesc " + event.name);
      Wide name(event.name);
      LPOLESTR names[] = {name.Get()};
      Check(type->SetFuncAndParamNames(i, names, 1), "names of " + event.name);
      if (!event.help.empty()) Check(type->SetFuncDocString(i, Wide(event.help).Get()), "help");
    }
    events_[events.name] = type;
  }

  void AddCoclass(const ClassInfo& info) {
    const ComPtr<ICreateTypeInfo> type = Create(info.name, TKIND_COCLASS, info.help);
    Check(type->SetGuid(ComGuid(info.clsid)), "SetGuid");
    Check(type->SetTypeFlags(TYPEFLAG_FCANCREATE), "SetTypeFlags");
    Check(type->AddImplType(0, InterfaceReference(type.Get(), info.name)), "AddImplType");
    Check(type->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT), "SetImplTypeFlags");
    if (!info.events) return;
    ComPtr<ITypeInfo> events;
    Check(events_.at(info.events->name).As(&events), "ITypeInfo of the events");
    Check(type->AddImplType(1, Reference(type.Get(), events.Get())), "AddImplType events");
    Check(type->SetImplTypeFlags(1, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE),
          "SetImplTypeFlags");
  }

  ComPtr<ICreateTypeLib2> library_;
  ComPtr<ITypeInfo> dispatch_;
  std::map<std::string, ComPtr<ICreateTypeInfo>> interfaces_;  // by class name
  std::map<std::string, ComPtr<ICreateTypeInfo>> events_;      // by interface name
  std::vector<ComPtr<ICreateTypeInfo>> made_;                  // in the library's order
};

}  // namespace
}  // namespace lombar

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: lombar_typelib FILE.tlb\n", stderr);
    return 2;
  }
  lombar::RegisterModelClasses();
  if (FAILED(CoInitialize(nullptr))) return 1;
  int status = 0;
  try {
    lombar::Maker(lombar::WideFromUtf8(argv[1]).c_str()).Write();
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "lombar_typelib: %s\n", failure.what());
    status = 1;
  }
  CoUninitialize();
  return status;
}
