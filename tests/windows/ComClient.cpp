// A C++ automation client of the COM server, run under Wine by
// scripts/test-windows: objects made by ProgID, members called by name
// through IDispatch and through the default interfaces' tables (declared by
// widl from the same IDL), type and class information from the embedded type
// library, error information, enumeration, and CountChanged through a
// connection point (scripts cannot receive events there). Given a file
// name, it also writes there the listing of the whole type library as
// ITypeInfo shows it, which must match the one the Linux build writes from
// its class tables (lombar_idl --listing). Prints "N passed, M failed" and
// exits with M.
#include <objbase.h>
#include <ocidl.h>
#include <oleauto.h>
#include <olectl.h>
#include <wrl/client.h>

#include "qorLOMBARv3.h"

#include <cstdio>
#include <cwchar>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using Microsoft::WRL::ComPtr;

// COM interfaces have no virtual destructor by design.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace {

int passed = 0;
int failed = 0;

void Check(bool ok, const char* what) {
  (ok ? passed : failed)++;
  std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
}

// An owned VARIANT.
class Value {
 public:
  Value() { VariantInit(&value_); }
  explicit Value(const wchar_t* text) : Value() {
    V_VT(&value_) = VT_BSTR;
    V_BSTR(&value_) = SysAllocString(text);
  }
  explicit Value(long number) : Value() {
    V_VT(&value_) = VT_I4;
    V_I4(&value_) = number;
  }
  explicit Value(IDispatch* object) : Value() {
    V_VT(&value_) = VT_DISPATCH;
    V_DISPATCH(&value_) = object;
    object->AddRef();
  }
  ~Value() { VariantClear(&value_); }
  Value(const Value&) = delete;
  Value& operator=(const Value&) = delete;

  VARIANT* operator&() { return &value_; }
  const VARIANT& Get() const { return value_; }
  long Number() const { return V_VT(&value_) == VT_I4 ? V_I4(&value_) : -1; }
  IDispatch* Object() const { return V_VT(&value_) == VT_DISPATCH ? V_DISPATCH(&value_) : nullptr; }

 private:
  VARIANT value_;
};

struct Outcome {
  HRESULT code = S_OK;
  EXCEPINFO error{};
  ~Outcome() {
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrDescription);
  }
};

DISPID IdOf(IDispatch* object, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

// Calls member `id` with arguments in declared order (automation takes them last first).
void Invoke(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT*> args, VARIANT* result,
            Outcome& outcome) {
  std::vector<VARIANT> reversed;
  for (auto arg = args.rbegin(); arg != args.rend(); ++arg)
    reversed.push_back(**arg);
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  outcome.code = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                &outcome.error, nullptr);
}

HRESULT Call(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT*> args,
             VARIANT* result = nullptr) {
  Outcome outcome;
  Invoke(object, IdOf(object, name), flags, std::move(args), result, outcome);
  return outcome.code;
}

// An object of the class `progid` names, asked for `Interface` (by default
// the IDispatch late-bound clients use).
template <class Interface = IDispatch>
ComPtr<Interface> Create(const wchar_t* progid) {
  CLSID clsid{};
  ComPtr<Interface> object;
  if (SUCCEEDED(CLSIDFromProgID(progid, &clsid))) {
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Interface),
                     reinterpret_cast<void**>(object.GetAddressOf()));
  }
  return object;
}

// Counts the events it receives, by dispatch id.
class CountingSink final : public IDispatch {
 public:
  explicit CountingSink(IID events) : events_(events) {}
  virtual ~CountingSink() = default;
  int count_changed = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == events_) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives on the stack
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    if (id == 1 && params->cArgs == 0) ++count_changed;
    return S_OK;
  }

 private:
  IID events_;
  ULONG references_ = 1;
};

// An owned BSTR.
class Text {
 public:
  explicit Text(const wchar_t* text = nullptr) : text_(text ? SysAllocString(text) : nullptr) {}
  ~Text() { SysFreeString(text_); }
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  BSTR* operator&() { return &text_; }
  operator BSTR() const { return text_; }
  std::wstring Str() const { return text_ ? std::wstring(text_, SysStringLen(text_)) : L""; }

 private:
  BSTR text_;
};

std::string Utf8(const wchar_t* text) {
  if (!text) return "";
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string converted(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, converted.data(), size, nullptr, nullptr);
  return converted;
}

// The name and help text of a member (MEMBERID_NIL: of the type).
std::pair<std::string, std::string> Documentation(ITypeInfo* info, MEMBERID id) {
  Text name, help;
  info->GetDocumentation(id, &name, &help, nullptr, nullptr);
  return {Utf8(name), Utf8(help)};
}

GUID GuidOf(ITypeInfo* info) {
  TYPEATTR* attributes = nullptr;
  GUID guid{};
  if (SUCCEEDED(info->GetTypeAttr(&attributes))) {
    guid = attributes->guid;
    info->ReleaseTypeAttr(attributes);
  }
  return guid;
}

// The class information an object gives, or null.
ComPtr<ITypeInfo> ClassInfoOf(IDispatch* object) {
  ComPtr<IProvideClassInfo> provider;
  ComPtr<ITypeInfo> info;
  if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(provider.GetAddressOf()))))
    provider->GetClassInfo(&info);
  return info;
}

// The outgoing interface the class's type information names.
IID SourceInterfaceOf(ITypeInfo* coclass) {
  TYPEATTR* attributes = nullptr;
  IID events{};
  if (!coclass || FAILED(coclass->GetTypeAttr(&attributes))) return events;
  for (UINT i = 0; i < attributes->cImplTypes; ++i) {
    INT flags = 0;
    HREFTYPE reference = 0;
    ComPtr<ITypeInfo> implemented;
    if (SUCCEEDED(coclass->GetImplTypeFlags(i, &flags)) && (flags & IMPLTYPEFLAG_FSOURCE) &&
        SUCCEEDED(coclass->GetRefTypeOfImplType(i, &reference)) &&
        SUCCEEDED(coclass->GetRefTypeInfo(reference, &implemented))) {
      events = GuidOf(implemented.Get());
    }
  }
  coclass->ReleaseTypeAttr(attributes);
  return events;
}

void CheckTypeInformation(IDispatch* items) {
  CLSID clsid{};
  CLSIDFromProgID(L"qorkwz_LOMBARv3.ICatItemCol", &clsid);
  ComPtr<ITypeInfo> interface_info;
  Check(SUCCEEDED(items->GetTypeInfo(0, LOCALE_USER_DEFAULT, &interface_info)) &&
            Documentation(interface_info.Get(), MEMBERID_NIL).first == "_ICatItemCol",
        "type information names the default interface");
  const ComPtr<ITypeInfo> class_info = ClassInfoOf(items);
  Check(class_info && GuidOf(class_info.Get()) == clsid,
        "class information carries the class id the ProgID names");
  Check(IdOf(items, L"count") == 0x68030000 && IdOf(items, L"NewEnum") == DISPID_NEWENUM,
        "dispatch ids by name in any letter case");
  DISPID unknown = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
  Check(items->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &unknown) ==
                DISP_E_UNKNOWNNAME &&
            unknown == DISPID_UNKNOWN,
        "an unknown name is DISP_E_UNKNOWNNAME");
}

void CheckEvents(IDispatch* items, IDispatch* item) {
  const IID events = SourceInterfaceOf(ClassInfoOf(items).Get());
  ComPtr<IConnectionPointContainer> container;
  ComPtr<IConnectionPoint> point;
  const bool found = SUCCEEDED(items->QueryInterface(IID_PPV_ARGS(container.GetAddressOf()))) &&
                     SUCCEEDED(container->FindConnectionPoint(events, &point));
  Check(found, "the item collection has a connection point for its event interface");
  if (!found) return;
  ComPtr<IEnumConnectionPoints> points;
  ComPtr<IConnectionPoint> listed, past_end;
  IID listed_interface{};
  Check(SUCCEEDED(container->EnumConnectionPoints(&points)) &&
            points->Next(1, &listed, nullptr) == S_OK &&
            SUCCEEDED(listed->GetConnectionInterface(&listed_interface)) &&
            listed_interface == events && points->Next(1, &past_end, nullptr) == S_FALSE,
        "the container lists that one connection point");
  CountingSink sink(events);
  DWORD cookie = 0;
  Check(SUCCEEDED(point->Advise(&sink, &cookie)) && cookie != 0, "a sink connects");
  ComPtr<IEnumConnections> connections;
  CONNECTDATA connection{};
  const bool listed_sink = SUCCEEDED(point->EnumConnections(&connections)) &&
                           connections->Next(1, &connection, nullptr) == S_OK;
  Check(listed_sink && connection.dwCookie == cookie &&
            connection.pUnk == static_cast<IDispatch*>(&sink) &&
            connections->Next(1, &connection, nullptr) == S_FALSE,
        "the connection point lists the sink with its cookie");
  if (listed_sink) connection.pUnk->Release();
  Value object(item), first(L"K1"), again(L"K1"), second(L"K2"), third(L"K3");
  Call(items, L"Add", DISPATCH_METHOD, {&object, &first});
  Call(items, L"Add", DISPATCH_METHOD, {&object, &again});  // a key already held adds nothing
  Call(items, L"Add", DISPATCH_METHOD, {&object, &second});
  Check(sink.count_changed == 2, "CountChanged fires once per member added");
  Check(SUCCEEDED(point->Unadvise(cookie)), "the sink disconnects");
  Call(items, L"Add", DISPATCH_METHOD, {&object, &third});
  Check(sink.count_changed == 2, "a disconnected sink hears nothing");
  Check(point->Unadvise(cookie) == CONNECT_E_NOCONNECTION, "a cookie disconnects once");
}

void CheckEnumeration(IDispatch* items, IDispatch* item) {
  Value enumerator;
  Outcome outcome;
  Invoke(items, DISPID_NEWENUM, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, &enumerator, outcome);
  ComPtr<IEnumVARIANT> walker;
  const bool got =
      SUCCEEDED(outcome.code) && V_VT(&enumerator.Get()) == VT_UNKNOWN &&
      SUCCEEDED(V_UNKNOWN(&enumerator.Get())->QueryInterface(IID_PPV_ARGS(walker.GetAddressOf())));
  Check(got, "NewEnum gives an IEnumVARIANT");
  if (!got) return;
  ComPtr<IUnknown> expected;
  item->QueryInterface(IID_PPV_ARGS(expected.GetAddressOf()));
  int members = 0, same = 0;
  for (Value member; walker->Next(1, &member, nullptr) == S_OK; VariantClear(&member)) {
    ++members;
    ComPtr<IUnknown> identity;
    if (member.Object() &&
        SUCCEEDED(member.Object()->QueryInterface(IID_PPV_ARGS(identity.GetAddressOf())))) {
      same += identity == expected;
    }
  }
  Value count;
  Call(items, L"Count", DISPATCH_PROPERTYGET, {}, &count);
  Check(members == 3 && count.Number() == 3, "the enumerator walks every member");
  Check(same == 3, "members come back as the same COM object the client added");
  Check(walker->Reset() == S_OK && walker->Skip(3) == S_OK && walker->Skip(1) == S_FALSE,
        "Reset and Skip");
}

void CheckErrors(IDispatch* items) {
  ComPtr<IDispatch> stores = Create(L"qorkwz_LOMBARv3.ICatStoreCol");
  Value position(99L);
  Outcome outcome;
  Invoke(stores.Get(), 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {&position}, nullptr, outcome);
  const std::wstring description =
      outcome.error.bstrDescription ? outcome.error.bstrDescription : L"";
  Check(outcome.code == DISP_E_EXCEPTION && outcome.error.scode == static_cast<SCODE>(0x800A0009) &&
            description.find(L"Subscript out of range") != std::wstring::npos,
        "a raised error reaches the client as its number and description");
  ComPtr<IErrorInfo> info;
  BSTR from_object = nullptr;
  Check(GetErrorInfo(0, &info) == S_OK && SUCCEEDED(info->GetDescription(&from_object)) &&
            description == (from_object ? from_object : L""),
        "the error object carries the same description");
  SysFreeString(from_object);
  ComPtr<ISupportErrorInfo> supports;
  Check(SUCCEEDED(stores->QueryInterface(IID_PPV_ARGS(supports.GetAddressOf()))) &&
            supports->InterfaceSupportsErrorInfo(IID_IDispatch) == S_OK,
        "the object says it supports error information");
  Check(Call(items, L"Add", DISPATCH_METHOD, {}) == DISP_E_BADPARAMCOUNT,
        "a call without its arguments is DISP_E_BADPARAMCOUNT");
  Check(Call(items, L"Count", DISPATCH_PROPERTYPUT, {&position}) == DISP_E_MEMBERNOTFOUND,
        "assigning a read-only property is DISP_E_MEMBERNOTFOUND");
}

// Arguments by name, as Basic hosts pass `prices.Add ..., sKey:=key`: the
// named ones first in DISPPARAMS with their parameter positions, then the
// positional ones last first.
void CheckNamedArguments() {
  ComPtr<IDispatch> prices = Create(L"qorkwz_LOMBARv3.ICatPriceCol");
  if (!prices) return Check(false, "a price collection is made");
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"Add"), const_cast<LPOLESTR>(L"skey"),
                      const_cast<LPOLESTR>(L"NoSuchParameter")};
  DISPID ids[3] = {};
  Check(prices->GetIDsOfNames(IID_NULL, names, 3, LOCALE_USER_DEFAULT, ids) == DISP_E_UNKNOWNNAME &&
            ids[0] == 0x60030002 && ids[1] == 6 && ids[2] == DISPID_UNKNOWN,
        "parameter names have their positions as ids");

  Value key(L"");
  Value directory(L"D7"), location(L""), seller(L""), available(L"6"), cost(L"1.25"), list(L"2.50");
  VARIANT by_reference;
  V_VT(&by_reference) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&by_reference) = &key;
  // sKey by name, then xsList ... xsMCLdir last first.
  VARIANT arguments[] = {by_reference, list.Get(),     cost.Get(),     available.Get(),
                         seller.Get(), location.Get(), directory.Get()};
  DISPID named[] = {6};
  DISPPARAMS params{arguments, named, 7, 1};
  Check(prices->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                       nullptr, nullptr) == S_OK &&
            V_VT(&key.Get()) == VT_BSTR && std::wstring(V_BSTR(&key.Get())) == L"D7",
        "a by-reference argument passed by name receives its value");
  DISPID twice[] = {6, 6};
  DISPPARAMS repeated{arguments, twice, 7, 2};
  Check(prices->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &repeated, nullptr,
                       nullptr, nullptr) == DISP_E_PARAMNOTFOUND,
        "a parameter named twice is DISP_E_PARAMNOTFOUND");
}

// Calls through the default interfaces' tables, as early-bound clients make
// them: texts, a float in a register, seven arguments (the last ones on the
// stack), by-reference texts and objects, results of every kind, and errors
// as the call's code.
void CheckDualInterfaces() {
  ComPtr<_ICatItemCol> items = Create<_ICatItemCol>(L"qorkwz_LOMBARv3.ICatItemCol");
  ComPtr<_ICatItem> item = Create<_ICatItem>(L"qorkwz_LOMBARv3.ICatItem");
  ComPtr<_ICatProvider> provider = Create<_ICatProvider>(L"qorkwz_LOMBARv3.ICatProvider");
  Check(items && item && provider, "objects are made for their default interfaces");
  if (!items || !item || !provider) return;

  Text line(L"FLT"), number(L"PF15838"), key;
  item->put_LineCode(line);
  item->put_ItemNumber(number);
  Check(item->UniqueKey(&key) == S_OK && key.Str() == L"FLTPF15838", "texts in and out");
  _ICatItem* passed_item = item.Get();
  passed_item->AddRef();
  ComPtr<_ICatItem> added;
  long count = 0;
  Check(items->Add(&passed_item, key, &added) == S_OK && items->get_Count(&count) == S_OK &&
            count == 1 && added.Get() == item.Get() && passed_item == item.Get(),
        "a by-reference object, and the same object as the result");
  passed_item->Release();

  float distance = 0;
  Check(provider->put_DistanceFromYou(12.5f) == S_OK &&
            provider->get_DistanceFromYou(&distance) == S_OK && distance == 12.5f,
        "a float in and out");

  ComPtr<_ICatPriceCol> prices;
  item->get_PriceCol(&prices);
  Text directory(L"D1"), empty(L""), available(L"6"), cost(L"12.92"), list(L"19.99"),
      price_key(L"");
  ComPtr<_ICatPrice> price;
  CURRENCY price_cost{};
  Check(
      prices &&
          prices->Add(directory, empty, empty, available, cost, list, &price_key, &price) == S_OK &&
          price_key.Str() == L"D1" && price->get_Cost(&price_cost) == S_OK &&
          price_cost.int64 == 129200,
      "seven arguments, a by-reference key and a currency result");

  ComPtr<_ICatStoreCol> stores = Create<_ICatStoreCol>(L"qorkwz_LOMBARv3.ICatStoreCol");
  Value position(99L);
  ComPtr<_ICatStore> store;
  ComPtr<IErrorInfo> info;
  Text description;
  Check(stores && stores->get_Item(position.Get(), &store) == static_cast<HRESULT>(0x800A0009) &&
            GetErrorInfo(0, &info) == S_OK && SUCCEEDED(info->GetDescription(&description)) &&
            description.Str().find(L"Subscript out of range") != std::wstring::npos,
        "a raised error is the call's code, with its description in the error object");
}

// A thread that uses an object it was handed without marshalling is refused,
// as a proxy used outside its apartment is; the reference it gives back is
// given back by the object's own thread, at its next call (the unload answer).
void CheckOtherThreads() {
  IDispatch* catalog = Create(L"qorkwz_LOMBARv3.ICatalog").Detach();
  const DISPID xml = IdOf(catalog, L"XML");
  HRESULT called = S_OK;
  std::thread([&] {
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    called = catalog->Invoke(xml, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                             &result, nullptr, nullptr);
    catalog->Release();
  }).join();
  Check(called == RPC_E_WRONG_THREAD, "a call from another thread is RPC_E_WRONG_THREAD");
}

// With every object released the library answers that it may unload: no
// COM object of it is kept alive by a reference counted once too often.
void CheckUnloadAnswer() {
  using CanUnload = HRESULT(STDAPICALLTYPE*)();
  const auto can_unload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"qorLOMBARv3.00.dll"), "DllCanUnloadNow")));
  if (!can_unload) return Check(false, "the library is loaded");
  Check(can_unload() == S_OK, "the library may unload when every object is released");
  ComPtr<IDispatch> catalog = Create(L"qorkwz_LOMBARv3.ICatalog");
  Check(can_unload() == S_FALSE, "but not while an object is alive");
}

// ---- the type library's listing, in the form of lombar_idl --listing ----

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::string GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return Utf8(text);
}

std::string IdText(long id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(id));
  return text;
}

std::string Names(ITypeInfo* info, MEMBERID id) {
  BSTR names[64] = {};
  UINT count = 0;
  info->GetNames(id, names, 64, &count);
  std::string text;
  for (UINT i = 0; i < count; ++i) {
    text += (i == 0 ? "" : i == 1 ? " " : ", ") + Utf8(names[i]);
    SysFreeString(names[i]);
  }
  return text;
}

std::string TypeText(ITypeInfo* info, const TYPEDESC& type) {
  switch (type.vt) {
    case VT_PTR: return TypeText(info, *type.lptdesc) + "*";
    case VT_USERDEFINED: {
      ComPtr<ITypeInfo> named;
      info->GetRefTypeInfo(type.hreftype, &named);
      return named ? Documentation(named.Get(), MEMBERID_NIL).first : "?";
    }
    case VT_BSTR: return "BSTR";
    case VT_I4: return "long";
    case VT_I2: return "short";
    case VT_BOOL: return "VARIANT_BOOL";
    case VT_R4: return "float";
    case VT_R8: return "double";
    case VT_CY: return "CURRENCY";
    case VT_DATE: return "DATE";
    case VT_VARIANT: return "VARIANT";
    case VT_UNKNOWN: return "IUnknown*";
    case VT_DISPATCH: return "IDispatch*";
    default: return "vt" + std::to_string(type.vt);
  }
}

std::string DefaultText(const VARIANT& value) {
  if (V_VT(&value) == VT_BSTR) return Quoted(Utf8(V_BSTR(&value)));
  if (V_VT(&value) == VT_BOOL) return V_BOOL(&value) ? "-1" : "0";
  Value text;
  VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR);
  return V_VT(&text.Get()) == VT_BSTR ? Utf8(V_BSTR(&text.Get())) : "?";
}

std::string ParamText(ITypeInfo* info, const ELEMDESC& param) {
  const USHORT flags = param.paramdesc.wParamFlags;
  std::string text;
  const auto add = [&](bool present, const std::string& flag) {
    if (present) text += (text.empty() ? "" : ", ") + flag;
  };
  add(flags & PARAMFLAG_FIN, "in");
  add(flags & PARAMFLAG_FOUT, "out");
  add(flags & PARAMFLAG_FOPT, "optional");
  add(flags & PARAMFLAG_FRETVAL, "retval");
  if ((flags & PARAMFLAG_FHASDEFAULT) && param.paramdesc.pparamdescex) {
    add(true, "default " + DefaultText(param.paramdesc.pparamdescex->varDefaultValue));
  }
  return "[" + text + "] " + TypeText(info, param.tdesc);
}

std::string KindText(INVOKEKIND kind) {
  switch (kind) {
    case INVOKE_PROPERTYGET: return "propget";
    case INVOKE_PROPERTYPUT: return "propput";
    case INVOKE_PROPERTYPUTREF: return "propputref";
    default: return "method";
  }
}

std::string TypeFlagsText(WORD flags) {
  std::string text;
  const std::pair<WORD, const char*> known[] = {
      {TYPEFLAG_FHIDDEN, "hidden"}, {TYPEFLAG_FDUAL, "dual"},
      {TYPEFLAG_FNONEXTENSIBLE, "nonextensible"}, {TYPEFLAG_FOLEAUTOMATION, "oleautomation"},
      {TYPEFLAG_FCANCREATE, "cancreate"}};
  for (const auto& [flag, name] : known) {
    if (flags & flag) text += std::string(" ") + name;
  }
  return text;
}

// IUnknown's and IDispatch's own members, which a dispinterface lists first.
bool InheritedFromDispatch(MEMBERID id) {
  return id >= 0x60000000 && id <= 0x60010003;
}

// The members of an interface's table (after IDispatch's seven entries), or
// of a dispinterface.
void ListFunctions(std::ostream& out, ITypeInfo* info, bool dispatch_only) {
  TYPEATTR* attributes = nullptr;
  if (FAILED(info->GetTypeAttr(&attributes))) return;
  for (UINT i = 0; i < attributes->cFuncs; ++i) {
    FUNCDESC* function = nullptr;
    if (FAILED(info->GetFuncDesc(i, &function))) continue;
    const auto [name, help] = Documentation(info, function->memid);
    if (dispatch_only) {
      if (!InheritedFromDispatch(function->memid))
        out << "  " << IdText(function->memid) << " method " << name << " " << Quoted(help) << "\n";
    } else {
      std::string params;
      for (SHORT p = 0; p < function->cParams; ++p)
        params += (p == 0 ? "" : ", ") + ParamText(info, function->lprgelemdescParam[p]);
      out << "  " << function->oVft / static_cast<int>(sizeof(void*)) - 7 << " "
          << IdText(function->memid) << " " << KindText(function->invkind)
          << (function->wFuncFlags & FUNCFLAG_FHIDDEN ? " hidden" : "")
          << (function->wFuncFlags & FUNCFLAG_FRESTRICTED ? " restricted" : "") << " (" << params
          << ") " << Names(info, function->memid) << " " << Quoted(help) << "\n";
    }
    info->ReleaseFuncDesc(function);
  }
  info->ReleaseTypeAttr(attributes);
}

void ListType(std::ostream& out, ITypeInfo* info) {
  TYPEATTR* attributes = nullptr;
  if (FAILED(info->GetTypeAttr(&attributes))) return;
  const auto [name, help] = Documentation(info, MEMBERID_NIL);
  const std::string guid = GuidText(attributes->guid);
  const std::string flags = TypeFlagsText(attributes->wTypeFlags);
  switch (attributes->typekind) {
    case TKIND_ENUM:
      out << "enum " << name << " " << Quoted(help) << "\n";
      for (UINT i = 0; i < attributes->cVars; ++i) {
        VARDESC* constant = nullptr;
        if (FAILED(info->GetVarDesc(i, &constant))) continue;
        const auto [constant_name, constant_help] = Documentation(info, constant->memid);
        out << "  " << constant_name << " = " << DefaultText(*constant->lpvarValue) << " "
            << Quoted(constant_help) << "\n";
        info->ReleaseVarDesc(constant);
      }
      break;
    case TKIND_INTERFACE:
    case TKIND_DISPATCH: {
      // A dual interface is listed as its table of functions shows it.
      const bool dual = attributes->wTypeFlags & TYPEFLAG_FDUAL;
      ComPtr<ITypeInfo> table;
      HREFTYPE reference = 0;
      if (attributes->typekind == TKIND_DISPATCH && dual &&
          SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference))) {
        info->GetRefTypeInfo(reference, &table);
      }
      TYPEATTR* table_attributes = nullptr;
      WORD table_flags = attributes->wTypeFlags;
      if (table && SUCCEEDED(table->GetTypeAttr(&table_attributes))) {
        table_flags = table_attributes->wTypeFlags;
        table->ReleaseTypeAttr(table_attributes);
      }
      out << (dual ? "interface " : "dispinterface ") << name << " " << guid
          << TypeFlagsText(table_flags) << (dual ? " " + Quoted(help) : "") << "\n";
      ListFunctions(out, table ? table.Get() : info, !dual);
      break;
    }
    case TKIND_ALIAS:
      out << "alias " << name << " " << guid << " = " << TypeText(info, attributes->tdescAlias)
          << "\n";
      break;
    case TKIND_COCLASS:
      out << "coclass " << name << " " << guid << flags << " " << Quoted(help) << "\n";
      for (UINT i = 0; i < attributes->cImplTypes; ++i) {
        INT implemented_flags = 0;
        HREFTYPE reference = 0;
        ComPtr<ITypeInfo> implemented;
        info->GetImplTypeFlags(i, &implemented_flags);
        if (FAILED(info->GetRefTypeOfImplType(i, &reference)) ||
            FAILED(info->GetRefTypeInfo(reference, &implemented))) {
          continue;
        }
        out << "  " << (implemented_flags & IMPLTYPEFLAG_FDEFAULT ? "default " : "")
            << (implemented_flags & IMPLTYPEFLAG_FSOURCE ? "source " : "")
            << Documentation(implemented.Get(), MEMBERID_NIL).first << "\n";
      }
      break;
    default:
      out << "type " << name << " of kind " << attributes->typekind << "\n";
  }
  info->ReleaseTypeAttr(attributes);
}

// Writes the listing of the library that holds the catalog's class.
void WriteTypeListing(const char* path) {
  ComPtr<IDispatch> catalog = Create(L"qorkwz_LOMBARv3.ICatalog");
  const ComPtr<ITypeInfo> class_info = catalog ? ClassInfoOf(catalog.Get()) : nullptr;
  ComPtr<ITypeLib> library;
  UINT index = 0;
  const bool found = class_info && SUCCEEDED(class_info->GetContainingTypeLib(&library, &index));
  Check(found, "the class information leads to its type library");
  if (!found) return;
  std::ostringstream out;
  TLIBATTR* attributes = nullptr;
  library->GetLibAttr(&attributes);
  Text name, help;
  library->GetDocumentation(-1, &name, &help, nullptr, nullptr);
  out << "library " << Utf8(name) << " " << GuidText(attributes->guid) << " "
      << attributes->wMajorVerNum << "." << attributes->wMinorVerNum << " "
      << IdText(static_cast<long>(attributes->lcid)) << " " << Quoted(Utf8(help)) << "\n";
  library->ReleaseTLibAttr(attributes);
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    ComPtr<ITypeInfo> info;
    if (SUCCEEDED(library->GetTypeInfo(i, &info))) ListType(out, info.Get());
  }
  std::ofstream file(path, std::ios::binary);
  file << out.str();
  Check(file.good(), "the type library's listing is written");
}

}  // namespace

int main(int argc, char** argv) {
  if (FAILED(CoInitialize(nullptr))) return 1;
  {
    ComPtr<IDispatch> items = Create(L"qorkwz_LOMBARv3.ICatItemCol");
    ComPtr<IDispatch> item = Create(L"qorkwz_LOMBARv3.ICatItem");
    Check(items && item, "objects are made by ProgID");
    if (items && item) {
      CheckTypeInformation(items.Get());
      CheckEvents(items.Get(), item.Get());
      CheckEnumeration(items.Get(), item.Get());
      CheckErrors(items.Get());
    }
    CheckNamedArguments();
    CheckDualInterfaces();
    CheckOtherThreads();
  }
  if (argc > 1) WriteTypeListing(argv[1]);
  CheckUnloadAnswer();
  CoUninitialize();
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed;
}
