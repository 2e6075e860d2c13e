// The C interface of lombar.h over the C++ automation frame.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "frame/Apartment.h"
#include "frame/AutomationCodes.h"
#include "frame/CGuard.h"
#include "frame/ClassFactory.h"
#include "frame/ConnectionPoint.h"
#include "frame/Dispatch.h"
#include "lombar/Enumerator.h"
#include "frame/Registration.h"
#include "frame/TypeLibrary.h"
#include "lombar/Error.h"
#include "lombar/Library.h"
#include "lombar/lombar.h"

namespace lombar {
namespace {

// The thread's error information, as the last failed call left it.
thread_local std::optional<Error> last_error;

lombar_object* ToHandle(Object* object) {
  return reinterpret_cast<lombar_object*>(object);
}
Object* FromHandle(lombar_object* handle) {
  return reinterpret_cast<Object*>(handle);
}

// A new counted handle for the caller.
lombar_object* Hand(const Ref<Object>& object) {
  if (object) object->AddRef();
  return ToHandle(object.Get());
}

// A call refused for a mistake in its arguments: the code automation returns
// for that mistake, and the error information left for the caller.
struct Refusal {
  lombar_hresult hresult;
  Error error;
};

// The shared table of codes, as lombar.h spells them for C hosts.
static_assert(LOMBAR_E_NOINTERFACE == hresult::kNoInterface && LOMBAR_E_POINTER == hresult::kPointer &&
              LOMBAR_CLASS_E_CLASSNOTAVAILABLE == hresult::kClassNotAvailable &&
              LOMBAR_DISP_E_BADVARTYPE == hresult::kBadVarType &&
              LOMBAR_DISP_E_MEMBERNOTFOUND == hresult::kMemberNotFound &&
              LOMBAR_DISP_E_BADPARAMCOUNT == hresult::kBadParamCount &&
              LOMBAR_DISP_E_PARAMNOTOPTIONAL == hresult::kParamNotOptional &&
              LOMBAR_DISP_E_OVERFLOW == hresult::kOverflow &&
              LOMBAR_DISP_E_TYPEMISMATCH == hresult::kTypeMismatch &&
              LOMBAR_DISP_E_EXCEPTION == hresult::kException &&
              LOMBAR_RPC_E_WRONG_THREAD == hresult::kWrongThread);
static_assert(LOMBAR_VT_VARIANT == 12 && LOMBAR_VT_BSTR == 8 && LOMBAR_VT_DISPATCH == 9 &&
              LOMBAR_VT_UNKNOWN == 13 && LOMBAR_VT_CY == 6);

[[noreturn]] void Refuse(lombar_hresult hresult) {
  throw Refusal{hresult, Error::Runtime(NumberOfRefusal(hresult))};
}

// `pointer`, which the caller must have given.
template <class T>
T* NotNull(T* pointer) {
  if (!pointer) Refuse(LOMBAR_E_POINTER);
  return pointer;
}

// Another thread's object is refused before anything of it is read but its apartment.
[[noreturn]] void RefuseOtherThreads() {
  throw Refusal{hresult::kWrongThread, WrongThreadError()};
}

// The object behind a handle as the kind a function works on: E_POINTER for
// no handle, E_NOINTERFACE for an object of another kind, RPC_E_WRONG_THREAD
// for another thread's. The work other threads handed to this one is done
// first.
template <class Kind>
Kind& As(lombar_object* handle) {
  auto* object = dynamic_cast<Kind*>(FromHandle(handle));
  if (!object) Refuse(handle ? LOMBAR_E_NOINTERFACE : LOMBAR_E_POINTER);
  if (!EnteringApartment(object->Apartment())) RefuseOtherThreads();
  return *object;
}

// Runs `body`, turning a refusal or a raised error into error information
// and its code (`failure` for an error the library raised). Every failure
// leaves error information, so a caller never reads an earlier call's.
template <class Body>
lombar_hresult Guarded(Body&& body, lombar_hresult failure = LOMBAR_DISP_E_EXCEPTION) noexcept {
  try {
    last_error.reset();
    return body();
  } catch (const Refusal& refusal) {
    last_error = refusal.error;
    return refusal.hresult;
  } catch (const CallError& error) {
    last_error = error;
    return CodeOfCallError(error.Number());
  } catch (const Error& error) {
    last_error = error;
  } catch (const std::bad_alloc&) {
    last_error = Error::Runtime(kOutOfMemory);
    return LOMBAR_E_OUTOFMEMORY;
  } catch (...) {
    last_error = Error::Runtime(kInternalError);
  }
  return failure;
}

}  // namespace

lombar_hresult GuardedCall(std::initializer_list<const void*> required,
                           const std::function<lombar_hresult()>& body) noexcept {
  return Guarded([&] {
    for (const void* pointer : required) NotNull(pointer);
    return body();
  });
}

namespace {

Guid FromC(const lombar_guid& guid) {
  Guid result{guid.data1, guid.data2, guid.data3, {}};
  std::copy(std::begin(guid.data4), std::end(guid.data4), result.data4.begin());
  return result;
}
lombar_guid ToC(const Guid& guid) {
  lombar_guid result{guid.data1, guid.data2, guid.data3, {}};
  std::copy(guid.data4.begin(), guid.data4.end(), std::begin(result.data4));
  return result;
}

// The object an argument passes: Nothing, or one of this thread's.
Object* ArgumentObject(lombar_object* handle) {
  Object* object = FromHandle(handle);
  if (object && !object->OnOwnThread()) RefuseOtherThreads();
  return object;
}

// The caller's variant a by-reference argument points at. It may not be a
// reference itself (automation refuses nested references), so a reference to
// itself or a ring of references is refused rather than followed.
const lombar_variant& Referenced(const lombar_variant& reference) {
  const lombar_variant& target = *NotNull(reference.value.byref);
  if (target.vt & LOMBAR_VT_BYREF) Refuse(LOMBAR_E_INVALIDARG);
  return target;
}

Variant FromC(const lombar_variant& value) {
  switch (value.vt) {
    case LOMBAR_VT_EMPTY:
      return Variant();
    case LOMBAR_VT_NULL:
      return Variant::Null();
    case LOMBAR_VT_I2:
      return Variant(value.value.i2);
    case LOMBAR_VT_I4:
      return Variant(value.value.i4);
    case LOMBAR_VT_R4:
      return Variant(value.value.r4);
    case LOMBAR_VT_R8:
      return Variant(value.value.r8);
    case LOMBAR_VT_CY:
      return Variant(Currency::FromUnits(value.value.cy));
    case LOMBAR_VT_DATE:
      return Variant(Date{value.value.date});
    case LOMBAR_VT_BSTR:
      return Variant(std::string(value.value.bstr ? value.value.bstr : "",
                                 lombar_string_length(value.value.bstr)));
    case LOMBAR_VT_DISPATCH:
    case LOMBAR_VT_UNKNOWN:
      return Variant(Ref<Object>(ArgumentObject(value.value.object)));
    case LOMBAR_VT_ERROR:
      return Variant(ErrorCode{value.value.scode});
    case LOMBAR_VT_BOOL:
      return Variant(value.value.boolean != 0);
    case LOMBAR_VT_BYREF | LOMBAR_VT_VARIANT:
      return FromC(Referenced(value));
    default:
      Refuse(LOMBAR_DISP_E_BADVARTYPE);
  }
}

// Fills `out` (which must own nothing) with a copy of `value` the caller owns.
void ToC(const Variant& value, lombar_variant& out) {
  out = lombar_variant{};
  out.vt = static_cast<std::uint16_t>(value.Kind());
  std::visit(
      [&out](const auto& stored) {
        using T = std::decay_t<decltype(stored)>;
        if constexpr (std::is_same_v<T, bool>) {
          out.value.boolean = stored ? -1 : 0;
        } else if constexpr (std::is_same_v<T, Short>) {
          out.value.i2 = stored;
        } else if constexpr (std::is_same_v<T, Long>) {
          out.value.i4 = stored;
        } else if constexpr (std::is_same_v<T, float>) {
          out.value.r4 = stored;
        } else if constexpr (std::is_same_v<T, double>) {
          out.value.r8 = stored;
        } else if constexpr (std::is_same_v<T, Currency>) {
          out.value.cy = stored.units;
        } else if constexpr (std::is_same_v<T, Date>) {
          out.value.date = stored.serial;
        } else if constexpr (std::is_same_v<T, ErrorCode>) {
          out.value.scode = stored.code;
        } else if constexpr (std::is_same_v<T, StoredText>) {
          const std::string_view text = stored;
          out.value.bstr = lombar_string_alloc(text.data(), static_cast<std::uint32_t>(text.size()));
        } else if constexpr (std::is_same_v<T, Ref<Object>>) {
          if (!stored.IsNothing() && !dynamic_cast<AutomationObject*>(stored.Get())) {
            out.vt = LOMBAR_VT_UNKNOWN;
          }
          out.value.object = Hand(stored);
        }
      },
      value.Raw());
}

bool IsByReference(const lombar_variant& value) {
  return value.vt == (LOMBAR_VT_BYREF | LOMBAR_VT_VARIANT);
}

// The C arguments (last first) in declared order.
std::vector<Argument> ArgumentsOf(const lombar_variant* args, std::uint32_t count) {
  std::vector<Argument> arguments;
  arguments.reserve(count);
  for (std::uint32_t i = count; i-- > 0;)
    arguments.push_back({FromC(args[i]), IsByReference(args[i])});
  return arguments;
}

// Leaves in the caller's variants what the callee left in by-reference arguments.
void WriteBack(const std::vector<Argument>& arguments, lombar_variant* args) {
  const std::size_t count = arguments.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Argument& argument = arguments[count - 1 - i];
    if (!argument.by_ref) continue;
    lombar_variant_clear(args[i].value.byref);
    ToC(argument.value, *args[i].value.byref);
  }
}

std::int32_t FlagsOfKind(MemberKind kind) {
  switch (kind) {
    case MemberKind::Method:
      return LOMBAR_DISPATCH_METHOD;
    case MemberKind::Get:
      return LOMBAR_DISPATCH_PROPERTYGET;
    case MemberKind::Let:
      return LOMBAR_DISPATCH_PROPERTYPUT;
    case MemberKind::Set:
      return LOMBAR_DISPATCH_PROPERTYPUTREF;
  }
  return LOMBAR_DISPATCH_METHOD;
}

// Null for an empty class name (any object, or no object at all).
const char* ClassNameOrNull(std::string_view name) {
  return name.empty() ? nullptr : name.data();
}

// Hands each event to a C callback.
class CallbackSink final : public EventSink {
 public:
  CallbackSink(lombar_event_callback callback, void* context)
      : callback_(callback), context_(context) {}
  void OnEvent(Long id, const std::vector<Variant>& args) override {
    std::vector<lombar_variant> converted(args.size());
    for (std::size_t i = 0; i < args.size(); ++i)
      ToC(args[args.size() - 1 - i], converted[i]);
    callback_(context_, id, converted.data(), static_cast<std::uint32_t>(converted.size()));
    for (lombar_variant& value : converted)
      lombar_variant_clear(&value);
  }

 private:
  lombar_event_callback callback_;
  void* context_;
};


}  // namespace
}  // namespace lombar

using namespace lombar;

extern "C" {

lombar_hresult DllGetClassObject(const lombar_guid* clsid, const lombar_guid* iid, void** factory) {
  if (factory) *factory = nullptr;
  return Guarded(
      [&] {
        const ClassInfo* info = FindClass(FromC(*NotNull(clsid)));
        const Guid wanted = FromC(*NotNull(iid));
        NotNull(factory);
        if (!info || !info->create) Refuse(LOMBAR_CLASS_E_CLASSNOTAVAILABLE);
        if (wanted != iid::kIUnknown && wanted != kIClassFactory) Refuse(LOMBAR_E_NOINTERFACE);
        *factory = Hand(MakeRef<ClassFactory>(*info));
        return LOMBAR_S_OK;
      },
      LOMBAR_E_FAIL);
}

lombar_hresult DllCanUnloadNow(void) {
  RunHandedWork();
  return Object::LiveObjects() == 0 && ClassFactory::Locks() == 0 ? LOMBAR_S_OK : LOMBAR_S_FALSE;
}

lombar_hresult DllRegisterServer(void) {
  return Guarded([] { return RegisterServer(), LOMBAR_S_OK; }, LOMBAR_SELFREG_E_CLASS);
}

lombar_hresult DllUnregisterServer(void) {
  return Guarded([] { return UnregisterServer(), LOMBAR_S_OK; }, LOMBAR_SELFREG_E_CLASS);
}

lombar_hresult lombar_factory_create(lombar_object* factory, lombar_object** object) {
  if (object) *object = nullptr;
  return Guarded([&] {
    ClassFactory& maker = As<ClassFactory>(factory);
    lombar_object*& out = *NotNull(object);  // before the object is made, so none leaks
    out = Hand(maker.CreateInstance());
    return LOMBAR_S_OK;
  });
}

lombar_hresult lombar_factory_lock(lombar_object* factory, int lock) {
  return Guarded([&] {
    As<ClassFactory>(factory);
    ClassFactory::LockServer(lock != 0);
    return LOMBAR_S_OK;
  });
}

lombar_hresult lombar_create(const char* name, lombar_object** object) {
  if (object) *object = nullptr;
  return Guarded(
      [&] {
        RunHandedWork();
        const std::string_view class_name(NotNull(name));
        lombar_object*& out = *NotNull(object);  // before the object is made, so none leaks
        out = Hand(CreateObject(class_name));
        return LOMBAR_S_OK;
      },
      LOMBAR_CLASS_E_CLASSNOTAVAILABLE);
}

void lombar_addref(lombar_object* object) {
  if (object) AddRefOnAnyThread(*FromHandle(object));
}

void lombar_release(lombar_object* object) {
  if (object) ReleaseOnAnyThread(*FromHandle(object));
}

lombar_hresult lombar_query_interface(lombar_object* object, const lombar_guid* iid) {
  return Guarded([&] {
    const Guid wanted = FromC(*NotNull(iid));
    return As<Object>(object).Supports(wanted) ? LOMBAR_S_OK : LOMBAR_S_FALSE;
  });
}

lombar_hresult lombar_get_id_of_name(lombar_object* object, const char* name, int32_t* dispid) {
  return Guarded(
      [&] {
        const AutomationObject& target = As<AutomationObject>(object);
        const std::string_view member_name(NotNull(name));
        int32_t& out = *NotNull(dispid);
        out = GetIdOfName(target, member_name);
        return LOMBAR_S_OK;
      },
      LOMBAR_DISP_E_UNKNOWNNAME);
}

lombar_hresult lombar_invoke(lombar_object* object, int32_t dispid, uint16_t flags,
                             lombar_variant* args, uint32_t count, lombar_variant* result) {
  if (result) *result = lombar_variant{};
  return Guarded([&] {
    AutomationObject& target = As<AutomationObject>(object);
    if (count > 0) NotNull(args);
    const MemberKind kind = KindOfFlags(flags);
    // The count is checked before an argument is read, so a count past the
    // end of the caller's array is refused rather than read.
    CheckArgumentCount(FindMember(target, dispid, kind), count);
    std::vector<Argument> arguments = ArgumentsOf(args, count);
    const Variant value = Invoke(target, dispid, kind, arguments);
    WriteBack(arguments, args);
    if (result) ToC(value, *result);
    return LOMBAR_S_OK;
  });
}

lombar_hresult lombar_enum_next(lombar_object* enumerator, lombar_variant* item) {
  if (item) *item = lombar_variant{};
  return Guarded([&] {
    Enumerator& walker = As<Enumerator>(enumerator);
    lombar_variant& out = *NotNull(item);
    const std::vector<Variant> next = walker.Next(1);
    if (next.empty()) return LOMBAR_S_FALSE;
    ToC(next.front(), out);
    return LOMBAR_S_OK;
  });
}

lombar_hresult lombar_enum_reset(lombar_object* enumerator) {
  return Guarded([&] {
    As<Enumerator>(enumerator).Reset();
    return LOMBAR_S_OK;
  });
}

lombar_hresult lombar_error_info(int32_t* number, char** source, char** description) {
  RunHandedWork();
  if (!last_error) return LOMBAR_S_FALSE;
  const auto copy = [](const std::string& text) {
    return lombar_string_alloc(text.data(), static_cast<uint32_t>(text.size()));
  };
  if (number) *number = last_error->Number();
  if (source) *source = copy(last_error->Source());
  if (description) *description = copy(last_error->Description());
  return LOMBAR_S_OK;
}

lombar_hresult lombar_advise(lombar_object* object, lombar_event_callback callback, void* context,
                             uint32_t* cookie) {
  return Guarded(
      [&] {
        AutomationObject& source = As<AutomationObject>(object);
        NotNull(callback);
        uint32_t& out = *NotNull(cookie);  // before connecting, so no connection is left unknown
        out = static_cast<uint32_t>(source.Advise(MakeRef<CallbackSink>(callback, context)));
        return LOMBAR_S_OK;
      },
      LOMBAR_E_NOINTERFACE);
}

lombar_hresult lombar_unadvise(lombar_object* object, uint32_t cookie) {
  return Guarded(
      [&] {
        As<AutomationObject>(object).Unadvise(static_cast<Long>(cookie));
        return LOMBAR_S_OK;
      },
      LOMBAR_CONNECT_E_NOCONNECTION);
}

lombar_hresult lombar_event_member(lombar_object* object, uint32_t index, const char** name,
                                   int32_t* dispid) {
  return Guarded([&] {
    const auto& events = As<AutomationObject>(object).Class().events;
    if (!events) Refuse(LOMBAR_E_NOINTERFACE);
    if (index >= events->members.size()) Refuse(LOMBAR_E_INVALIDARG);
    if (name) *name = events->members[index].name.c_str();
    if (dispid) *dispid = events->members[index].dispid;
    return LOMBAR_S_OK;
  });
}

const char* lombar_class_name(lombar_object* object) {
  auto* automation = dynamic_cast<AutomationObject*>(FromHandle(object));
  return automation ? automation->Class().name.c_str() : nullptr;
}

uint32_t lombar_member_count(lombar_object* object) {
  auto* automation = dynamic_cast<AutomationObject*>(FromHandle(object));
  return automation ? static_cast<uint32_t>(automation->Class().members.size()) : 0;
}

lombar_hresult lombar_member(lombar_object* object, uint32_t index, const char** name,
                             int32_t* kind, int32_t* dispid, uint32_t* params, uint32_t* optional) {
  return Guarded([&] {
    const auto& members = As<AutomationObject>(object).Class().members;
    if (index >= members.size()) Refuse(LOMBAR_E_INVALIDARG);
    const Member& member = members[index];
    if (name) *name = member.name.c_str();
    if (kind) *kind = FlagsOfKind(member.kind);
    if (dispid) *dispid = member.dispid;
    if (params) *params = static_cast<uint32_t>(member.params.size());
    if (optional) *optional = static_cast<uint32_t>(member.params.size() - member.RequiredCount());
    return LOMBAR_S_OK;
  });
}

lombar_hresult lombar_member_param(lombar_object* object, uint32_t index, uint32_t param,
                                   const char** name, uint16_t* vt, const char** class_name,
                                   uint32_t* flags, lombar_variant* default_value) {
  if (default_value) *default_value = lombar_variant{};
  return Guarded([&] {
    const auto& members = As<AutomationObject>(object).Class().members;
    if (index >= members.size() || param > members[index].params.size()) {
      Refuse(LOMBAR_E_INVALIDARG);
    }
    const Member& member = members[index];
    if (param == member.params.size()) {  // the result
      if (name) *name = nullptr;
      if (vt) *vt = VarTypeOf(member.result);
      if (class_name) *class_name = ClassNameOrNull(member.result_class);
      if (flags) *flags = 0;
      return LOMBAR_S_OK;
    }
    const Param& declared = member.params[param];
    const bool has_default = declared.optional && !declared.default_value.IsMissing();
    if (name) *name = declared.name.c_str();
    if (vt) *vt = VarTypeOf(declared.type) | (declared.by_ref ? LOMBAR_VT_BYREF : 0);
    if (class_name) *class_name = ClassNameOrNull(declared.object_class);
    if (flags) {
      *flags = (declared.optional ? LOMBAR_PARAMFLAG_OPT : 0) |
               (has_default ? LOMBAR_PARAMFLAG_HASDEFAULT : 0);
    }
    if (default_value && has_default) ToC(declared.default_value, *default_value);
    return LOMBAR_S_OK;
  });
}

const char* lombar_type_name(uint16_t vt) {
  static const auto names = [] {
    std::vector<std::pair<std::uint16_t, std::string>> named;
    for (int type = 0; type <= static_cast<int>(ParamType::Unknown); ++type) {
      const auto declared = static_cast<ParamType>(type);
      named.emplace_back(VarTypeOf(declared), BasicTypeName(declared));
    }
    return named;
  }();
  const auto kind = static_cast<std::uint16_t>(vt & ~LOMBAR_VT_BYREF);
  for (const auto& [declared_vt, name] : names) {
    if (declared_vt == kind) return name.c_str();
  }
  return nullptr;
}

const char* lombar_help(lombar_object* object, int32_t index) {
  const auto* automation = dynamic_cast<AutomationObject*>(FromHandle(object));
  if (!automation) return nullptr;
  const ClassInfo& info = automation->Class();
  // Help texts are literals; one not written yet is the empty text.
  const auto text = [](std::string_view help) { return help.empty() ? "" : help.data(); };
  if (index == -1) return text(info.help);
  if (index < 0 || static_cast<std::size_t>(index) >= info.members.size()) return nullptr;
  return text(info.members[static_cast<std::size_t>(index)].help);
}

uint32_t lombar_class_count(void) {
  return static_cast<uint32_t>(CreatableClasses().size());
}

lombar_hresult lombar_class(uint32_t index, const char** name) {
  return Guarded([&] {
    const auto& classes = CreatableClasses();
    if (index >= classes.size()) Refuse(LOMBAR_E_INVALIDARG);
    if (name) *name = classes[index]->name.c_str();
    return LOMBAR_S_OK;
  });
}

lombar_hresult lombar_class_ids(const char* name, lombar_guid* clsid, lombar_guid* iid) {
  return Guarded([&] {
    const ClassInfo* info = FindClass(std::string_view(NotNull(name)));
    if (!info) Refuse(LOMBAR_CLASS_E_CLASSNOTAVAILABLE);
    if (clsid) *clsid = ToC(info->clsid);
    if (iid) *iid = ToC(info->iid);
    return LOMBAR_S_OK;
  });
}

void lombar_typelib(const char** name, lombar_guid* guid, uint16_t* major, uint16_t* minor,
                    uint32_t* lcid) {
  const TypeLibraryInfo& library = TypeLibrary();
  if (name) *name = library.name.data();
  if (guid) *guid = ToC(library.guid);
  if (major) *major = library.major;
  if (minor) *minor = library.minor;
  if (lcid) *lcid = static_cast<uint32_t>(library.lcid);
}

uint32_t lombar_constant_count(void) {
  uint32_t count = 0;
  for (const Enumeration& enumeration : Enumerations())
    count += static_cast<uint32_t>(enumeration.constants.size());
  return count;
}

lombar_hresult lombar_constant(uint32_t index, const char** enumeration, const char** name,
                               int32_t* value) {
  return Guarded([&] {
    for (const Enumeration& listed : Enumerations()) {
      if (index < listed.constants.size()) {
        if (enumeration) *enumeration = listed.name.data();
        if (name) *name = listed.constants[index].name.data();
        if (value) *value = listed.constants[index].value;
        return LOMBAR_S_OK;
      }
      index -= static_cast<uint32_t>(listed.constants.size());
    }
    Refuse(LOMBAR_E_INVALIDARG);
  });
}

lombar_hresult lombar_guid_parse(const char* text, lombar_guid* guid) {
  return Guarded([&] {
    const auto parsed = Guid::Parse(NotNull(text));
    lombar_guid& out = *NotNull(guid);
    if (!parsed) Refuse(LOMBAR_E_INVALIDARG);
    out = ToC(*parsed);
    return LOMBAR_S_OK;
  });
}

void lombar_guid_format(const lombar_guid* guid, char* text) {
  if (!text) return;
  const std::string formatted = guid ? FromC(*guid).ToString() : std::string();
  std::memcpy(text, formatted.c_str(), formatted.size() + 1);
}

// A library string keeps its length in the four bytes before its text, and a
// NUL after it. Without a text it is `length` NULs, where the platform's
// strings would leave the bytes undefined.
char* lombar_string_alloc(const char* utf8, uint32_t length) {
  const std::size_t size = sizeof(uint32_t) + std::size_t{length} + 1;
  auto* block = static_cast<char*>(utf8 ? std::malloc(size) : std::calloc(size, 1));
  if (!block) return nullptr;
  std::memcpy(block, &length, sizeof length);
  if (utf8 && length > 0) std::memcpy(block + sizeof length, utf8, length);
  block[sizeof length + length] = '\0';
  return block + sizeof length;
}

uint32_t lombar_string_length(const char* string) {
  if (!string) return 0;
  uint32_t length;
  std::memcpy(&length, string - sizeof length, sizeof length);
  return length;
}

void lombar_string_free(char* string) {
  if (string) std::free(string - sizeof(uint32_t));
}

void lombar_variant_clear(lombar_variant* variant) {
  if (!variant) return;
  if (variant->vt == LOMBAR_VT_BSTR) lombar_string_free(variant->value.bstr);
  if (variant->vt == LOMBAR_VT_DISPATCH || variant->vt == LOMBAR_VT_UNKNOWN) {
    lombar_release(variant->value.object);
  }
  *variant = lombar_variant{};
}

}  // extern "C"
