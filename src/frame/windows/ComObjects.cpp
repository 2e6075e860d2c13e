#include "frame/windows/ComObjects.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

#include "base/Text.h"
#include "frame/Apartment.h"
#include "frame/AutomationCodes.h"
#include "frame/ClassFactory.h"
#include "frame/ConnectionPoint.h"
#include "frame/Dispatch.h"
#include "frame/windows/ComValues.h"
#include "frame/windows/VtableThunks.h"
#include "lombar/AutomationObject.h"
#include "lombar/Enumerator.h"
#include "lombar/EventSink.h"

// COM interfaces have no virtual destructor by design: their objects delete
// themselves in Release, through ComBase's virtual destructor.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace lombar {
namespace {

using Microsoft::WRL::ComPtr;

std::atomic<long> live_com_objects{0};

// Holds a new reference the caller was handed. (Not ComPtr::Attach: some
// ComPtr implementations count a reference more there.)
template <class T>
ComPtr<T> Adopt(T* fresh) {
  ComPtr<T> held(fresh);
  if (fresh) fresh->Release();
  return held;
}

// Answered only by this library's own COM objects, so that an object a
// client passes back is known for one of the library's.
const IID kLibraryObjectIid = {
    0xe3482ae0, 0x306a, 0x49c5, {0xa9, 0x6a, 0x95, 0x20, 0x66, 0x62, 0x27, 0x5a}};

struct LibraryObjectCarrier : IUnknown {
  virtual Ref<Object> Carried() const = 0;
};

// Reference counting, the count of live COM objects and the apartment rule,
// shared by all of them. A COM object belongs to the thread that made it, as
// the library objects it carries do: IUnknown's calls work on any thread,
// the last release deleting it on its own thread (Apartment.h); every call
// that reaches a library object is refused on another thread with
// RPC_E_WRONG_THREAD, as COM refuses a call through a proxy used outside
// its apartment.
template <class... Interfaces>
class ComBase : public Interfaces... {
 public:
  ComBase(const ComBase&) = delete;
  ComBase& operator=(const ComBase&) = delete;

  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      RunInApartment(apartment_,
                     {[](const void* self) { delete static_cast<const ComBase*>(self); }, this});
    }
    return left;
  }

  // Where a call enters: false on another thread (Apartment.h).
  bool EnteringOwnApartment() const noexcept { return EnteringApartment(apartment_); }

  // A new reference, unless the last one is gone and the deletion is on its
  // way to this thread: a release on another thread can reach 0 at any time.
  bool AddRefIfAlive() noexcept {
    ULONG count = references_.load();
    while (count != 0) {
      if (references_.compare_exchange_weak(count, count + 1)) return true;
    }
    return false;
  }

 protected:
  ComBase() noexcept : apartment_(ThisApartment()) { ++live_com_objects; }
  virtual ~ComBase() { --live_com_objects; }

  // Hands out `itself` for a query that found it.
  template <class Interface>
  HRESULT Answer(Interface* itself, void** out) {
    *out = itself;
    AddRef();
    return S_OK;
  }

 private:
  std::atomic<ULONG> references_{1};
  const std::uint32_t apartment_;
};

class DispatchObject;

// Set as the thread's table below goes at thread end: the deletions other
// threads handed to it may still come after that (Apartment.h).
constinit thread_local bool com_objects_gone = false;

// The COM object of each library object a client holds, per thread: library
// objects live on the thread that made them.
struct ComObjectTable {
  std::unordered_map<const Object*, DispatchObject*> objects;
  ~ComObjectTable() { com_objects_gone = true; }
};

std::unordered_map<const Object*, DispatchObject*>& ComObjects() {
  thread_local ComObjectTable table;
  return table.objects;
}

// How a call reports an error its member raised: through IDispatch as
// DISP_E_EXCEPTION with the error in EXCEPINFO, through an interface's table
// as the error's own code.
enum class RaisedErrors { AsException, AsCode };

// Runs a call's body, turning the frame's errors into the codes and error
// information automation clients read.
template <class Body>
HRESULT Guarded(const GUID& interface_id, EXCEPINFO* exception, Body&& body,
                RaisedErrors raised = RaisedErrors::AsException) noexcept {
  const auto report = [&](const Error& error) {
    ReportError(error, interface_id, exception);
    return raised == RaisedErrors::AsCode ? ScodeOfError(error.Number()) : DISP_E_EXCEPTION;
  };
  try {
    return body();
  } catch (const CallError& error) {
    SetErrorInfo(0, nullptr);
    return CodeOfCallError(error.Number());
  } catch (const Error& error) {
    return report(error);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return report(Error::Runtime(kInternalError));
  }
}

// Calls a client's event interface for each event the library object fires.
class DispatchSink final : public EventSink {
 public:
  explicit DispatchSink(ComPtr<IDispatch> sink) : sink_(std::move(sink)) {}

  void OnEvent(Long id, const std::vector<Variant>& args) override {
    std::vector<VARIANT> converted(args.size());
    for (std::size_t i = 0; i < args.size(); ++i)
      ToVariant(args[args.size() - 1 - i], converted[i]);  // automation passes the last first
    DISPPARAMS params{converted.data(), nullptr, static_cast<UINT>(converted.size()), 0};
    sink_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                  nullptr);
    for (VARIANT& value : converted)
      VariantClear(&value);
  }
  IDispatch* Client() const noexcept { return sink_.Get(); }

 private:
  ComPtr<IDispatch> sink_;
};

// The standard enumerators of connection points and connections over a
// list taken when the client asked: `Item` is what Next hands out, each a
// new reference the client releases.
template <class EnumInterface, class Item>
class ListEnumerator final : public ComBase<EnumInterface> {
 public:
  using Entry = std::pair<ComPtr<IUnknown>, DWORD>;  // the object and, for a connection, its cookie
  ListEnumerator(const IID& iid, std::vector<Entry> entries, std::size_t position = 0)
      : iid_(iid), entries_(std::move(entries)), position_(position) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == iid_) return this->Answer(this, out);
    *out = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* items, ULONG* fetched) override {
    if (count > 0 && !items) return E_POINTER;
    ULONG given = 0;
    for (; given < count && position_ < entries_.size(); ++given, ++position_)
      HandOut(entries_[position_], items[given]);
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const bool all_there = count <= entries_.size() - position_;
    position_ = all_there ? position_ + count : entries_.size();
    return all_there ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(EnumInterface** out) override {
    if (!out) return E_POINTER;
    *out = new ListEnumerator(iid_, entries_, position_);
    return S_OK;
  }

 private:
  static void HandOut(const Entry& entry, IConnectionPoint*& out) {
    entry.first->QueryInterface(IID_IConnectionPoint, reinterpret_cast<void**>(&out));
  }
  static void HandOut(const Entry& entry, CONNECTDATA& out) {
    out.pUnk = entry.first.Get();
    out.pUnk->AddRef();
    out.dwCookie = entry.second;
  }

  IID iid_;
  std::vector<Entry> entries_;
  std::size_t position_;
};

class ConnectionPointObject final : public ComBase<IConnectionPoint> {
 public:
  ConnectionPointObject(IConnectionPointContainer* container, Ref<AutomationObject> object)
      : container_(container), object_(std::move(object)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) return Answer(this, out);
    *out = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    if (!iid) return E_POINTER;
    *iid = ComGuid(object_->Class().events->iid);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    if (!out) return E_POINTER;
    return container_.CopyTo(out);
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    if (!sink || !cookie) return E_POINTER;
    *cookie = 0;
    ComPtr<IDispatch> dispatch;
    const GUID events = ComGuid(object_->Class().events->iid);
    if (FAILED(sink->QueryInterface(events, reinterpret_cast<void**>(dispatch.GetAddressOf()))) &&
        FAILED(sink->QueryInterface(IID_IDispatch,
                                    reinterpret_cast<void**>(dispatch.GetAddressOf())))) {
      return CONNECT_E_CANNOTCONNECT;
    }
    return Guarded(IID_IConnectionPoint, nullptr, [&] {
      *cookie = static_cast<DWORD>(object_->Advise(MakeRef<DispatchSink>(std::move(dispatch))));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    try {
      object_->Unadvise(static_cast<Long>(cookie));
      return S_OK;
    } catch (...) {
      return CONNECT_E_NOCONNECTION;
    }
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    if (!out) return E_POINTER;
    std::vector<std::pair<ComPtr<IUnknown>, DWORD>> connections;
    for (const auto& [cookie, sink] : object_->Events()->Sinks()) {
      // Sinks of this server are all clients' dispatch objects.
      if (const auto* client = dynamic_cast<const DispatchSink*>(sink.Get())) {
        connections.emplace_back(client->Client(), static_cast<DWORD>(cookie));
      }
    }
    *out = new ListEnumerator<IEnumConnections, CONNECTDATA>(IID_IEnumConnections,
                                                             std::move(connections));
    return S_OK;
  }

 private:
  ComPtr<IConnectionPointContainer> container_;
  Ref<AutomationObject> object_;
};

class DispatchObject;

// The position of the parameter `name` (any letter case) of a member `id`.
std::optional<DISPID> ParameterIdOf(const ClassInfo& info, DispId id, std::string_view name) {
  for (const Member& member : info.members) {
    if (member.dispid != id) continue;
    for (std::size_t i = 0; i < member.params.size(); ++i) {
      if (EqualsIgnoringCase(member.params[i].name, name)) return static_cast<DISPID>(i);
    }
  }
  return std::nullopt;
}

// The object's default interface as the type library describes it, a dual
// interface: IDispatch's seven functions, then one per member in slot order.
// Its table is made once per class (DualTableOf).
struct DualInterface {
  const void* const* table;
  DispatchObject* owner;
};

const void* const* DualTableOf(const ClassInfo& info);

class DispatchObject final : public ComBase<IProvideClassInfo, ISupportErrorInfo,
                                            IConnectionPointContainer, LibraryObjectCarrier> {
 public:
  explicit DispatchObject(Ref<AutomationObject> object)
      : object_(std::move(object)), dual_{DualTableOf(object_->Class()), this} {}
  ~DispatchObject() override {
    if (com_objects_gone) return;
    // The table may already hold the object's successor (ComObjectOf).
    auto& objects = ComObjects();
    if (const auto found = objects.find(object_.Get()); found != objects.end() && found->second == this)
      objects.erase(found);
  }

  // The object's identity, its IDispatch and its default interface.
  IDispatch* Dispatch() noexcept { return reinterpret_cast<IDispatch*>(&dual_); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || object_->Class().Answers(FrameGuid(iid))) {
      return Answer(Dispatch(), out);
    }
    if (iid == IID_IProvideClassInfo) return Answer(static_cast<IProvideClassInfo*>(this), out);
    if (iid == IID_ISupportErrorInfo) return Answer(static_cast<ISupportErrorInfo*>(this), out);
    if (iid == IID_IConnectionPointContainer && object_->Class().events) {
      return Answer(static_cast<IConnectionPointContainer*>(this), out);
    }
    if (iid == kLibraryObjectIid) return Answer(static_cast<LibraryObjectCarrier*>(this), out);
    *out = nullptr;
    return E_NOINTERFACE;
  }

  // IDispatch, reached through the dual interface's table.
  HRESULT GetTypeInfoCount(UINT* count) {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT GetTypeInfo(UINT index, ITypeInfo** info) {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return TypeInfoOf(object_->Class().iid, info);
  }
  // The member's id, then for named arguments the positions of its parameters.
  HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    if (!names || !ids) return E_POINTER;
    if (count == 0) return E_INVALIDARG;
    const ClassInfo& info = object_->Class();
    const auto member = info.IdOfName(Utf8FromWide(names[0], wcslen(names[0])));
    HRESULT result = S_OK;
    for (UINT i = 0; i < count; ++i) {
      const std::string name = Utf8FromWide(names[i], wcslen(names[i]));
      const std::optional<DISPID> id = !member  ? std::nullopt
                                       : i == 0 ? std::optional<DISPID>(*member)
                                                : ParameterIdOf(info, *member, name);
      ids[i] = id ? *id : DISPID_UNKNOWN;
      if (!id) result = DISP_E_UNKNOWNNAME;
    }
    return result;
  }
  HRESULT Invoke(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                 UINT* argument_error);
  // The member of `slot` called through the dual interface's table, with the
  // caller's arguments as the thunk gathered them (VtableThunks.h).
  HRESULT CallSlot(unsigned slot, const std::uint64_t* args, const double* xmm);

  // IProvideClassInfo
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    if (!info) return E_POINTER;
    *info = nullptr;
    return TypeInfoOf(object_->Class().clsid, info);
  }

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    return iid == IID_IDispatch || FrameGuid(iid) == object_->Class().iid ? S_OK : S_FALSE;
  }

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    if (!out) return E_POINTER;
    const ComPtr<IUnknown> point = Adopt<IUnknown>(new ConnectionPointObject(this, object_));
    *out = new ListEnumerator<IEnumConnectionPoints, IConnectionPoint*>(IID_IEnumConnectionPoints,
                                                                        {{point, 0}});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    if (!out) return E_POINTER;
    *out = nullptr;
    const auto& events = object_->Class().events;
    if (!events || FrameGuid(iid) != events->iid) return CONNECT_E_NOCONNECTION;
    *out = new ConnectionPointObject(this, object_);
    return S_OK;
  }

  // Another thread's object, passed as an argument, is refused as a call on it is.
  Ref<Object> Carried() const override {
    if (!EnteringOwnApartment()) throw CallError(WrongThreadError());
    return object_;
  }

 private:
  static HRESULT TypeInfoOf(const Guid& guid, ITypeInfo** info) {
    const ComPtr<ITypeLib> library = EmbeddedTypeLibrary();
    return library ? library->GetTypeInfoOfGuid(ComGuid(guid), info) : TYPE_E_CANTLOADLIBRARY;
  }

  Ref<AutomationObject> object_;
  DualInterface dual_;
};

// The caller's arguments in declared order, each with its place in rgvarg
// (none for a parameter a call by name left out, which is Missing).
// Positional arguments come last first after the named ones, which go to the
// parameters their ids name; a property put's value counts as positional.
struct GivenArguments {
  std::vector<Argument> values;
  std::vector<std::optional<UINT>> places;
};

// The named arguments' ids are distinct parameter positions.
bool NamedIdsAreParameters(const DISPPARAMS& params) {
  std::vector<DISPID> ids(params.rgdispidNamedArgs, params.rgdispidNamedArgs + params.cNamedArgs);
  std::sort(ids.begin(), ids.end());
  return (ids.empty() || ids.front() >= 0) &&
         std::adjacent_find(ids.begin(), ids.end()) == ids.end();
}

GivenArguments ArgumentsOf(const DISPPARAMS& params, bool assigning, UINT* argument_error) {
  const UINT named = assigning ? 0 : params.cNamedArgs;
  const UINT positional = params.cArgs - named;
  std::size_t count = positional;
  for (UINT i = 0; i < named; ++i)
    count = std::max<std::size_t>(count, static_cast<std::size_t>(params.rgdispidNamedArgs[i]) + 1);
  GivenArguments given{{}, std::vector<std::optional<UINT>>(count)};
  for (UINT position = 0; position < positional; ++position)
    given.places[position] = params.cArgs - 1 - position;
  for (UINT i = 0; i < named; ++i)
    given.places[static_cast<std::size_t>(params.rgdispidNamedArgs[i])] = i;
  given.values.reserve(count);
  for (const std::optional<UINT>& place : given.places) {
    if (!place) {
      given.values.push_back({Variant::Missing(), false});
      continue;
    }
    const VARIANT& value = params.rgvarg[*place];
    try {
      given.values.push_back({FromVariant(value), (V_VT(&value) & VT_BYREF) != 0});
    } catch (const Error& error) {
      if (argument_error) *argument_error = *place;
      throw CallError(error);
    }
  }
  return given;
}

HRESULT DispatchObject::Invoke(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO* exception, UINT* argument_error) {
  if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
  if (result) VariantInit(result);
  DISPPARAMS none{};
  const DISPPARAMS& given = params ? *params : none;
  if ((given.cArgs > 0 && !given.rgvarg) || (given.cNamedArgs > 0 && !given.rgdispidNamedArgs)) {
    return E_POINTER;
  }
  if (given.cNamedArgs > given.cArgs) return E_INVALIDARG;
  // The one named argument of a property put is its value.
  const bool assigning = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
  if (assigning && given.cNamedArgs > 0 &&
      !(given.cNamedArgs == 1 && given.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT)) {
    return DISP_E_NONAMEDARGS;
  }
  if (!assigning && !NamedIdsAreParameters(given)) return DISP_E_PARAMNOTFOUND;
  return Guarded(ComGuid(object_->Class().iid), exception, [&] {
    GivenArguments arguments = ArgumentsOf(given, assigning, argument_error);
    const Variant value =
        InvokeForwardingToDefault(*object_, id, KindOfFlags(flags), arguments.values);
    for (std::size_t i = 0; i < arguments.values.size(); ++i) {
      const std::optional<UINT>& place = arguments.places[i];
      if (place && arguments.values[i].by_ref) {
        StoreThroughReference(arguments.values[i].value, given.rgvarg[*place]);
      }
    }
    if (result) ToVariant(value, *result);
    return S_OK;
  });
}

// An argument of a call through the table, seen as a VARIANT that owns
// nothing: a reference, or a VARIANT passed by value, arrives as a pointer;
// a float or double in the first four places arrives in its register.
VARIANT ArgumentView(const Param& param, const std::uint64_t* args, const double* xmm,
                     std::size_t place) {
  VARIANT view;
  VariantInit(&view);
  const VARTYPE type = VarTypeOf(param.type);
  if (param.by_ref || param.type == ParamType::Variant) {
    V_VT(&view) = VT_BYREF | type;
    V_BYREF(&view) = reinterpret_cast<void*>(args[place]);
    return view;
  }
  const bool in_register = place <= 3 && (type == VT_R4 || type == VT_R8 || type == VT_DATE);
  const std::uint64_t bits =
      in_register ? std::bit_cast<std::uint64_t>(xmm[place - 1]) : args[place];
  V_VT(&view) = type;
  std::memcpy(&V_UI8(&view), &bits, sizeof bits);
  return view;
}

// Fills a result pointer of the declared type, which holds nothing yet.
void StoreResult(const Variant& value, ParamType type, void* out) {
  const VARTYPE declared = VarTypeOf(type);
  if (declared == VT_VARIANT) return ToVariant(value, *static_cast<VARIANT*>(out));
  if (declared == VT_BSTR || declared == VT_DISPATCH || declared == VT_UNKNOWN) {
    *static_cast<void**>(out) = nullptr;
  }
  VARIANT reference;
  V_VT(&reference) = VT_BYREF | declared;
  V_BYREF(&reference) = out;
  StoreThroughReference(value, reference);
}

HRESULT DispatchObject::CallSlot(unsigned slot, const std::uint64_t* args, const double* xmm) {
  if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
  const ClassInfo& info = object_->Class();
  const Member& member = info.members[slot];
  return Guarded(
      ComGuid(info.iid), nullptr,
      [&] {
        std::vector<VARIANT> views;
        std::vector<Argument> arguments;
        for (std::size_t i = 0; i < member.params.size(); ++i) {
          const Param& param = member.params[i];
          views.push_back(ArgumentView(param, args, xmm, i + 1));
          const bool omitted = param.by_ref && !V_BYREF(&views.back());
          arguments.push_back(
              {omitted ? Variant::Missing() : FromVariant(views.back()), param.by_ref});
        }
        const Variant result = lombar::Invoke(*object_, member.dispid, member.kind, arguments);
        for (std::size_t i = 0; i < views.size(); ++i) {
          if (member.params[i].by_ref && V_BYREF(&views[i])) {
            StoreThroughReference(arguments[i].value, views[i]);
          }
        }
        if (member.result != ParamType::Void) {
          StoreResult(result, member.result,
                      reinterpret_cast<void*>(args[member.params.size() + 1]));
        }
        return S_OK;
      },
      RaisedErrors::AsCode);
}

// IDispatch's functions in the dual table, on the object that holds it.
DispatchObject& Owner(IDispatch* self) {
  return *reinterpret_cast<DualInterface*>(self)->owner;
}
HRESULT STDMETHODCALLTYPE DualQueryInterface(IDispatch* self, REFIID iid, void** out) {
  return Owner(self).QueryInterface(iid, out);
}
ULONG STDMETHODCALLTYPE DualAddRef(IDispatch* self) {
  return Owner(self).AddRef();
}
ULONG STDMETHODCALLTYPE DualRelease(IDispatch* self) {
  return Owner(self).Release();
}
HRESULT STDMETHODCALLTYPE DualGetTypeInfoCount(IDispatch* self, UINT* count) {
  return Owner(self).GetTypeInfoCount(count);
}
HRESULT STDMETHODCALLTYPE DualGetTypeInfo(IDispatch* self, UINT index, LCID, ITypeInfo** info) {
  return Owner(self).GetTypeInfo(index, info);
}
HRESULT STDMETHODCALLTYPE DualGetIDsOfNames(IDispatch* self, REFIID, LPOLESTR* names, UINT count,
                                            LCID, DISPID* ids) {
  return Owner(self).GetIDsOfNames(names, count, ids);
}
HRESULT STDMETHODCALLTYPE DualInvoke(IDispatch* self, DISPID id, REFIID, LCID, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument_error) {
  return Owner(self).Invoke(id, flags, params, result, exception, argument_error);
}

template <class Function>
const void* Entry(Function function) {
  return reinterpret_cast<const void*>(function);
}

const void* const* DualTableOf(const ClassInfo& info) {
  static std::mutex guard;
  static std::unordered_map<const ClassInfo*, std::vector<const void*>> tables;
  const std::lock_guard<std::mutex> lock(guard);
  std::vector<const void*>& table = tables[&info];
  if (table.empty()) {
    if (info.members.size() > kVtableThunks)
      throw std::logic_error(info.name + " has more members than thunks");
    table = {Entry(&DualQueryInterface), Entry(&DualAddRef),
             Entry(&DualRelease),        Entry(&DualGetTypeInfoCount),
             Entry(&DualGetTypeInfo),    Entry(&DualGetIDsOfNames),
             Entry(&DualInvoke)};
    for (std::size_t slot = 0; slot < info.members.size(); ++slot)
      table.push_back(VtableThunk(slot));
  }
  return table.data();
}

class EnumVariantObject final : public ComBase<IEnumVARIANT> {
 public:
  explicit EnumVariantObject(Ref<Enumerator> enumerator) : enumerator_(std::move(enumerator)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IEnumVARIANT) return Answer(this, out);
    *out = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    if (fetched) *fetched = 0;
    if (count > 0 && !items) return E_POINTER;
    return Guarded(IID_IEnumVARIANT, nullptr, [&] {
      const std::vector<Variant> batch = enumerator_->Next(count);
      for (std::size_t i = 0; i < batch.size(); ++i)
        ToVariant(batch[i], items[i]);
      if (fetched) *fetched = static_cast<ULONG>(batch.size());
      return batch.size() == count ? S_OK : S_FALSE;
    });
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    return enumerator_->Skip(count) ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    enumerator_->Reset();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    if (!out) return E_POINTER;
    *out = new EnumVariantObject(enumerator_->Clone());
    return S_OK;
  }

 private:
  Ref<Enumerator> enumerator_;
};

class ClassFactoryObject final : public ComBase<IClassFactory> {
 public:
  explicit ClassFactoryObject(const ClassInfo& info)
      : factory_(MakeRef<ClassFactory>(info)), iid_(info.iid) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) return Answer(this, out);
    *out = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
      return Adopt(ComObjectOf(factory_->CreateInstance()))->QueryInterface(iid, out);
    } catch (const Error& error) {
      // A creation that fails reports its error as a call would.
      ReportError(error, ComGuid(iid_), nullptr);
      return ScodeOfError(error.Number());
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (!EnteringOwnApartment()) return RPC_E_WRONG_THREAD;
    ClassFactory::LockServer(lock != FALSE);
    return S_OK;
  }

 private:
  Ref<ClassFactory> factory_;
  Guid iid_;
};

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

}  // namespace

IUnknown* ComObjectOf(const Ref<Object>& object) {
  if (!object) return nullptr;
  if (const auto enumerator = object.As<Enumerator>()) return new EnumVariantObject(enumerator);
  const auto automation = object.As<AutomationObject>();
  if (!automation) RaiseRuntime(kNoAutomationInterface);
  auto& objects = ComObjects();
  DispatchObject*& known = objects[object.Get()];
  if (!known || !known->AddRefIfAlive()) known = new DispatchObject(automation);
  return known->Dispatch();
}

Ref<Object> LibraryObjectOf(IUnknown* object) {
  if (!object) return nullptr;
  ComPtr<LibraryObjectCarrier> carrier;
  if (FAILED(object->QueryInterface(kLibraryObjectIid,
                                    reinterpret_cast<void**>(carrier.GetAddressOf())))) {
    RaiseRuntime(kTypeMismatch);
  }
  return carrier->Carried();
}

HRESULT GetClassFactory(const ClassInfo& info, REFIID interface_id, void** factory) {
  return Adopt<IClassFactory>(new ClassFactoryObject(info))->QueryInterface(interface_id, factory);
}

long LiveComObjects() noexcept {
  return live_com_objects.load();
}

std::wstring ModuleFileWidePath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(ThisModule(), path, MAX_PATH);
  return length == 0 || length == MAX_PATH ? std::wstring() : std::wstring(path, length);
}

ComPtr<ITypeLib> EmbeddedTypeLibrary() {
  ComPtr<ITypeLib> library;
  const std::wstring path = ModuleFileWidePath();
  LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
  return library;
}

}  // namespace lombar

extern "C" HRESULT lombar_vtable_call(unsigned slot, std::uint64_t* args, const double* xmm) {
  return reinterpret_cast<lombar::DualInterface*>(args[0])->owner->CallSlot(slot, args, xmm);
}
